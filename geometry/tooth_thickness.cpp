#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel {

double XnToSN(double MS, double PS, double BO, double XN, std::int16_t Z) {
    const double sgn = detail::signOf(Z);
    const double shift = requireFinite(sgn * XN * std::cos(BO) * 2 * std::tan(PS), "XnToSN");
    return requireFinite((shift + PI / 2) * std::cos(BO) * MS, "XnToSN");
}

double XnFromSN(double MS, double PS, double BO, double SN, std::int16_t Z) {
    const double sgn = detail::signOf(Z);
    const double transverse = requireFinite(SN / std::cos(BO) / MS, "XnFromSN");
    return requireFinite((transverse - PI / 2) * sgn / 2 / std::tan(PS) / std::cos(BO), "XnFromSN");
}

}  // namespace tamrel
