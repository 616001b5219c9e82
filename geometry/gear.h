#pragma once

#include <cstdint>

namespace tamrel {

// One gear as every part of the program sees it: the entered values and the transverse values
// derived from them once. Lengths in millimetres, angles in radians.
struct Gear {
    double mn = 0;        // normal module
    double alphaN = 0;    // normal pressure angle
    std::int16_t z = 0;   // number of teeth, negative for an internal gear
    double beta = 0;      // helix angle, 0 for a spur gear
    double mt = 0;        // transverse module mn / cos(beta)
    double alphaT = 0;    // transverse pressure angle atan(tan(alphaN) / cos(beta))
    double d = 0;         // reference diameter |z| mt
    double db = 0;        // base diameter cos(alphaT) d
    double cosBetaB = 0;  // cosine of the base helix angle
    double tanBetaB = 0;  // tangent of the base helix angle of |beta|, never negative

    std::int16_t zAbs() const { return z < 0 ? static_cast<std::int16_t>(-z) : z; }
    // +1 external, -1 internal.
    double sgn() const { return z > 0 ? 1.0 : -1.0; }
    bool external() const { return z > 0; }
};

// Derives the transverse values in the order the conversions need for their last digits. Throws
// CalculationError when one is not finite or |z| does not fit 16 bits (z = -32768).
Gear deriveGear(double mn, double alphaN, std::int16_t z, double beta);

}  // namespace tamrel
