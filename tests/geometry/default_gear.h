#pragma once

#include "geometry/angles.h"

#include <cmath>
#include <cstdint>

namespace tamrel::testing {

// Transverse module and pressure angle of a gear, as the compute run derives them.
struct Transverse {
    double MS;
    double PS;
};

inline Transverse transverse(double mn, double alphaNDegrees, double betaDegrees) {
    const double beta = RAD(betaDegrees);
    return {mn / std::cos(beta), std::atan(std::tan(RAD(alphaNDegrees)) / std::cos(beta))};
}

// The window's start gear: mn 3.175, 20 degrees, 59 teeth, helix 15 degrees.
inline const Transverse defaultGear = transverse(3.175, 20, 15);
inline const double defaultHelix = RAD(15);

}  // namespace tamrel::testing
