#include "inspection/span.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"
#include "inspection/usable_flank.h"

#include <algorithm>
#include <cmath>

namespace tamrel::inspection {

namespace {

double spanOver(const Gear& g, std::int16_t k, double xn) {
    return XnToSM(g.mt, g.alphaT, g.z, g.beta, k, xn);
}

// The anvils touch both flanks on the common normal, which lies in a base tangent plane inclined
// by betaB; its transverse projection W cos(betaB) is tangent to the base circle at its middle.
double anvilContact(const Gear& g, double w) {
    const double along = w * g.cosBetaB;
    return requireFinite(std::sqrt(g.db * g.db + along * along), "anvil contact");
}

// The (fractional) number of teeth spanned whose anvil contact lies on the diameter dc, from
// W cos(betaB) = db tan(a), cos(a) = db / dc, solved for k in the span formula.
double teethForContact(const Gear& g, double dc, double xn) {
    const double tanA = std::sqrt(dc * dc - g.db * g.db) / g.db;
    const double cos2 = g.cosBetaB * g.cosBetaB;
    return requireFinite(g.zAbs() / PI * (tanA / cos2 - INV(g.alphaT)) -
                             2 * xn * std::tan(g.alphaN) / PI + 0.5,
                         "teeth spanned");
}

double largestTeeth(const Gear& g) {
    return g.zAbs() - 1;
}

std::int16_t clampTeeth(const Gear& g, double k) {
    return static_cast<std::int16_t>(std::clamp(k, 1.0, largestTeeth(g)));
}

Outcome<std::int16_t> recommendedTeeth(const Gear& g, const Band<double>& xn) {
    const double xMid = xn[BandValue::Mid];
    const double dy = g.d + 2 * xMid * g.mn;
    if (!(dy > g.db)) {
        return Failure::ContactBelowBaseCircle;
    }
    return clampTeeth(g, std::round(teethForContact(g, dy, xMid)));
}

bool measuresEveryValue(const Gear& g, const Band<double>& xn, std::int16_t k,
                        const FlankRange& flank) {
    return std::all_of(BandValues.begin(), BandValues.end(), [&](BandValue v) {
        return onFlank(flank, anvilContact(g, spanOver(g, k, xn[v])));
    });
}

// The contact grows with k, so the measurable k are consecutive. The fractional k of the flank's
// ends narrow the search; each candidate is then checked with the span itself.
std::vector<std::int16_t> measurableTeeth(const Gear& g, const Band<double>& xn,
                                          const FlankRange& flank) {
    if (!(flank.to > flank.from)) {
        return {};
    }
    double lowest = 1;
    double highest = largestTeeth(g);
    for (const BandValue v : BandValues) {
        lowest = std::max(lowest, std::ceil(teethForContact(g, flank.from, xn[v])) - 1);
        highest = std::min(highest, std::floor(teethForContact(g, flank.to, xn[v])) + 1);
    }
    std::vector<std::int16_t> teeth;
    for (double k = lowest; k <= highest; ++k) {
        const auto whole = static_cast<std::int16_t>(k);
        if (measuresEveryValue(g, xn, whole, flank)) {
            teeth.push_back(whole);
        }
    }
    return teeth;
}

}  // namespace

SpanInspection inspectSpan(const Gear& g, const InspectionInput& in,
                           const Outcome<FlankRange>& flank) {
    SpanInspection span{Failure::TooFewTeeth, Failure::TooFewTeeth,
                        BandOutcome::filled(Failure::NoTeethSpanned), Failure::NoTeethSpanned,
                        Failure::NoTeethSpanned};
    if (g.zAbs() < 2) {
        return span;
    }
    span.recommendedTeeth = recommendedTeeth(g, in.xn);
    if (flank.hasValue()) {
        span.measurableTeeth = measurableTeeth(g, in.xn, flank.value());
    } else {
        span.measurableTeeth = flank.failure();
    }

    const std::int16_t k = in.teethSpanned.value_or(0);
    if (k < 1 || k > largestTeeth(g)) {
        return span;
    }
    double widest = 0;
    for (const BandValue v : BandValues) {
        const double w = spanOver(g, k, in.xn[v]);
        widest = std::max(widest, w);
        span.contactDiameter[v] = anvilContact(g, w);
    }
    const double sinBetaB = g.tanBetaB * g.cosBetaB;
    span.faceWidth = requireFinite(widest * sinBetaB, "face width");
    if (flank.hasValue()) {
        span.measurable = measuresEveryValue(g, in.xn, k, flank.value());
    } else {
        span.measurable = flank.failure();
    }
    return span;
}

}  // namespace tamrel::inspection
