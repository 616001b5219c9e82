#include "default_gear.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

namespace tamrel {
namespace {

using testing::defaultGear;
using testing::defaultHelix;

TEST(ToothThickness, HelicalGearExternalAndInternal) {
    const auto [MS, PS] = defaultGear;
    EXPECT_NEAR(XnToSN(MS, PS, defaultHelix, -0.1445, 59), 4.653308, 5e-7);
    EXPECT_NEAR(XnFromSN(MS, PS, defaultHelix, 4.6533, 59), -0.1445036, 5e-8);
    EXPECT_NEAR(XnToSN(MS, PS, defaultHelix, -0.1445, -59), 5.321248, 5e-7);
    EXPECT_NEAR(XnFromSN(MS, PS, defaultHelix, 4.6533, -59), 0.1445036, 5e-8);
}

TEST(ToothThickness, SpurGear) {
    const double alpha = RAD(20);
    EXPECT_EQ(XnToSN(2, alpha, 0, 0, 30), 3.14159265358979);
    EXPECT_NEAR(XnToSN(2, alpha, 0, 0.5, 30), 3.869533, 5e-7);
    EXPECT_NEAR(XnToSN(2, alpha, 0, 0.5, -30), 2.413652, 5e-7);
}

TEST(ToothThickness, NoTeethIgnoresTheShiftWithoutFailing) {
    const auto [MS, PS] = defaultGear;
    EXPECT_DOUBLE_EQ(XnToSN(MS, PS, defaultHelix, 0.7, 0), 3.175 * PI / 2);
    EXPECT_EQ(XnFromSN(MS, PS, defaultHelix, 123, 0), 0);
    EXPECT_TRUE(std::isfinite(XnFromSN(MS, PS, defaultHelix, -4, 59)));
}

TEST(ToothThickness, FloatingPointFailuresReachTheCaller) {
    const auto [MS, PS] = defaultGear;
    EXPECT_THROW(XnFromSN(MS, 0, defaultHelix, 4.65, 59), CalculationError);
    EXPECT_THROW(XnFromSN(0, PS, defaultHelix, 4.65, 59), CalculationError);
    EXPECT_THROW(XnToSN(MS, PS, defaultHelix, 1e308, 59), CalculationError);
}

}  // namespace
}  // namespace tamrel
