// Terms of the tooth count and the base helix shared by the profile-shift routines.

#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel {

namespace detail {

std::int16_t absTeeth(std::int16_t Z) {
    if (Z == INT16_MIN) {
        throw CalculationError("16-bit overflow of |Z|");
    }
    return static_cast<std::int16_t>(Z < 0 ? -Z : Z);
}

double signOf(std::int16_t Z) {
    return Z > 0 ? 1.0 : (Z < 0 ? -1.0 : 0.0);
}

double cosBaseHelix(double PS, double BO) {
    const double tanBetaB = requireFinite(std::tan(BO) * std::cos(PS), "base helix angle");
    return requireFinite(std::cos(std::atan(tanBetaB)), "base helix angle");
}

}  // namespace detail

}  // namespace tamrel
