#include "inspection/gear.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"
#include "inspection/form_circle.h"

#include <cmath>

namespace tamrel::inspection {

namespace {

bool positiveFinite(double v) {
    return std::isfinite(v) && v > 0;
}

}  // namespace

bool gearUsable(const InspectionInput& in) {
    const Gear& g = in.gear;
    const bool angles =
        g.alphaN > 0 && g.alphaN < PI / 2 && std::isfinite(g.beta) && std::abs(g.beta) < PI / 2;
    bool band = true;
    for (const BandValue v : BandValues) {
        band = band && std::isfinite(in.xn[v]);
    }
    return positiveFinite(g.mn) && positiveFinite(g.d) && angles && band && rackUsable(in.rack) &&
           g.z != 0 && g.z != INT16_MIN;
}

bool diametersUsable(const InspectionInput& in) {
    return positiveFinite(in.tipDiameter) && positiveFinite(in.rootDiameter);
}

}  // namespace tamrel::inspection
