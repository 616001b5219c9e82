// Properties of the profile-shift routines and the compute run over random valid gears from a fixed
// seed, as an inspector would type them: a few decimals, sometimes a diametral pitch, spur and
// helical of either hand, external and internal.

#include "conversion/compute_run.h"
#include "conversion/memory_field_store.h"
#include "conversion/numeric_text.h"
#include "geometry/angles.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>

namespace tamrel {
namespace {

// Every gear of the properties; the sanitized build runs ten times fewer to stay quick.
constexpr int GearCount = TAMREL_PROPERTY_GEARS;

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
        g.locale.decimalSeparator = uniform(0, 1) < 0.5 ? "." : ",";
        const double wanted = std::exp(uniform(std::log(0.5), std::log(20.0)));
        const bool pitch = uniform(0, 1) < 0.25;  // teeth per inch
        g.mnTyped =
            pitch ? -std::round(25.4 / wanted * 1000) / 1000 : std::round(wanted * 1000) / 1000;
        g.mn = pitch ? -25.4 / g.mnTyped : g.mnTyped;
        g.alpha = integer(145, 300) / 10.0;
        const auto teeth =
            static_cast<int>(std::lround(std::exp(uniform(std::log(5), std::log(500)))));
        g.z = static_cast<std::int16_t>(uniform(0, 1) < 0.3 ? -teeth : teeth);
        g.beta = uniform(0, 1) < 0.3 ? 0 : integer(-4500, 4500) / 100.0;
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

