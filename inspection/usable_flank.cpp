#include "inspection/usable_flank.h"

#include "inspection/form_circle.h"

#include <algorithm>

namespace tamrel::inspection {

Outcome<FlankInspection> inspectFlank(const Gear& gear, const InspectionInput& input) {
    if (!gear.external()) {
        return Failure::InternalGear;
    }
    if (!diametersUsable(input)) {
        return Failure::InvalidDiameters;
    }
    FlankInspection flank{BandOutcome::filled(Failure::NoUsableFlank), Band<bool>::filled(false),
                          gear.db, input.rack};
    const auto& xn = input.xn.values;
    for (std::size_t i = 0; i < xn.size(); ++i) {
        const BandValue v = BandValues[i];
        // Band values often repeat, and an undercut flank's form circle is a search: each profile
        // shift is solved once.
        const auto same =
            static_cast<std::size_t>(std::find(xn.begin(), xn.end(), xn[i]) - xn.begin());
        if (same < i) {
            flank.formDiameter[v] = flank.formDiameter[BandValues[same]];
            flank.undercut[v] = flank.undercut[BandValues[same]];
            continue;
        }
        const Outcome<FormCircle> form = formCircle(gear, input.rack, xn[i]);
        if (!form.hasValue()) {
            return form.failure();
        }
        flank.undercut[v] = form.value().undercut;
        if (form.value().diameter < input.tipDiameter) {
            flank.formDiameter[v] = form.value().diameter;
        }
    }
    return flank;
}

Outcome<FlankRange> usableFlank(const Gear& gear, const InspectionInput& input,
                                const Outcome<FlankInspection>& flank) {
    if (!diametersUsable(input)) {
        return Failure::InvalidDiameters;
    }
    if (!gear.external()) {
        return FlankRange{input.tipDiameter, input.rootDiameter - 0.5 * gear.mn};
    }
    if (!flank.hasValue()) {
        return flank.failure();
    }
    // The form circle is never inside the base circle, so it is the start of the usable flank.
    double from = gear.db;
    for (const BandValue v : BandValues) {
        const Outcome<double>& form = flank.value().formDiameter[v];
        if (!form.hasValue()) {
            return form.failure();
        }
        from = std::max(from, form.value());
    }
    return FlankRange{from, input.tipDiameter};
}

bool onFlank(const FlankRange& flank, double diameter) {
    return diameter >= flank.from && diameter <= flank.to;
}

}  // namespace tamrel::inspection
