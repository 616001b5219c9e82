// The angle functions and the six profile-shift routines against published and hand-worked values.
#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

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

// The window's start gear, mn 3.175, 20 degrees, helix 15 degrees, in the transverse section.
const double defaultHelix = RAD(15);
const double MS = 3.175 / std::cos(defaultHelix);
const double PS = std::atan(std::tan(RAD(20)) / std::cos(defaultHelix));
const double Spur20 = RAD(20);

// Published and hand-worked values of the six routines, to the digits they are given with.
TEST(ProfileShift, GivesTheKnownValues) {
    // clang-format off
    const std::tuple<const char*, double, double, double> knownValues[] = {
        {"SpanHelical", XnToSM(MS, PS, 59, defaultHelix, 8, -0.1445), 72.880057, 5e-7},
        {"SpanHelicalNoShift", XnToSM(MS, PS, 59, defaultHelix, 8, 0), 73.193886, 5e-7},
        {"SpanInternalUsesTheMagnitude", XnToSM(MS, PS, -59, defaultHelix, 8, -0.1445), 72.880057, 5e-7},
        {"ShiftFromSpan", XnFromSM(MS, PS, 59, defaultHelix, 8, 72.8801), -0.1444800, 5e-8},
        {"SpanSpur", XnToSM(2, Spur20, 30, 0, 4, 0.5), 22.189293, 5e-7},
        {"ShiftFromSpanSpur", XnFromSM(2, Spur20, 30, 0, 4, 22.0), 0.361636, 5e-7},
        {"SpanOneTooth", XnToSM(2, Spur20, 1, 0, 1, 0.3), 3.39056668515934, 1e-13},
        {"PinsOdd", XnToDM(MS, PS, 59, defaultHelix, 5.5, -0.1445), 200.788796, 5e-7},
        {"PinsEven", XnToDM(MS, PS, 58, defaultHelix, 5.5, -0.1445), 197.570450, 5e-7},
        {"PinsInternal", XnToDM(MS, PS, -59, defaultHelix, 5.5, -0.1445), 184.826600, 5e-7},
        {"PinsLargeNegativeShift", XnToDM(MS, PS, 59, defaultHelix, 5.5, -1), 195.022218, 5e-7},
        {"PinsSpurEven", XnToDM(2, Spur20, 30, 0, 3.5, 0), 64.975328, 5e-7},
        {"PinsSpurOdd", XnToDM(2, Spur20, 31, 0, 3.5, 0), 66.897123, 5e-7},
        {"ShiftFromPins", XnFromDM(MS, PS, 59, defaultHelix, 5.5, 200.7889), -0.1444827, 5e-8},
        {"ShiftFromPinsInternal", XnFromDM(MS, PS, -59, defaultHelix, 5.5, 184.8266), -0.1445, 5e-7},
        {"ThicknessHelical", XnToSN(MS, PS, defaultHelix, -0.1445, 59), 4.653308, 5e-7},
        {"ThicknessInternal", XnToSN(MS, PS, defaultHelix, -0.1445, -59), 5.321248, 5e-7},
        {"ShiftFromThickness", XnFromSN(MS, PS, defaultHelix, 4.6533, 59), -0.1445036, 5e-8},
        {"ShiftFromThicknessInternal", XnFromSN(MS, PS, defaultHelix, 4.6533, -59), 0.1445036, 5e-8},
        {"ThicknessSpurIsHalfThePitch", XnToSN(2, Spur20, 0, 0, 30), 3.14159265358979, 0},
        {"ThicknessSpur", XnToSN(2, Spur20, 0, 0.5, 30), 3.869533, 5e-7},
        {"ThicknessSpurInternal", XnToSN(2, Spur20, 0, 0.5, -30), 2.413652, 5e-7},
        {"ThicknessOneTooth", XnToSN(2, Spur20, 0, 0.3, 1), 3.57835693470923, 1e-13},
        {"ThicknessOneToothInternal", XnToSN(2, Spur20, 0, 0.3, -1), 2.70482837247035, 1e-13},
        {"ThicknessWithoutTeethIgnoresTheShift", XnToSN(MS, PS, defaultHelix, 0.7, 0), 3.175 * PI / 2, 1e-14},
        {"ShiftFromThicknessWithoutTeeth", XnFromSN(MS, PS, defaultHelix, 123, 0), 0, 0},
    };
    // clang-format on
    for (const auto& [name, value, expected, tolerance] : knownValues) {
        EXPECT_NEAR(value, expected, tolerance) << name;
    }
}

// The span and thickness routines pass a floating-point failure on; the pin routines turn every
// failure into exactly -999.
TEST(ProfileShiftFailures, ThrowOrGiveTheSentinel) {
    const std::function<double()> throwing[] = {
        [] { return XnFromSM(MS, 0, 59, defaultHelix, 8, 72.88); },    // divides by sin(0)
        [] { return XnToSM(MS, PS, INT16_MIN, defaultHelix, 8, 0); },  // |Z| beyond 16 bits
        [] { return XnFromSM(MS, PS, INT16_MIN, defaultHelix, 8, 72.88); },
        [] { return XnToSM(1e307, PS, 32767, defaultHelix, 8, 0); },
        [] { return XnFromSM(MS, PS, 59, defaultHelix, 8, 1.7e308); },
        [] { return XnToSM(MS, PS, 59, defaultHelix, 8, 1e308); },
        [] { return XnFromSN(MS, 0, defaultHelix, 4.65, 59); },
        [] { return XnFromSN(0, PS, defaultHelix, 4.65, 59); },
        [] { return XnToSN(MS, PS, defaultHelix, 1e308, 59); },
    };
    for (const auto& f : throwing) {
        EXPECT_THROW(f(), CalculationError);
    }
    const double sentinel[] = {
        XnToDM(MS, PS, 59, defaultHelix, 5.5, -2),  // no pin position outside the base circle
        XnFromDM(MS, PS, 59, defaultHelix, 5.5, 150),
        XnFromDM(MS, PS, 59, defaultHelix, 5.5, 0),
        XnToDM(MS, PS, 0, defaultHelix, 5.5, -0.1445),
        XnFromDM(MS, PS, 0, defaultHelix, 5.5, 200),
        XnToDM(MS, PS, INT16_MIN, defaultHelix, 5.5, -0.1445),
        XnFromDM(MS, PS, INT16_MIN, defaultHelix, 5.5, 200),
        XnFromDM(MS, PS, 59, defaultHelix, 5.5, 1e300),
        XnToDM(MS, PS, 59, defaultHelix, 5.5, 1e308),
        XnFromDM(MS, 0, 59, defaultHelix, 5.5, 200),
    };
    for (const double m : sentinel) {
        EXPECT_EQ(m, NoPinMeasure);
    }
}

}  // namespace
}  // namespace tamrel
