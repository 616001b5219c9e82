#pragma once

// Random valid gears from a fixed seed, typed the way an inspector would type them: a few decimals,
// sometimes a diametral pitch, spur and helical of either hand, external and internal.

#include "conversion/number_locale.h"
#include "geometry/angles.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace tamrel::testing {

#if defined(__SANITIZE_ADDRESS__)
#define TAMREL_TESTS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAMREL_TESTS_SANITIZED 1
#endif
#endif

// Every gear of the properties; the sanitized debug build runs ten times fewer to stay quick.
#ifdef TAMREL_TESTS_SANITIZED
inline constexpr int GearCount = 10000;
#else
inline constexpr int GearCount = 100000;
#endif

// A number with a fixed count of decimals, as text: decimalText(-3175, 3, ",") is "-3,175".
inline std::string decimalText(long long scaled, int decimals, const std::string& separator) {
    std::string digits = std::to_string(scaled < 0 ? -scaled : scaled);
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, decimals + 1 - digits.size(), '0');
    }
    const std::size_t point = digits.size() - decimals;
    std::string text = scaled < 0 ? "-" : "";
    text += digits.substr(0, point);
    if (decimals > 0) {
        text += separator + digits.substr(point);
    }
    return text;
}

struct RandomGear {
    // The entered values; mn is the module the run derives, also from a diametral pitch.
    double mn = 0;
    double alphaDegrees = 0;
    std::int16_t z = 0;
    double betaDegrees = 0;
    std::int16_t k = 0;
    double dp = 0;
    double xn = 0;
    // The same values as typed into the window.
    std::string mnText, alphaText, zText, betaText, kText, dpText, xnText;
    NumberLocale locale;
};

class GearSource {
public:
    explicit GearSource(std::uint64_t stream = 0) : engine_(0x7a3e1206 + stream) {}

    RandomGear next() {
        RandomGear g;
        g.locale.decimalSeparator = coin(0.5) ? "." : ",";
        const std::string& sep = g.locale.decimalSeparator;

        const double wanted = std::exp(uniform(std::log(0.5), std::log(20.0)));
        if (coin(0.25)) {
            // A diametral pitch: teeth per inch, typed negative.
            const long long pitch = std::llround(25.4 / wanted * 1000);
            g.mn = -25.4 / (-pitch / 1000.0);
            g.mnText = decimalText(-pitch, 3, sep);
        } else {
            const long long module = std::llround(wanted * 1000);
            g.mn = module / 1000.0;
            g.mnText = decimalText(module, 3, sep);
        }
        const long long alpha = integer(145, 300);
        g.alphaDegrees = alpha / 10.0;
        g.alphaText = decimalText(alpha, 1, sep);

        const auto teeth =
            static_cast<int>(std::lround(std::exp(uniform(std::log(5), std::log(500)))));
        g.z = static_cast<std::int16_t>(coin(0.3) ? -teeth : teeth);
        g.zText = std::to_string(g.z);

        const long long beta = coin(0.3) ? 0 : integer(-4500, 4500);
        g.betaDegrees = beta / 100.0;
        g.betaText = decimalText(beta, 2, sep);

        g.k = static_cast<std::int16_t>(
            std::max(1L, std::lround(teeth * g.alphaDegrees / 180 + 0.5)));
        g.kText = std::to_string(g.k);
        const long long pin = std::llround(g.mn * uniform(1.6, 1.8) * 1000);
        g.dp = pin / 1000.0;
        g.dpText = decimalText(pin, 3, sep);

        // Where the tooth exists: from a strong negative to a strong positive shift.
        const long long x = integer(-500000000, 1000000000);
        g.xn = x / 1e9;
        g.xnText = decimalText(x, 9, sep);
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

// The transverse module and pressure angle the geometry routines take, as the run derives them.
struct Transverse {
    double mt;
    double alphaT;
    double beta;
};

inline Transverse transverseOf(const RandomGear& g) {
    const double beta = RAD(g.betaDegrees);
    return {g.mn / std::cos(beta), std::atan(std::tan(RAD(g.alphaDegrees)) / std::cos(beta)), beta};
}

}  // namespace tamrel::testing
