#pragma once

#include "geometry/angles.h"
#include "inspection/inspection.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace tamrel::inspection::testing {

// One gear with the whole band at one profile shift, tip and root as the automatic run sets them.
inline InspectionInput gearInput(double mn, double alphaNDegrees, std::int16_t z,
                                 double betaDegrees, double xn) {
    const double beta = RAD(betaDegrees);
    const double d = std::abs(z) * mn / std::cos(beta);
    const double s = z > 0 ? 1 : -1;
    return {mn,           RAD(alphaNDegrees),           z,
            beta,         Band<double>::filled(xn),     std::nullopt,
            std::nullopt, d + 2 * s * mn + 2 * xn * mn, d - 2 * s * 1.25 * mn + 2 * xn * mn};
}

inline double mid(const BandOutcome& band) {
    return band[BandValue::Mid].value();
}

}  // namespace tamrel::inspection::testing
