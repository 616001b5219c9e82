// The angle functions and the six profile-shift routines against published and hand-worked values.
#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

namespace tamrel {
namespace {

// A value named by the call that gives it, the one known for it and how far it may be off: half a
// unit of the last digit given, unless the row says otherwise; 0 means exactly.
struct Known {
    const char* call;
    double value, expected, tolerance = 5e-7;
};
// Rows named by the text of their call: K(call, known value[, tolerance]), PIN(call) for a pin
// routine's sentinel, THROWS(call) for a call that must throw.
// clang-format off
#define K(call, ...) Known{#call, call, __VA_ARGS__}
#define PIN(call) Known{#call, call, NoPinMeasure, 0}
#define THROWS(call) std::pair<const char*, std::function<void()>>{#call, [] { call; }}
// clang-format on

// RAD and ARCCOS use the fifteen-digit PI, not M_PI, but ARCCOS adds 2 atan(1) in full precision.
// ARCINV bisects exactly 100 times: inv(0) = 0 ties with the first comparison, so the upper bound
// drops below 0, to where tan m - m first differs from 0; a huge involute ends one step below PI/2.
TEST(AngleFunctions, GiveTheKnownValuesAndKeepTheSign) {
    // clang-format off
    const Known known[] = {
        K(RAD(180), 3.14159265358979, 0), K(RAD(20), 0.34906585039886556, 0), K(ARCCOS(1), 0, 0),
        K(ARCCOS(0), 1.5707963267948966, 0), K(ARCCOS(0.5), 1.0471975511965976, 0),
        K(ARCCOS(-0.5), 2.0943951023931957, 4e-16), K(INV(RAD(20)), 0.014904383867336, 1e-15),
        K(ARCINV(INV(RAD(20))), RAD(20), 2e-15), K(ARCINV(10), 1.483937, 1e-6),
        K(ARCINV(0), -1.354e-8, 5e-12), K(ARCINV(1e20), std::nextafter(PI / 2, 0), 0)};
    // clang-format on
    for (const auto& [call, value, expected, tolerance] : known)
        EXPECT_NEAR(value, expected, tolerance) << call;
    for (const double x : {1e-300, 1e-12, 0.01, 3.0, 1e6})
        EXPECT_EQ(std::pair(ARCINV(x) > 0, ARCINV(-x) < 0), std::pair(true, true)) << x;
}

TEST(AngleFunctions, ArcinvReportsANanArgumentThroughTheNotifier) {
    int notified = 0;
    setArcinvFailureNotifier([&notified] { ++notified; });
    const double failed = ARCINV(NAN), fine = ARCINV(0.5);
    EXPECT_EQ(std::tuple(failed, fine > 0, notified), std::tuple(0.0, true, 1));
    setArcinvFailureNotifier({});
    EXPECT_EQ(ARCINV(NAN), 0);
}

// The window's start gear, mn 3.175, 20 degrees, helix 15 degrees, in the transverse section,
// and its profile shift.
const double A20 = RAD(20), BO = RAD(15), MS = 3.175 / std::cos(BO);
const double PS = std::atan(std::tan(A20) / std::cos(BO)), X = -0.1445;

// Published and hand-worked values of the six routines, to the digits they are given with: the
// internal gear's span uses |z|; no teeth give half the pitch whatever the shift, and back 0.
TEST(ProfileShift, GivesTheKnownValues) {
    // clang-format off
    const Known known[] = {
        // span: helical, unshifted; internal, spur; back from each; one tooth
        K(XnToSM(MS, PS, 59, BO, 8, X), 72.880057), K(XnToSM(MS, PS, 59, BO, 8, 0), 73.193886),
        K(XnToSM(MS, PS, -59, BO, 8, X), 72.880057), K(XnToSM(2, A20, 30, 0, 4, 0.5), 22.189293),
        K(XnFromSM(MS, PS, 59, BO, 8, 72.8801), -0.1444800, 5e-8),
        K(XnFromSM(2, A20, 30, 0, 4, 22.0), 0.361636),
        K(XnToSM(2, A20, 1, 0, 1, 0.3), 3.39056668515934, 1e-13),
        // pins: odd, even; internal, spur even; a big negative shift, spur odd; back, internal too
        K(XnToDM(MS, PS, 59, BO, 5.5, X), 200.788796),
        K(XnToDM(MS, PS, 58, BO, 5.5, X), 197.570450),
        K(XnToDM(MS, PS, -59, BO, 5.5, X), 184.826600), K(XnToDM(2, A20, 30, 0, 3.5, 0), 64.975328),
        K(XnToDM(MS, PS, 59, BO, 5.5, -1), 195.022218), K(XnToDM(2, A20, 31, 0, 3.5, 0), 66.897123),
        K(XnFromDM(MS, PS, 59, BO, 5.5, 200.7889), -0.1444827, 5e-8),
        K(XnFromDM(MS, PS, -59, BO, 5.5, 184.8266), X),
        // thickness: helical, internal; back from each, also without teeth; spur unshifted,
        // shifted, internal; one tooth, internal; without teeth whatever the shift
        K(XnToSN(MS, PS, BO, X, 59), 4.653308), K(XnToSN(MS, PS, BO, X, -59), 5.321248),
        K(XnFromSN(MS, PS, BO, 4.6533, 59), -0.1445036, 5e-8),
        K(XnFromSN(MS, PS, BO, 123, 0), 0, 0),
        K(XnFromSN(MS, PS, BO, 4.6533, -59), 0.1445036, 5e-8),
        K(XnToSN(2, A20, 0, 0, 30), 3.14159265358979, 0), K(XnToSN(2, A20, 0, 0.5, 30), 3.869533),
        K(XnToSN(2, A20, 0, 0.5, -30), 2.413652),
        K(XnToSN(2, A20, 0, 0.3, 1), 3.57835693470923, 1e-13),
        K(XnToSN(2, A20, 0, 0.3, -1), 2.70482837247035, 1e-13),
        K(XnToSN(MS, PS, BO, 0.7, 0), 3.175 * PI / 2, 1e-14)};
    // clang-format on
    for (const auto& [call, value, expected, tolerance] : known)
        EXPECT_NEAR(value, expected, tolerance) << call;
}

// ARCCOS outside (-1, 1], RAD and INV of a non-finite value throw. The span and thickness routines
// pass a floating-point failure on (a division by sin 0, |z| beyond 16 bits, overflow); the pin
// routines turn every failure into exactly -999, also where no pin position lies outside the base
// circle.
TEST(Failures, ThrowOrGiveThePinSentinel) {
    // clang-format off
    const std::pair<const char*, std::function<void()>> throwing[] = {
        THROWS(ARCCOS(-1)), THROWS(ARCCOS(1.5)), THROWS(ARCCOS(-1.0000001)), THROWS(ARCCOS(1e200)),
        THROWS(ARCCOS(NAN)), THROWS(RAD(NAN)), THROWS(INV(INFINITY)),
        THROWS(XnFromSM(MS, 0, 59, BO, 8, 72.88)), THROWS(XnFromSN(MS, 0, BO, 4.65, 59)),
        THROWS(XnFromSN(0, PS, BO, 4.65, 59)), THROWS(XnToSM(MS, PS, INT16_MIN, BO, 8, 0)),
        THROWS(XnFromSM(MS, PS, INT16_MIN, BO, 8, 72.88)), THROWS(XnToSN(MS, PS, BO, 1e308, 59)),
        THROWS(XnToSM(1e307, PS, 32767, BO, 8, 0)), THROWS(XnToSM(MS, PS, 59, BO, 8, 1e308)),
        THROWS(XnFromSM(MS, PS, 59, BO, 8, 1.7e308))};
    // clang-format on
    for (const auto& [call, run] : throwing)
        EXPECT_THROW(run(), CalculationError) << call;
    // clang-format off
    const Known sentinel[] = {
        PIN(XnToDM(MS, PS, 59, BO, 5.5, -2)), PIN(XnFromDM(MS, PS, 59, BO, 5.5, 150)),
        PIN(XnFromDM(MS, PS, 59, BO, 5.5, 0)), PIN(XnToDM(MS, PS, 0, BO, 5.5, -0.1445)),
        PIN(XnFromDM(MS, PS, 0, BO, 5.5, 200)), PIN(XnToDM(MS, PS, INT16_MIN, BO, 5.5, -0.1445)),
        PIN(XnFromDM(MS, PS, INT16_MIN, BO, 5.5, 200)), PIN(XnFromDM(MS, PS, 59, BO, 5.5, 1e300)),
        PIN(XnToDM(MS, PS, 59, BO, 5.5, 1e308)), PIN(XnFromDM(MS, 0, 59, BO, 5.5, 200))};
    // clang-format on
    for (const auto& [call, value, expected, tolerance] : sentinel)
        EXPECT_EQ(value, expected) << call;
}

}  // namespace
}  // namespace tamrel
