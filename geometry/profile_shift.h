#pragma once

#include <cstdint>

// Conversions between the normal profile shift coefficient Xn and the three customary measures of
// tooth size. MS and PS are the transverse module and transverse pressure angle; Z is the signed
// number of teeth (negative for an internal gear), BO the helix angle in radians.
namespace tamrel {

// Span measurement W over ZM teeth. Throw CalculationError on a floating-point failure.
double XnToSM(double MS, double PS, std::int16_t Z, double BO, std::int16_t ZM, double XN);
double XnFromSM(double MS, double PS, std::int16_t Z, double BO, std::int16_t ZM, double SM);

// Dimension over (internal gear: between) two pins or balls of diameter DP. Never throw: every
// failure gives exactly NoPinMeasure.
inline constexpr double NoPinMeasure = -999.0;
double XnToDM(double MS, double PS, std::int16_t Z, double BO, double DP, double XN);
double XnFromDM(double MS, double PS, std::int16_t Z, double BO, double DP, double DM);

// Normal circular tooth thickness on the reference circle. Throw CalculationError on a
// floating-point failure.
double XnToSN(double MS, double PS, double BO, double XN, std::int16_t Z);
double XnFromSN(double MS, double PS, double BO, double SN, std::int16_t Z);

namespace detail {
// |Z| formed in 16 bits: Z = -32768 has no positive counterpart and throws CalculationError.
std::int16_t absTeeth(std::int16_t Z);
// +1, -1 or 0.
double signOf(std::int16_t Z);
// cos(betaB), the cosine of the base helix angle, as cos(atan(tan(BO) * cos(PS))).
double cosBaseHelix(double PS, double BO);
// The base diameter (|Z| * MS) * cos(PS). Throws CalculationError on a floating-point failure.
double baseDiameter(double MS, double PS, std::int16_t Z);
// The pressure angle at the pin centres as XnToDM finds it, ARCINV of the involute u; the centres
// lie on the diameter baseDiameter / cos(angle). An angle that is not positive means no pin
// position outside the base circle. Throws CalculationError on a floating-point failure.
double pinCentreAngle(double MS, double PS, std::int16_t Z, double BO, double DP, double XN);
}  // namespace detail

}  // namespace tamrel
