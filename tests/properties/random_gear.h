#pragma once

// Random valid gears from a fixed seed, as an inspector would type them: a few decimals, sometimes
// a diametral pitch, spur and helical of either hand, external and internal.

#include "conversion/number_locale.h"
#include "geometry/angles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>

namespace tamrel::testing {

// Every gear of the properties; the sanitized build runs ten times fewer to stay quick.
inline constexpr int GearCount = TAMREL_PROPERTY_GEARS;

// As typed: the module (or a diametral pitch, typed negative) with three decimals, the pressure
// angle in degrees with one, the helix angle with two, the pin diameter with three, Xn with nine.
// mn is the module the run derives.
struct RandomGear {
    double mnTyped, mn, alpha, beta, dp, xn;
    std::int16_t z, k;
    NumberLocale locale;
};

class GearSource {
public:
    explicit GearSource(std::uint64_t stream = 0) : engine_(0x7a3e1206 + stream) {}

    RandomGear next() {
        RandomGear g{};
        g.locale.decimalSeparator = coin(0.5) ? "." : ",";
        const double wanted = std::exp(uniform(std::log(0.5), std::log(20.0)));
        const bool pitch = coin(0.25);  // teeth per inch
        g.mnTyped =
            pitch ? -std::round(25.4 / wanted * 1000) / 1000 : std::round(wanted * 1000) / 1000;
        g.mn = pitch ? -25.4 / g.mnTyped : g.mnTyped;
        g.alpha = integer(145, 300) / 10.0;
        const auto teeth =
            static_cast<int>(std::lround(std::exp(uniform(std::log(5), std::log(500)))));
        g.z = static_cast<std::int16_t>(coin(0.3) ? -teeth : teeth);
        g.beta = coin(0.3) ? 0 : integer(-4500, 4500) / 100.0;
        g.k = static_cast<std::int16_t>(std::max(1L, std::lround(teeth * g.alpha / 180 + 0.5)));
        g.dp = std::round(g.mn * uniform(1.6, 1.8) * 1000) / 1000;
        // Where the tooth exists: from a strong negative to a strong positive shift.
        g.xn = integer(-500000000, 1000000000) / 1e9;
        return g;
    }

    double uniform(double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

private:
    long long integer(long long lo, long long hi) {
        return lo + static_cast<long long>(engine_() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool coin(double probability) { return uniform(0, 1) < probability; }

    std::mt19937_64 engine_;
};

// The transverse module, the transverse pressure angle and the helix angle, as the run derives
// them.
inline std::tuple<double, double, double> transverseOf(const RandomGear& g) {
    const double beta = RAD(g.beta);
    return {g.mn / std::cos(beta), std::atan(std::tan(RAD(g.alpha)) / std::cos(beta)), beta};
}

}  // namespace tamrel::testing
