#include "inspection/gear.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel::inspection {

namespace {

bool positiveFinite(double v) {
    return std::isfinite(v) && v > 0;
}

bool gearUsable(const InspectionInput& in) {
    const bool angles =
        in.alphaN > 0 && in.alphaN < PI / 2 && std::isfinite(in.beta) && std::abs(in.beta) < PI / 2;
    bool band = true;
    for (const BandValue v : bandValues) {
        band = band && std::isfinite(in.xn[v]);
    }
    return positiveFinite(in.mn) && angles && band && in.z != 0 && in.z != INT16_MIN;
}

}  // namespace

std::optional<Gear> makeGear(const InspectionInput& in) {
    if (!gearUsable(in)) {
        return std::nullopt;
    }
    Gear g{};
    g.mn = in.mn;
    g.alphaN = in.alphaN;
    g.z = in.z;
    g.beta = in.beta;
    g.mt = requireFinite(in.mn / std::cos(in.beta), "transverse module");
    g.alphaT = std::atan(std::tan(in.alphaN) / std::cos(in.beta));
    g.zAbs = detail::absTeeth(in.z);
    g.sgn = detail::signOf(in.z);
    g.d = requireFinite(g.zAbs * g.mt, "reference diameter");
    g.db = detail::baseDiameter(g.mt, g.alphaT, in.z);
    g.cosBetaB = detail::cosBaseHelix(g.alphaT, in.beta);
    g.tanBetaB = std::tan(std::abs(in.beta)) * std::cos(g.alphaT);
    return g;
}

bool diametersUsable(const InspectionInput& in) {
    return positiveFinite(in.tipDiameter) && positiveFinite(in.rootDiameter);
}

}  // namespace tamrel::inspection
