#include "inspection/usable_flank.h"

#include "geometry/calculation_error.h"

#include <algorithm>
#include <cmath>

namespace tamrel::inspection {

namespace {

// ISO 53 basic rack: dedendum of the gear (addendum of the cutter) and radius of its tip fillet.
constexpr double rackDedendum = 1.25;
constexpr double rackTipRadius = 0.38;

}  // namespace

// The rack's straight flank ends where its tip fillet begins, at the height
// hF = (1.25 - 0.38 (1 - sin alphaN)) mn above the rack tip, i.e. hF - xn mn inside the rack line
// that rolls on the reference circle. Heights are the same in the normal and the transverse
// section, so in the transverse section this end point meets the line of action at
// (hF - xn mn) / sin(alphaT) from the pitch point, and generates the involute at the roll length
// g = r sin(alphaT) - (hF - xn mn) / sin(alphaT) from the base circle: dF = 2 sqrt(rb^2 + g^2).
// A negative g means the flank end passes the interference point and the fillet cuts the
// involute away (undercut); the involute then starts higher than any circle this gives.
Outcome<double> formDiameter(const Gear& gear, double xn) {
    const double sinAlphaT = std::sin(gear.alphaT);
    const double flankEnd =
        gear.mn * (rackDedendum - rackTipRadius * (1 - std::sin(gear.alphaN))) - xn * gear.mn;
    const double roll = gear.d / 2 * sinAlphaT - flankEnd / sinAlphaT;
    if (roll < 0) {
        return Failure::Undercut;
    }
    const double rb = gear.db / 2;
    return requireFinite(2 * std::sqrt(rb * rb + roll * roll), "form diameter");
}

Outcome<FlankRange> usableFlank(const Gear& gear, const InspectionInput& input) {
    if (!diametersUsable(input)) {
        return Failure::InvalidDiameters;
    }
    if (!gear.external()) {
        return FlankRange{input.tipDiameter, input.rootDiameter - 0.5 * gear.mn};
    }
    // The form circle is never inside the base circle, so it is the start of the usable flank.
    double from = gear.db;
    for (const BandValue v : BandValues) {
        const Outcome<double> form = formDiameter(gear, input.xn[v]);
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