    std::mt19937_64 engine_;
};

// The transverse module, the transverse pressure angle and the helix angle, as the run derives
// them.
std::tuple<double, double, double> transverseOf(const RandomGear& g) {
    const double beta = RAD(g.beta);
    return {g.mn / std::cos(beta), std::atan(std::tan(RAD(g.alpha)) / std::cos(beta)), beta};
}

// More profile shift means a thicker tooth: for an external gear the span measurement and the
// tooth thickness grow with Xn, and the dimension over (internal: between) pins grows wherever it
// is defined. Checked on the geometry routines for steps from 1e-6 to 1.
TEST(Monotonicity, ToothSizeGrowsWithProfileShift) {
    GearSource source;
    int external = 0;
    int pinsDefined = 0;
    for (int i = 0; i < GearCount; ++i) {
        const RandomGear g = source.next();
        const double x1 = g.xn;
        const double x2 = x1 + std::pow(10.0, source.uniform(-6, 0));
        const auto [mt, alphaT, beta] = transverseOf(g);
        const double sn1 = XnToSN(mt, alphaT, beta, x1, g.z);
        const double sn2 = XnToSN(mt, alphaT, beta, x2, g.z);
        // An internal gear's tooth grows the other way: its space widens.
        ASSERT_TRUE(g.z > 0 ? sn2 > sn1 : sn2 < sn1) << "gear " << i << ": " << sn1 << ", " << sn2;
        if (g.z > 0) {
            ++external;
            ASSERT_GT(XnToSM(mt, alphaT, g.z, beta, g.k, x2),
                      XnToSM(mt, alphaT, g.z, beta, g.k, x1))
                << "gear " << i;
        }
        const double m1 = XnToDM(mt, alphaT, g.z, beta, g.dp, x1);
        const double m2 = XnToDM(mt, alphaT, g.z, beta, g.dp, x2);
        if (m1 != NoPinMeasure) {
            ++pinsDefined;
            // Once the pins reach outside the base circle, a larger shift keeps them there.
            ASSERT_NE(m2, NoPinMeasure) << "gear " << i;
            ASSERT_GT(m2, m1) << "gear " << i;
        }
    }
    EXPECT_GT(external, GearCount / 2);
    EXPECT_GT(pinsDefined, GearCount * 3 / 4);
}

// Half a unit of the last digit the window shows of v.
double halfDisplayedDigit(double v) {
    const double exponent = v == 0 ? -16 : std::floor(std::log10(std::fabs(v)));
    return std::max(std::pow(10.0, exponent - 14), 1e-16) / 2;
}

// sin^2 of the pressure angle at the pin centre, for a dimension over pins m.
double pinCentreSin2(const RandomGear& g, double m) {
    const auto [mt, alphaT, beta] = transverseOf(g);
    const double db = std::abs(g.z) * mt * std::cos(alphaT);
    const double centres =
        (m - (g.z > 0 ? g.dp : -g.dp)) / (g.z % 2 == 0 ? 1 : std::cos(PI / 2 / g.z));
    const double c = db / centres;
    return 1 - c * c;
}

// v as typed with `decimals` decimals and the gear's separator.
std::string typed(const RandomGear& g, double v, int decimals) {
    char digits[32];
    std::string text(digits, std::snprintf(digits, sizeof digits, "%.*f", decimals, v));
    const auto point = text.find('.');
    return point == std::string::npos ? text : text.replace(point, 1, g.locale.decimalSeparator);
}

// One compute run of the gear in `mode`, the reference row typed as given. The span count and the
// pin diameter are typed only for their own mode: the pins' routine is the slowest part of a run.
MemoryFieldStore run(const RandomGear& g, int measure, int mode, const std::string& value,
                     const std::string& upper = "0", const std::string& lower = "0") {
    MemoryFieldStore store;
    store.selectReference(mode);
    store.setText(Field::MN, typed(g, g.mnTyped, 3));
    store.setText(Field::PN, typed(g, g.alpha, 1));
    store.setText(Field::ZG, std::to_string(g.z));
    store.setText(Field::BOG, typed(g, g.beta, 2));
    store.setText(Field::ZMG, measure == W ? std::to_string(g.k) : "");
    store.setText(Field::DPG, measure == M ? typed(g, g.dp, 3) : "");
    store.setText(reference(mode), value);
    store.setText(upperTolerance(mode), upper);
    store.setText(lowerTolerance(mode), lower);
    ProgramState state;
    runConversion(store, state, g.locale);
    return store;
}

class CrossMode : public ::testing::TestWithParam<Quantity> {};

// A measure the window displays for a typed profile shift, typed back as the reference of its own
// mode, gives back the profile shift as closely as the fifteen displayed digits allow.
//
// A displayed value v carries up to half a unit of its last digit. Typed back, that moves the
// profile shift by (half unit of v) / |dv/dXn|, the slope measured by the run itself over a band
// of +-1e-4; the displayed profile shift adds half a unit of its own last digit. On top come four
// units in the last place of the routines' arithmetic - except for the pins, whose inverse takes
// sqrt(dc^2 - db^2) and so loses eps / sin^2(phi) of the pin circle diameter dc, phi being the
// pressure angle at the pin centre. The sum is doubled.
TEST_P(CrossMode, DisplayedMeasureTypedBackGivesBackTheProfileShift) {
    const Quantity q = GetParam();
    const int gears = GearCount / 3;
    int checked = 0;
    GearSource source(q);
    for (int i = 0; i < gears; ++i) {
        const RandomGear g = source.next();
        const auto value = [&g](const MemoryFieldStore& store, Field f) {
            return parseNumber(store.text(f), g.locale).value_or(NAN);
        };
        const MemoryFieldStore band =
            run(g, q, Xn, typed(g, g.xn, 9), typed(g, 1e-4, 4), typed(g, -1e-4, 4));
        ASSERT_EQ(band.text(Field::Error), "") << "gear " << i;
        const double v = value(band, reference(q));
        const double slope = (value(band, maximum(q)) - value(band, minimum(q))) /
                             (value(band, maximum(Xn)) - value(band, minimum(Xn)));
        if (!std::isfinite(v + slope)) {
            continue;  // pins out of reach
        }
        const MemoryFieldStore fed = run(g, q, q, band.text(reference(q)));
        ASSERT_EQ(fed.text(Field::Error), "") << "gear " << i;
        const double after = value(fed, reference(Xn));
        const double arithmetic =
            4 * DBL_EPSILON * std::fabs(v) / (q == M ? pinCentreSin2(g, v) : 1);
        const double tolerance = 2 * ((halfDisplayedDigit(v) + arithmetic) / std::fabs(slope) +
                                      halfDisplayedDigit(after) + 4 * DBL_EPSILON);
        ASSERT_LE(std::fabs(after - value(band, reference(Xn))), tolerance) << "gear " << i;
        ++checked;
    }
    // Pins out of reach leave some gears out; most must still take part.
    EXPECT_GT(checked, gears * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(Modes, CrossMode, ::testing::Values(W, M, Sn), [](const auto& info) {
    return std::string(info.param == W ? "W" : info.param == M ? "M" : "Sn");
});

}  // namespace
}  // namespace tamrel
