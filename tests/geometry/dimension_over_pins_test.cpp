#include "default_gear.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

namespace tamrel {
namespace {

using testing::defaultGear;
using testing::defaultHelix;

struct PinCase {
    const char* name;
    std::int16_t Z;
    double xn;
    double expectedM;
};

class DimensionOverPins : public ::testing::TestWithParam<PinCase> {};

TEST_P(DimensionOverPins, WorkedExampleAndItsRoundTrip) {
    const auto& c = GetParam();
    const auto [MS, PS] = defaultGear;
    const double m = XnToDM(MS, PS, c.Z, defaultHelix, 5.5, c.xn);
    EXPECT_NEAR(m, c.expectedM, 5e-7);
    EXPECT_NEAR(XnFromDM(MS, PS, c.Z, defaultHelix, 5.5, m), c.xn, 1e-13);
}

INSTANTIATE_TEST_SUITE_P(HelicalGear, DimensionOverPins,
                         ::testing::Values(PinCase{"OddExternal", 59, -0.1445, 200.788796},
                                           PinCase{"EvenExternal", 58, -0.1445, 197.570450},
                                           PinCase{"OddInternal", -59, -0.1445, 184.826600},
                                           PinCase{"LargeNegativeShift", 59, -1, 195.022218}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DimensionOverPinsExamples, FromRoundedMeasures) {
    const auto [MS, PS] = defaultGear;
    EXPECT_NEAR(XnFromDM(MS, PS, 59, defaultHelix, 5.5, 200.788796), -0.1445, 1e-7);
    EXPECT_NEAR(XnFromDM(MS, PS, 59, defaultHelix, 5.5, 200.7889), -0.1444827, 5e-8);
}

TEST(DimensionOverPinsExamples, SpurGearEvenAndOdd) {
    const double alpha = RAD(20);
    EXPECT_NEAR(XnToDM(2, alpha, 30, 0, 3.5, 0), 64.975328, 5e-7);
    EXPECT_NEAR(XnToDM(2, alpha, 31, 0, 3.5, 0), 66.897123, 5e-7);
}

TEST(DimensionOverPinsExamples, EveryFailureGivesExactlyTheSentinel) {
    const auto [MS, PS] = defaultGear;
    // No pin position outside the base circle.
    EXPECT_EQ(XnToDM(MS, PS, 59, defaultHelix, 5.5, -2), -999.0);
    // Pin circle inside the base circle, and M = 0.
    EXPECT_EQ(XnFromDM(MS, PS, 59, defaultHelix, 5.5, 150), -999.0);
    EXPECT_EQ(XnFromDM(MS, PS, 59, defaultHelix, 5.5, 0), -999.0);
    // No teeth: divisions by zero.
    EXPECT_EQ(XnToDM(MS, PS, 0, defaultHelix, 5.5, -0.1445), -999.0);
    EXPECT_EQ(XnFromDM(MS, PS, 0, defaultHelix, 5.5, 200), -999.0);
    // |Z| of -32768 overflows 16 bits.
    EXPECT_EQ(XnToDM(MS, PS, INT16_MIN, defaultHelix, 5.5, -0.1445), -999.0);
    EXPECT_EQ(XnFromDM(MS, PS, INT16_MIN, defaultHelix, 5.5, 200), -999.0);
    // Overflow of the squares and of the result.
    EXPECT_EQ(XnFromDM(MS, PS, 59, defaultHelix, 5.5, 1e300), -999.0);
    EXPECT_EQ(XnToDM(MS, PS, 59, defaultHelix, 5.5, 1e308), -999.0);
    // A transverse pressure angle of 0.
    EXPECT_EQ(XnFromDM(MS, 0, 59, defaultHelix, 5.5, 200), -999.0);
}

}  // namespace
}  // namespace tamrel
