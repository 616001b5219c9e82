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

bool gearUsable(const InspectionInput& in) {
    const bool angles =
        in.alphaN > 0 && in.alphaN < PI / 2 && std::isfinite(in.beta) && std::abs(in.beta) < PI / 2;
    bool band = true;
    for (const BandValue v : BandValues) {
        band = band && std::isfinite(in.xn[v]);
    }
    return positiveFinite(in.mn) && angles && band && rackUsable(in.rack) && in.z != 0 &&
           in.z != INT16_MIN;
}

}  // namespace

std::optional<Gear> makeGear(const InspectionInput& in) {
    if (!gearUsable(in)) {
        return std::nullopt;
    }
    return deriveGear(in.mn, in.alphaN, in.z, in.beta);
}

bool diametersUsable(const InspectionInput& in) {
    return positiveFinite(in.tipDiameter) && positiveFinite(in.rootDiameter);
}

}  // namespace tamrel::inspection
