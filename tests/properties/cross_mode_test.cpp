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
#include "conversion/field_names.h"
#include "conversion/memory_field_store.h"
#include "conversion/numeric_text.h"
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamrel {
namespace {

using testing::RandomGear;

constexpr double Safety = 2;
constexpr double ArithmeticUlps = 4;

// Half a unit of the last digit the window shows of v.
double halfDisplayedDigit(double v) {
    const double magnitude = std::fabs(v);
    const double exponent = magnitude == 0 ? -16 : std::floor(std::log10(magnitude));
    return std::max(std::pow(10.0, exponent - 14), 1e-16) / 2;
}

struct Needs {
    bool span = false;
    bool pins = false;
};

// One compute run of the gear in `mode`, with the reference row typed as given.
class Window {
public:
    // Span count and pin diameter are typed only where the pair needs them: the pins' routine is
    // the slowest part of a run.
    Window(const RandomGear& g, Needs needs, int mode, const std::string& ref,
           const std::string& upper = "0", const std::string& lower = "0")
        : locale_(g.locale) {
        store_.selectReference(mode);
        store_.setText(field::MN, g.mnText);
        store_.setText(field::PN, g.alphaText);
        store_.setText(field::ZG, g.zText);
        store_.setText(field::BOG, g.betaText);
        store_.setText(field::ZMG, needs.span ? g.kText : "");
        store_.setText(field::DPG, needs.pins ? g.dpText : "");
        store_.setText(field::reference(mode), ref);
        store_.setText(field::upperTolerance(mode), upper);
        store_.setText(field::lowerTolerance(mode), lower);
        ProgramState state;
        runConversion(store_, state, locale_);
    }

    std::string message() const { return store_.text(field::Error); }
    // The nominal value of quantity q as its row displays it.
    std::string nominalText(int q) const { return store_.text(field::reference(q)); }
    double nominal(int q) const { return valueOf(field::reference(q)); }
    double maximum(int q) const { return valueOf(field::maximum(q)); }
    double minimum(int q) const { return valueOf(field::minimum(q)); }

private:
    double valueOf(const std::string& name) const {
        return parseNumber(store_.text(name), locale_).value_or(NAN);
    }
    MemoryFieldStore store_;
    NumberLocale locale_;
};

// sin^2 of the pressure angle at the pin centre, for a dimension over pins m.
double pinCentreSin2(const RandomGear& g, double m) {
    const auto [mt, alphaT, beta] = testing::transverseOf(g);
    const double db = std::abs(g.z) * mt * std::cos(alphaT);
    const double centres =
        (m - (g.z > 0 ? g.dp : -g.dp)) / (g.z % 2 == 0 ? 1 : std::cos(PI / 2 / g.z));
    const double c = db / centres;
    return 1 - c * c;
}

// The run of mode Xn with a band of +-1e-4: it supplies the displayed measures of the gear and
// their slopes.
class Reference {
public:
    Reference(const RandomGear& g, Needs needs)
        : gear_(g),
          band_(g, needs, Xn, g.xnText, testing::decimalText(1, 4, g.locale.decimalSeparator),
                testing::decimalText(-1, 4, g.locale.decimalSeparator)) {}

    const Window& run() const { return band_; }
    bool hasMeasure(int q) const {
        return std::isfinite(band_.nominal(q)) && std::isfinite(band_.maximum(q)) &&
               std::isfinite(band_.minimum(q));
    }
    // How far a displayed value v of quantity q may move the profile shift.
    double shiftError(int q, double v) const {
        double arithmetic = ArithmeticUlps * DBL_EPSILON * std::fabs(v);
        if (q == Xn) {
            return halfDisplayedDigit(v) + ArithmeticUlps * DBL_EPSILON;
        }
        if (q == M) {
            arithmetic /= pinCentreSin2(gear_, v);
        }
        return (halfDisplayedDigit(v) + arithmetic) / std::fabs(slope(q));
    }

private:
    double slope(int q) const {
        return (band_.maximum(q) - band_.minimum(q)) / (band_.maximum(Xn) - band_.minimum(Xn));
    }
    const RandomGear& gear_;
    Window band_;
};

struct PairOutcome {
    bool checked = false;
    double error = 0;
    double tolerance = 0;
};

// A run in mode `from`, fed with the value the Xn run displayed, then a run in mode `to` fed with
// what the first one displayed; compares the profile shifts the two display.
PairOutcome crossCheck(const RandomGear& g, Needs needs, int from, int to) {
    const Reference ref(g, needs);
    EXPECT_EQ(ref.run().message(), "");
    if (!ref.hasMeasure(from) || !ref.hasMeasure(to)) {
        return {};
    }
    // The Xn run's nominal row is what a run in mode Xn shows; no need to run it twice.
    const std::optional<Window> fed =
        from == Xn
            ? std::nullopt
            : std::optional<Window>(std::in_place, g, needs, from, ref.run().nominalText(from));
    const Window& source = fed ? *fed : ref.run();
    EXPECT_EQ(source.message(), "") << "mode " << from;
    const double sourceX = from == Xn ? g.xn : source.nominal(Xn);
    if (to == Xn) {
        const double budget =
            ref.shiftError(from, ref.run().nominal(from)) + ref.shiftError(Xn, sourceX);
        return {true, std::fabs(sourceX - g.xn), Safety * budget};
    }
    const Window target(g, needs, to, source.nominalText(to));
    EXPECT_EQ(target.message(), "") << "mode " << to << " fed " << source.nominalText(to);
    const double targetX = target.nominal(Xn);
    const double budget = ref.shiftError(to, source.nominal(to)) + ref.shiftError(Xn, targetX) +
                          (from == Xn ? 0 : ref.shiftError(Xn, sourceX));
    return {true, std::fabs(targetX - sourceX), Safety * budget};
}

struct ModePair {
    int from;
    int to;
};

std::vector<ModePair> modePairs() {
    std::vector<ModePair> pairs;
    for (int from = 0; from < QuantityCount; ++from) {
        for (int to = 0; to < QuantityCount; ++to) {
            if (from != to) {
                pairs.push_back({from, to});
            }
        }
    }
    return pairs;
}

class CrossMode : public ::testing::TestWithParam<ModePair> {};

// Each ordered pair of modes takes its own twelfth of the gears.
TEST_P(CrossMode, FedAnotherModesDisplayGivesBackTheProfileShift) {
    const auto [from, to] = GetParam();
    const Needs needs{from == W || to == W, from == M || to == M};
    const int gears = (testing::GearCount + 11) / 12;
    int checked = 0;
    testing::GearSource source(from * QuantityCount + to);
    for (int i = 0; i < gears; ++i) {
        const RandomGear g = source.next();
        const PairOutcome outcome = crossCheck(g, needs, from, to);
        if (!outcome.checked) {
            continue;
        }
        ++checked;
        ASSERT_TRUE(std::isfinite(outcome.tolerance)) << "gear " << i;
        ASSERT_LE(outcome.error, outcome.tolerance)
            << "gear " << i << ": mn " << g.mnText << ", alpha " << g.alphaText << ", z " << g.zText
            << ", beta " << g.betaText << ", k " << g.kText << ", dp " << g.dpText << ", xn "
            << g.xnText << ", separator " << g.locale.decimalSeparator;
    }
    // Pins out of reach leave some gears out; most must still take part.
    EXPECT_GT(checked, gears * 9 / 10);
}

std::string pairName(const ::testing::TestParamInfo<ModePair>& info) {
    static const char* const names[QuantityCount] = {"Xn", "W", "M", "Sn"};
    return std::string(names[info.param.from]) + "To" + names[info.param.to];
}

INSTANTIATE_TEST_SUITE_P(Pairs, CrossMode, ::testing::ValuesIn(modePairs()), pairName);

}  // namespace
}  // namespace tamrel
