// Identification: random standard gears measured with noise come back first (or near it) with
// their helix angle, profile shift and hob dedendum; unusable and hostile measurements end in their
// outcome.
#include "identification/identification.h"

#include "geometry/angles.h"
#include "geometry/gear.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <tuple>

namespace tamrel::identification {
namespace {

// ISO 54 modules, first and second choice, and the common diametral pitches.
const double Modules[] = {0.3,   0.35, 0.4,   0.45, 0.5,  0.55, 0.6,  0.7, 0.75, 0.8, 0.9, 1,
                          1.125, 1.25, 1.375, 1.5,  1.75, 2,    2.25, 2.5, 2.75, 3,   3.5, 4,
                          4.5,   5,    5.5,   6,    6.5,  7,    8,    9,   10,   11,  12,  14,
                          16,    18,   20,    22,   25,   28,   32,   36,  40,   45,  50};
const double Pitches[] = {1,  1.25, 1.5, 1.75, 2,  2.25, 2.5, 3,  3.5, 4,  5,  6,  7,  8,  9,
                          10, 11,   12,  14,   16, 18,   20,  22, 24,  28, 32, 36, 40, 48, 64};
const double Dedenda[] = {1.25, 1.3, 1.35, 1.4, 1.5};
// Spur: helix angle given as 0; Helical: unknown; RoughHelix: given 1.5 degrees off at most;
// OverBalls: unknown, measured over balls too.
enum Kind { Spur, Helical, RoughHelix, OverBalls };
const char* const KindNames[] = {"spur", "helical", "rough helix", "over balls"};
constexpr System M = System::Module, DP = System::DiametralPitch;

// The system, normal pressure angle and kind of 40 random gears each.
const std::tuple<System, double, Kind> Rows[] = {
    {M, 14.5, Spur},   {M, 20, Spur},     {M, 15, Spur},          {M, 14.5, Helical},
    {M, 20, Helical},  {M, 25, Helical},  {M, 20, RoughHelix},    {M, 25, OverBalls},
    {DP, 14.5, Spur},  {DP, 20, Spur},    {DP, 25, Spur},         {DP, 14.5, Helical},
    {DP, 20, Helical}, {DP, 25, Helical}, {DP, 14.5, RoughHelix}, {DP, 20, OverBalls},
};

// Noise of +-2 um on spans and balls and +-10 um on the tip, tolerances at their defaults.
TEST(Identification, RandomStandardGearsComeBackFirstWithTheirHelixAndProfileShift) {
    std::mt19937_64 random(20);
    std::uniform_real_distribution<double> uniform(-1, 1);
    const auto pick = [&random](const auto& v) { return v[random() % std::size(v)]; };
    int trials = 0, first = 0;
    for (const auto& [system, angle, kind] : Rows) {
        for (int i = 0; i < 40; ++i, ++trials) {
            const double mn = system == M ? pick(Modules) : 25.4 / pick(Pitches);
            const double beta = kind == Spur ? 0 : 21.5 + 13.5 * uniform(random);
            const double xn = 0.2 + 0.6 * uniform(random), dedendum = pick(Dedenda);
            const auto z = static_cast<std::int16_t>(8 + random() % 143);
            const Gear g = deriveGear(mn, RAD(angle), z, RAD(beta));
            // The usual k of the virtual spur gear's number of teeth.
            const double zv = z / std::pow(std::cos(g.beta), 3);
            const int k = std::clamp<long>(std::lround(zv * angle / 180 + 0.5), 1, z - 3);
            Measurements m;
            m.teeth = z;
            for (std::int16_t n = k; n < k + 2 + static_cast<int>(random() % 2); ++n)
                m.spans.push_back(
                    {n, XnToSM(g.mt, g.alphaT, z, g.beta, n, xn) + 0.002 * uniform(random)});
            m.tipDiameter = g.d + 2 * mn * (1 + xn) + 0.01 * uniform(random);
            m.rootDiameter = g.d - 2 * mn * (dedendum - xn);
            if (kind == Spur || kind == RoughHelix)
                m.helixAngle = kind == Spur ? 0 : beta + 1.5 * uniform(random);
            // The tip fixes the helix angle to mn z sin(beta) cos^2(alphaT) / cos^2(beta) mm a
            // radian: below 4 mm, 10 um of noise on it leaves more than 0.3 degrees open, and an
            // inspector measures over balls too.
            const double cos2 = std::pow(std::cos(g.alphaT) / std::cos(g.beta), 2);
            if (kind == OverBalls || (kind != Spur && mn * z * std::sin(g.beta) * cos2 < 4))
                m.ball = BallMeasure{1.7 * mn, XnToDM(g.mt, g.alphaT, z, g.beta, 1.7 * mn, xn) +
                                                   0.002 * uniform(random)};
            SCOPED_TRACE(testing::Message()
                         << (system == M ? "module " : "DP ") << angle << ' ' << KindNames[kind]
                         << ": mn " << mn << ", beta " << beta << ", Xn " << xn << ", z " << z
                         << ", k " << k << (m.ball ? ", over balls" : ""));
            const Identification found = identify(m);
            // The true gear's rank: no module of one system is one of the other.
            const auto& c = found.candidates;
            std::size_t r = 0;
            while (r < c.size() && std::tie(c[r].module, c[r].pressureAngle) != std::tie(mn, angle))
                ++r;
            ASSERT_LT(r, 3u);
            EXPECT_EQ(found.outcome, Outcome::Identified);
            EXPECT_EQ(c[r].system, system);
            EXPECT_NEAR(c[r].helixAngle, beta, 0.3);
            EXPECT_NEAR(c[r].profileShift, xn, 0.03);
            EXPECT_EQ(c[r].dedendum, dedendum);
            first += r == 0;
        }
    }
    EXPECT_GE(first, trials * 95 / 100);
}

// What the spans, tip and the rest give, the outcome, and how many candidates come back.
TEST(Identification, UnusableOrUnfittingMeasurementsEndInTheirOutcome) {
    // The window's start gear: DP 8, 20 degrees, 59 teeth, 15 degrees, Xn -0.1445.
    Measurements gear;
    gear.teeth = 59;
    gear.spans = {{7, 63.507}, {8, 72.8801}};
    gear.tipDiameter = 199.3655;
    // clang-format off
    const std::tuple<const char*, Measurements (*)(Measurements), Outcome, std::size_t> cases[] = {
        {"the start gear", [](auto m) { return m; }, Outcome::Identified, 1},
        {"tip 3 mm large", [](auto m) { m.tipDiameter += 3; m.helixAngle = 15; return m; }, Outcome::NothingFits, 1},
        {"base pitch 9.34", [](auto m) { m.spans[1].width = 72.847; return m; }, Outcome::NoStandardBasePitch, 5},
        {"balls off the flanks", [](auto m) { m.ball = BallMeasure{40, 201}; return m; }, Outcome::NothingFits, 2},
        {"no teeth", [](auto m) { m.teeth = 0; return m; }, Outcome::TeethOutOfRange, 0},
        {"32768 teeth", [](auto m) { m.teeth = 32768; return m; }, Outcome::TeethOutOfRange, 0},
        {"one span", [](auto m) { m.spans.pop_back(); return m; }, Outcome::SpanCount, 0},
        {"counts 7, 9", [](auto m) { m.spans[1].teeth = 9; return m; }, Outcome::SpansNotConsecutive, 0},
        {"counts round INT_MAX", [](auto m) { m.spans = {{INT_MAX, 1}, {INT_MIN, 2}}; return m; }, Outcome::SpansNotConsecutive, 0},
        {"span over 0", [](auto m) { m.spans = {{0, 1}, {1, 2}}; return m; }, Outcome::SpannedTeethOutOfRange, 0},
        {"span over all", [](auto m) { m.teeth = 8; return m; }, Outcome::SpannedTeethOutOfRange, 0},
        {"span 0", [](auto m) { m.spans[0].width = 0; return m; }, Outcome::SpanNotALength, 0},
        {"span huge", [](auto m) { m.spans[1].width = 1e300; return m; }, Outcome::SpanNotALength, 0},
        {"equal spans", [](auto m) { m.spans[1].width = 63.507; return m; }, Outcome::SpansNotIncreasing, 0},
        {"tip negative", [](auto m) { m.tipDiameter = -199; return m; }, Outcome::TipNotALength, 0},
        {"tip as long as a span", [](auto m) { m.tipDiameter = 72.8801; return m; }, Outcome::TipNotAboveSpans, 0},
        {"root above tip", [](auto m) { m.rootDiameter = 200; return m; }, Outcome::RootNotBelowTip, 0},
        {"helix -15", [](auto m) { m.helixAngle = -15; return m; }, Outcome::HelixOutOfRange, 0},
        {"ball as large as M", [](auto m) { m.ball = BallMeasure{5.5, 5.5}; return m; }, Outcome::BallNotUsable, 0},
        {"tolerances at their limits", [](auto m) { m.spanTolerance = 1e-6; m.tipTolerance = 1; return m; }, Outcome::NoStandardBasePitch, 5},
        {"tolerance 0", [](auto m) { m.spanTolerance = 0; return m; }, Outcome::ToleranceOutOfRange, 0},
        {"tolerance NaN", [](auto m) { m.tipTolerance = NAN; return m; }, Outcome::ToleranceOutOfRange, 0},
    };
    // clang-format on
    for (const auto& [name, change, outcome, count] : cases) {
        const Identification found = identify(change(gear));
        EXPECT_EQ(found.outcome, outcome) << name;
        EXPECT_EQ(found.candidates.size(), count) << name;
        EXPECT_EQ(*messageOf(outcome) == '\0', outcome == Outcome::Identified) << name;
    }
}

}  // namespace
}  // namespace tamrel::identification
