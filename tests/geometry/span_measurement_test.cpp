#include "default_gear.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

namespace tamrel {
namespace {

using testing::defaultGear;
using testing::defaultHelix;

TEST(SpanMeasurement, DefaultGearTransverseValues) {
    EXPECT_NEAR(defaultGear.MS, 3.2870018728, 1e-10);
    EXPECT_NEAR(defaultGear.PS, 0.3603563240, 1e-10);
}

TEST(SpanMeasurement, WorkedExamplesOfTheHelicalGear) {
    const auto [MS, PS] = defaultGear;
    const double w = XnToSM(MS, PS, 59, defaultHelix, 8, -0.1445);
    EXPECT_NEAR(w, 72.880057, 5e-7);
    EXPECT_NEAR(XnToSM(MS, PS, 59, defaultHelix, 8, 0), 73.193886, 5e-7);
    EXPECT_NEAR(XnFromSM(MS, PS, 59, defaultHelix, 8, 72.8801), -0.1444800, 5e-8);
    EXPECT_NEAR(XnFromSM(MS, PS, 59, defaultHelix, 8, w), -0.1445, 1e-14);
    // Only the magnitude of the tooth count enters.
    EXPECT_EQ(XnToSM(MS, PS, -59, defaultHelix, 8, -0.1445), w);
}

TEST(SpanMeasurement, WorkedExamplesOfASpurGear) {
    const double alpha = RAD(20);
    EXPECT_NEAR(XnToSM(2, alpha, 30, 0, 4, 0), 21.505252, 5e-7);
    EXPECT_NEAR(XnToSM(2, alpha, 30, 0, 4, 0.5), 22.189293, 5e-7);
    EXPECT_NEAR(XnFromSM(2, alpha, 30, 0, 4, 22.0), 0.361636, 5e-7);
}

TEST(SpanMeasurement, ImplausibleInputStillGivesPlainNumbers) {
    const auto [MS, PS] = defaultGear;
    EXPECT_TRUE(std::isfinite(XnToSM(MS, PS, 59, defaultHelix, 0, -5)));
    EXPECT_TRUE(std::isfinite(XnFromSM(MS, PS, 59, defaultHelix, -3, -10)));
}

TEST(SpanMeasurement, FloatingPointFailuresReachTheCaller) {
    const auto [MS, PS] = defaultGear;
    // A transverse pressure angle of 0 divides by sin(0).
    EXPECT_THROW(XnFromSM(MS, 0, 59, defaultHelix, 8, 72.88), CalculationError);
    // |Z| of -32768 does not fit 16 bits.
    EXPECT_THROW(XnToSM(MS, PS, INT16_MIN, defaultHelix, 8, 0), CalculationError);
    EXPECT_THROW(XnFromSM(MS, PS, INT16_MIN, defaultHelix, 8, 72.88), CalculationError);
    // Overflow.
    EXPECT_THROW(XnToSM(1e307, PS, 32767, defaultHelix, 8, 0), CalculationError);
    EXPECT_THROW(XnFromSM(MS, PS, 59, defaultHelix, 8, 1.7e308), CalculationError);
    EXPECT_THROW(XnToSM(MS, PS, 59, defaultHelix, 8, 1e308), CalculationError);
}

}  // namespace
}  // namespace tamrel
