#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <cmath>

namespace tamrel {

namespace {

bool isEven(std::int16_t Z) {
    return Z % 2 == 0;
}

// cos(PI / 2 / Z): with an odd tooth count the two pins are not diametrically opposite.
double oddToothFactor(std::int16_t Z) {
    return std::cos(PI / 2 / Z);
}

double computeXnToDM(double MS, double PS, std::int16_t Z, double BO, double DP, double XN) {
    const double phi = detail::pinCentreAngle(MS, PS, Z, BO, DP, XN);
    if (!(phi > 0)) {
        return NoPinMeasure;
    }
    const double sgn = detail::signOf(Z);
    const double db = detail::baseDiameter(MS, PS, Z);
    const double overBall = requireFinite(db / std::cos(phi), "XnToDM");
    if (isEven(Z)) {
        return requireFinite(sgn * DP + overBall, "XnToDM");
    }
    return requireFinite(sgn * DP + overBall * oddToothFactor(Z), "XnToDM");
}

double computeXnFromDM(double MS, double PS, std::int16_t Z, double BO, double DP, double DM) {
    const double db = detail::baseDiameter(MS, PS, Z);
    const double sgn = detail::signOf(Z);
    const double absZ = detail::absTeeth(Z);

    double dCentre = requireFinite(DM - sgn * DP, "XnFromDM");
    if (!isEven(Z)) {
        dCentre = requireFinite(dCentre / oddToothFactor(Z), "XnFromDM");
    }
    const double squares = requireFinite(dCentre * dCentre - db * db, "XnFromDM");
    const double root =
        requireFinite(std::sqrt(squares), "XnFromDM: pin circle inside base circle");
    const double phi = ARCCOS(requireFinite(db / dCentre, "XnFromDM"));

    const double cosBetaB = detail::cosBaseHelix(PS, BO);
    double t = requireFinite(sgn * DP / cosBetaB, "XnFromDM");
    t = requireFinite((root - t) / db, "XnFromDM");
    t = t + t;
    t = 2 * phi - t;
    t = t + 2 * INV(PS);
    const double w = -requireFinite(t, "XnFromDM");

    const double numerator = requireFinite(sgn * PI + w * absZ, "XnFromDM");
    return requireFinite(numerator / 4 / std::tan(PS) / std::cos(BO), "XnFromDM");
}

}  // namespace

namespace detail {

double baseDiameter(double MS, double PS, std::int16_t Z) {
    const double absZ = absTeeth(Z);
    return requireFinite(absZ * MS * std::cos(PS), "base diameter");
}

double pinCentreAngle(double MS, double PS, std::int16_t Z, double BO, double DP, double XN) {
    const double db = baseDiameter(MS, PS, Z);
    const double sgn = signOf(Z);
    const double absZ = absTeeth(Z);
    const double cosBetaB = cosBaseHelix(PS, BO);

    const double q = requireFinite(XN * 4 * std::tan(PS) * std::cos(BO), "XnToDM");
    const double r = requireFinite(q - sgn * PI, "XnToDM");
    const double s = requireFinite((requireFinite(r / absZ, "XnToDM") + 2 * INV(PS)) / 2, "XnToDM");
    const double pinTerm =
        requireFinite(requireFinite(sgn * DP / cosBetaB, "XnToDM") / db, "XnToDM");
    const double u = requireFinite(pinTerm + s, "XnToDM");
    return ARCINV(u);
}

}  // namespace detail

double XnToDM(double MS, double PS, std::int16_t Z, double BO, double DP, double XN) {
    try {
        return computeXnToDM(MS, PS, Z, BO, DP, XN);
    } catch (const CalculationError&) {
        return NoPinMeasure;
    }
}

double XnFromDM(double MS, double PS, std::int16_t Z, double BO, double DP, double DM) {
    try {
        return computeXnFromDM(MS, PS, Z, BO, DP, DM);
    } catch (const CalculationError&) {
        return NoPinMeasure;
    }
}

}  // namespace tamrel
