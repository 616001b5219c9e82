#include "geometry/angles.h"
#include "geometry/calculation_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

TEST(AngleFunctions, RadAndArccosUseTheirOwnPi) {
    EXPECT_EQ(RAD(180), 3.14159265358979);  // the fifteen-digit constant, not M_PI
    EXPECT_EQ(RAD(20), 0.34906585039886556);
    EXPECT_EQ(ARCCOS(1), 0.0);
    EXPECT_EQ(ARCCOS(0), 1.5707963267948966);  // 2 atan(1) in full precision
    EXPECT_EQ(ARCCOS(0.5), 1.0471975511965976);
    EXPECT_NEAR(ARCCOS(-0.5), 2.0943951023931957, 4e-16);
    EXPECT_NEAR(INV(RAD(20)), 0.014904383867336, 1e-15);
    for (const double outside : {-1.0, 1.5, -1.0000001, 1e200, double(NAN)}) {
        EXPECT_THROW(ARCCOS(outside), CalculationError) << outside;
    }
    EXPECT_THROW(RAD(NAN), CalculationError);
    EXPECT_THROW(INV(INFINITY), CalculationError);
}

TEST(AngleFunctions, ArcinvBisectsWithoutEarlyExitKeepingTheSign) {
    EXPECT_NEAR(ARCINV(INV(RAD(20))), RAD(20), 2e-15);
    EXPECT_NEAR(ARCINV(10), 1.483937, 1e-6);
    // inv(0) = 0 ties with the first comparison, so the upper bound drops below 0.
    EXPECT_LT(ARCINV(0), 0);
    EXPECT_GT(ARCINV(0), -1e-7);
    EXPECT_LT(ARCINV(1e20), PI / 2);
    EXPECT_GT(ARCINV(1e20), PI / 2 - 1e-12);
    for (const double x : {1e-300, 1e-12, 0.01, 3.0, 1e6}) {
        EXPECT_GT(ARCINV(x), 0) << x;
        EXPECT_LT(ARCINV(-x), 0) << -x;
    }
}

TEST(AngleFunctions, ArcinvReportsANanArgumentThroughTheNotifier) {
    int notified = 0;
    setArcinvFailureNotifier([&notified] { ++notified; });
    EXPECT_EQ(ARCINV(NAN), 0);
    EXPECT_GT(ARCINV(0.5), 0);
    EXPECT_EQ(notified, 1);
    setArcinvFailureNotifier({});
    EXPECT_EQ(ARCINV(NAN), 0);
}

}  // namespace
}  // namespace tamrel
