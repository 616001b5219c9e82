// Identification: random standard gears measured with noise come back first (or near it) with
// their helix angle, profile shift and hob dedendum; two pairs of one base pitch are both shown;
// unusable and hostile measurements end in their outcome, and no number is ever NaN.
#include "identification/identification.h"

#include "geometry/angles.h"
#include "geometry/gear.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace tamrel::identification {
namespace {

const double Modules[] = {0.3, 0.5, 0.8, 1, 1.25, 1.5, 1.75, 2,  2.5, 2.75, 3,  3.5,
                          4,   4.5, 5,   6, 7,    8,   9,    10, 12,  16,   20, 25};
const double Pitches[] = {1, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10, 12, 16, 20, 24, 32, 48, 64};
const double Dedenda[] = {1.25, 1.3, 1.35, 1.4, 1.5};
enum Kind { Spur, Helical, RoughHelix, OverBalls };

struct Row {
    const char* name;
    System system;
    double pressureAngle;
    Kind kind;
};

// A drawn gear, its measurements and what it must come back as.
struct Trial {
    Measurements m;
    double mn, beta, xn, dedendum;
    std::string name;
};

Trial draw(const Row& row, std::mt19937_64& random) {
    std::uniform_real_distribution<double> uniform(-1, 1);
    const auto pick = [&random](const auto& values) {
        return values[random() % std::size(values)];
    };
    Trial t;
    t.mn = row.system == System::Module ? pick(Modules) : 25.4 / pick(Pitches);
    t.beta = row.kind == Spur ? 0 : 21.5 + 13.5 * uniform(random);
    t.xn = 0.2 + 0.6 * uniform(random);
    t.dedendum = pick(Dedenda);
    const int z = 8 + static_cast<int>(random() % 143);
    const Gear g =
        deriveGear(t.mn, RAD(row.pressureAngle), static_cast<std::int16_t>(z), RAD(t.beta));
    const double zv = z / std::pow(std::cos(g.beta), 3);
    const int k =
        std::clamp(static_cast<int>(std::lround(zv * row.pressureAngle / 180 + 0.5)), 1, z - 3);
    t.m.teeth = z;
    for (int n = k; n < k + 2 + static_cast<int>(random() % 2); ++n) {
        const double w = XnToSM(g.mt, g.alphaT, g.z, g.beta, static_cast<std::int16_t>(n), t.xn);
        t.m.spans.push_back({n, w + 0.002 * uniform(random)});
    }
    t.m.tipDiameter = g.d + 2 * t.mn * (1 + t.xn) + 0.01 * uniform(random);
    t.m.rootDiameter = g.d - 2 * t.mn * (t.dedendum - t.xn);
    if (row.kind == Spur) {
        t.m.helixAngle = 0;
    } else if (row.kind == RoughHelix) {
        t.m.helixAngle = t.beta + 1.5 * uniform(random);
    }
    // The tip fixes the helix angle to mn z sin(beta) cos^2(alphaT) / cos^2(beta) mm a radian:
    // below 4 mm, 10 um of noise on it leaves more than 0.3 degrees open, and an inspector measures
    // over balls too.
    const double ratio = std::cos(g.alphaT) / std::cos(g.beta);
    const double tipPerRadian = t.mn * z * std::sin(g.beta) * ratio * ratio;
    if (row.kind == OverBalls || (row.kind != Spur && tipPerRadian < 4)) {
        const double M = XnToDM(g.mt, g.alphaT, g.z, g.beta, 1.7 * t.mn, t.xn);
        t.m.ball = BallMeasure{1.7 * t.mn, M + 0.002 * uniform(random)};
    }
    std::ostringstream name;
    name << row.name << ": mn " << t.mn << ", beta " << t.beta << ", Xn " << t.xn << ", z " << z
         << ", k " << k << (t.m.ball ? ", over balls" : "");
    t.name = name.str();
    return t;
}

// clang-format off
const Row Rows[] = {
    {"module 14.5 spur", System::Module, 14.5, Spur},
    {"module 20 spur", System::Module, 20, Spur},
    {"module 25 spur", System::Module, 25, Spur},
    {"module 14.5 helical", System::Module, 14.5, Helical},
    {"module 20 helical", System::Module, 20, Helical},
    {"module 25 helical", System::Module, 25, Helical},
    {"module 20 rough helix", System::Module, 20, RoughHelix},
    {"module 25 over balls", System::Module, 25, OverBalls},
    {"DP 14.5 spur", System::DiametralPitch, 14.5, Spur},
    {"DP 20 spur", System::DiametralPitch, 20, Spur},
    {"DP 25 spur", System::DiametralPitch, 25, Spur},
    {"DP 14.5 helical", System::DiametralPitch, 14.5, Helical},
    {"DP 20 helical", System::DiametralPitch, 20, Helical},
    {"DP 25 helical", System::DiametralPitch, 25, Helical},
    {"DP 14.5 rough helix", System::DiametralPitch, 14.5, RoughHelix},
    {"DP 20 over balls", System::DiametralPitch, 20, OverBalls},
};
// clang-format on

// Noise of +-2 um on spans and balls and +-10 um on the tip, tolerances at their defaults.
TEST(Identification, RandomStandardGearsComeBackFirstWithTheirHelixAndProfileShift) {
    std::mt19937_64 random(20);
    int trials = 0, first = 0;
    for (const Row& row : Rows) {
        for (int i = 0; i < 40; ++i, ++trials) {
            const Trial t = draw(row, random);
            const Identification found = identify(t.m);
            std::size_t rank = 0;
            while (rank < found.candidates.size() &&
                   !(found.candidates[rank].system == row.system &&
                     found.candidates[rank].module == t.mn &&
                     found.candidates[rank].pressureAngle == row.pressureAngle))
                ++rank;
            ASSERT_LT(rank, 3u) << t.name;
            const Candidate& c = found.candidates[rank];
            EXPECT_EQ(found.outcome, Outcome::Identified) << t.name;
            EXPECT_NEAR(c.helixAngle, t.beta, 0.3) << t.name;
            EXPECT_NEAR(c.profileShift, t.xn, 0.03) << t.name;
            EXPECT_EQ(c.dedendum, t.dedendum) << t.name;
            first += rank == 0;
        }
    }
    EXPECT_GE(first, trials * 95 / 100);
}

bool allFinite(const Identification& found) {
    bool finite = std::isfinite(found.basePitch);
    for (const Candidate& c : found.candidates) {
        for (double v :
             {c.module, c.diametralPitch.value_or(0), c.pressureAngle, c.helixAngle, c.profileShift,
              c.tipDiameter, c.dedendum.value_or(0), c.residuals.basePitch, c.residuals.tip,
              c.residuals.ball.value_or(0), c.largestResidual, c.score})
            finite = finite && std::isfinite(v);
        for (double v : c.residuals.spans)
            finite = finite && std::isfinite(v);
    }
    return finite;
}

// Module 1.25 at 20 degrees and DP 20 at 22.5 degrees differ by 4 um in base pitch: a spur gear
// of the first, measured exactly, also fits the second with another profile shift.
TEST(Identification, TwoStandardPairsOfOneBasePitchAreBothShown) {
    const Gear g = deriveGear(1.25, RAD(20), 30, 0);
    Measurements m;
    m.teeth = 30;
    m.tipDiameter = g.d + 2 * 1.25 * 1.2;
    m.helixAngle = 0;
    for (std::int16_t k : {4, 5})
        m.spans.push_back({k, XnToSM(g.mt, g.alphaT, g.z, 0, k, 0.2)});
    const Identification found = identify(m);
    ASSERT_EQ(found.candidates.size(), 2u);
    EXPECT_EQ(found.candidates[0].module, 1.25);
    EXPECT_NEAR(found.candidates[0].profileShift, 0.2, 1e-9);
    EXPECT_EQ(found.candidates[1].diametralPitch, 20.0);
    EXPECT_EQ(found.candidates[1].pressureAngle, 22.5);
    EXPECT_NEAR(found.candidates[1].residuals.basePitch, 0.00405, 5e-5);
}

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// What the spans, tip and the rest give, the outcome, and how many candidates come back.
TEST(Identification, UnusableOrUnfittingMeasurementsEndInTheirOutcome) {
    // The window's start gear: DP 8, 20 degrees, 59 teeth, 15 degrees, Xn -0.1445.
    Measurements gear;
    gear.teeth = 59;
    gear.spans = {{7, 63.507}, {8, 72.8801}};
    gear.tipDiameter = 199.3655;
    const auto with = [&gear](auto change) {
        Measurements m = gear;
        change(m);
        return m;
    };
    // clang-format off
    const std::tuple<const char*, Measurements, Outcome, std::size_t> cases[] = {
        {"the start gear", gear, Outcome::Identified, 1},
        {"a third span", with([](auto& m) { m.spans.push_back({9, 82.2531}); }), Outcome::Identified, 1},
        {"tip 3 mm large", with([](auto& m) { m.tipDiameter += 3; m.helixAngle = 15; }), Outcome::NothingFits, 1},
        {"base pitch 9.34", with([](auto& m) { m.spans[1].width = 72.847; }), Outcome::NoStandardBasePitch, 5},
        {"balls off the flanks", with([](auto& m) { m.ball = BallMeasure{40, 201}; }), Outcome::NothingFits, 2},
        {"no teeth", with([](auto& m) { m.teeth = 0; }), Outcome::TeethOutOfRange, 0},
        {"32768 teeth", with([](auto& m) { m.teeth = 32768; }), Outcome::TeethOutOfRange, 0},
        {"one span", with([](auto& m) { m.spans.pop_back(); }), Outcome::SpanCount, 0},
        {"counts 7, 9", with([](auto& m) { m.spans[1].teeth = 9; }), Outcome::SpansNotConsecutive, 0},
        {"counts 8, 7", with([](auto& m) { m.spans = {{8, 72.8801}, {7, 63.507}}; }), Outcome::SpansNotConsecutive, 0},
{"counts round INT_MAX", with([](auto& m) { m.spans = {{INT_MAX, 1}, {INT_MIN, 2}}; }), Outcome::SpansNotConsecutive, 0},
                {"span over 0", with([](auto& m) { m.spans = {{0, 1}, {1, 2}}; }), Outcome::SpannedTeethOutOfRange, 0},
        {"span over all", with([](auto& m) { m.teeth = 8; }), Outcome::SpannedTeethOutOfRange, 0},
        {"span 0", with([](auto& m) { m.spans[0].width = 0; }), Outcome::SpanNotALength, 0},
        {"span NaN", with([](auto& m) { m.spans[1].width = nan; }), Outcome::SpanNotALength, 0},
        {"span huge", with([](auto& m) { m.spans[1].width = 1e300; }), Outcome::SpanNotALength, 0},
        {"equal spans", with([](auto& m) { m.spans[1].width = 63.507; }), Outcome::SpansNotIncreasing, 0},
        {"tip negative", with([](auto& m) { m.tipDiameter = -199; }), Outcome::TipNotALength, 0},
        {"tip infinite", with([](auto& m) { m.tipDiameter = inf; }), Outcome::TipNotALength, 0},
        {"tip below the spans", with([](auto& m) { m.tipDiameter = 70; }), Outcome::TipNotAboveSpans, 0},
        {"root above tip", with([](auto& m) { m.rootDiameter = 200; }), Outcome::RootNotBelowTip, 0},
        {"helix -15", with([](auto& m) { m.helixAngle = -15; }), Outcome::HelixOutOfRange, 0},
        {"helix NaN", with([](auto& m) { m.helixAngle = nan; }), Outcome::HelixOutOfRange, 0},
        {"ball over its M", with([](auto& m) { m.ball = BallMeasure{5.5, 5}; }), Outcome::BallNotUsable, 0},
        {"tolerance 0", with([](auto& m) { m.spanTolerance = 0; }), Outcome::ToleranceOutOfRange, 0},
        {"tolerance NaN", with([](auto& m) { m.tipTolerance = nan; }), Outcome::ToleranceOutOfRange, 0},
    };
    // clang-format on
    for (const auto& [name, m, outcome, count] : cases) {
        const Identification found = identify(m);
        EXPECT_EQ(found.outcome, outcome) << name;
        EXPECT_EQ(found.candidates.size(), count) << name;
        EXPECT_TRUE(allFinite(found)) << name;
        EXPECT_EQ(*messageOf(outcome) == '\0', outcome == Outcome::Identified) << name;
        EXPECT_EQ(isInputError(outcome), count == 0) << name;
    }
}

}  // namespace
}  // namespace tamrel::identification
