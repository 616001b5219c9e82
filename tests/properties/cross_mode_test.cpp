// A value the window displays, typed back as the reference of another mode, gives back the same
// profile shift coefficient - as closely as the fifteen displayed digits allow.
//
// Tolerance. A displayed value v carries up to half a unit of its last digit (fifteen significant
// digits, sixteen decimals at most). Typed back, that moves the profile shift by
// (half unit of v) / |dv/dXn|; the displayed profile shift adds half a unit of its own last digit.
// The slope dv/dXn is measured by the run itself, over a band of +-1e-4 around Xn. On top of the
// digits comes the arithmetic of the routines, four units in the last place of each value - except
// for the pins, whose inverse takes sqrt(dc^2 - db^2) and so loses eps / sin^2(phi) of the pin
// circle diameter dc, phi being the pressure angle at the pin centre. The sum is doubled.

#include "random_gear.h"

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "conversion/numeric_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace tamrel {
namespace {

using testing::RandomGear;

constexpr double Safety = 2;
constexpr double ArithmeticUlps = 4;
const char* const Names[] = {"Xn", "W", "M", "Sn"};

// Half a unit of the last digit the window shows of v.
double halfDisplayedDigit(double v) {
    const double exponent = v == 0 ? -16 : std::floor(std::log10(std::fabs(v)));
    return std::max(std::pow(10.0, exponent - 14), 1e-16) / 2;
}

// sin^2 of the pressure angle at the pin centre, for a dimension over pins m.
double pinCentreSin2(const RandomGear& g, double m) {
    const auto [mt, alphaT, beta] = testing::transverseOf(g);
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

// One compute run of the gear in `mode`, the reference row typed as given. Span count and pin
// diameter are typed only where needed: the pins' routine is the slowest part of a run.
MemoryFieldStore run(const RandomGear& g, bool span, bool pins, int mode, const std::string& value,
                     const std::string& upper = "0", const std::string& lower = "0") {
    MemoryFieldStore store;
    store.selectReference(mode);
    store.setText(Field::MN, typed(g, g.mnTyped, 3));
    store.setText(Field::PN, typed(g, g.alpha, 1));
    store.setText(Field::ZG, std::to_string(g.z));
    store.setText(Field::BOG, typed(g, g.beta, 2));
    store.setText(Field::ZMG, span ? std::to_string(g.k) : "");
    store.setText(Field::DPG, pins ? typed(g, g.dp, 3) : "");
    store.setText(reference(mode), value);
    store.setText(upperTolerance(mode), upper);
    store.setText(lowerTolerance(mode), lower);
    ProgramState state;
    runConversion(store, state, g.locale);
    return store;
}

// The ordered pair of different modes number p: from p / 3 to one of the other three.
std::pair<int, int> modes(int p) {
    return {p / 3, p % 3 + (p % 3 >= p / 3 ? 1 : 0)};
}

class CrossMode : public ::testing::TestWithParam<int> {};

// Each ordered pair of modes takes its own twelfth of the gears.
TEST_P(CrossMode, FedAnotherModesDisplayGivesBackTheProfileShift) {
    const auto [from, to] = modes(GetParam());
    const bool span = from == W || to == W;
    const bool pins = from == M || to == M;
    // Straight from the typed Xn, or through a run in mode `from`.
    const bool direct = from == Xn || to == Xn;
    const int mode = to == Xn ? from : to;
    const int gears = (testing::GearCount + 11) / 12;
    int checked = 0;
    testing::GearSource source(from * QuantityCount + to);
    for (int i = 0; i < gears; ++i) {
        const RandomGear g = source.next();
        const auto value = [&g](const MemoryFieldStore& store, Field f) {
            return parseNumber(store.text(f), g.locale).value_or(NAN);
        };
        // The run of mode Xn with a band of +-1e-4 gives the displayed measures and their slopes.
        const MemoryFieldStore band =
            run(g, span, pins, Xn, typed(g, g.xn, 9), typed(g, 1e-4, 4), typed(g, -1e-4, 4));
        ASSERT_EQ(band.text(Field::Error), "") << "gear " << i;
        const auto spread = [&](int q) {
            return value(band, maximum(q)) - value(band, minimum(q));
        };
        if (!std::isfinite(value(band, reference(from)) + spread(from)) ||
            !std::isfinite(value(band, reference(to)) + spread(to))) {
            continue;  // pins out of reach
        }
        // How far a displayed value v of quantity q may move the profile shift.
        const auto shiftError = [&](int q, double v) {
            const double arithmetic = ArithmeticUlps * DBL_EPSILON * (q == Xn ? 1 : std::fabs(v));
            return (halfDisplayedDigit(v) + arithmetic / (q == M ? pinCentreSin2(g, v) : 1)) /
                   (q == Xn ? 1 : std::fabs(spread(q) / spread(Xn)));
        };
        // A run in mode `mode` fed with the value another run displays.
        const MemoryFieldStore fedBy =
            direct ? band : run(g, span, pins, from, band.text(reference(from)));
        const MemoryFieldStore fed = run(g, span, pins, mode, fedBy.text(reference(mode)));
        ASSERT_EQ(fedBy.text(Field::Error) + fed.text(Field::Error), "") << "gear " << i;
        const double before = value(fedBy, reference(Xn));
        const double after = value(fed, reference(Xn));
        const double tolerance =
            Safety * (shiftError(mode, value(fedBy, reference(mode))) + shiftError(Xn, after) +
                      (direct ? 0 : shiftError(Xn, before)));
        ASSERT_TRUE(std::isfinite(tolerance)) << "gear " << i;
        ASSERT_LE(std::fabs(after - before), tolerance) << "gear " << i;
        ++checked;
    }
    // Pins out of reach leave some gears out; most must still take part.
    EXPECT_GT(checked, gears * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CrossMode, ::testing::Range(0, 12), [](const auto& info) {
    return std::string(Names[modes(info.param).first]) + "To" + Names[modes(info.param).second];
});

}  // namespace
}  // namespace tamrel
