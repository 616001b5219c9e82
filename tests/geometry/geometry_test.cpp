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

// A value, the one known for it and how far it may be off: half a unit of the last digit given,
// unless the row says otherwise; 0 means exactly.
struct Known {
    double value, expected, tolerance = 5e-7;
};

// RAD and ARCCOS use the fifteen-digit PI, not M_PI, but ARCCOS adds 2 atan(1) in full precision.
// ARCINV bisects exactly 100 times: inv(0) = 0 ties with the first comparison, so the upper bound
// drops below 0, to where tan m - m first differs from 0; a huge involute ends one step below PI/2.
TEST(AngleFunctions, GiveTheKnownValuesAndKeepTheSign) {
    // clang-format off
    const Known known[] = {
        {RAD(180), 3.14159265358979, 0}, {RAD(20), 0.34906585039886556, 0}, {ARCCOS(1), 0, 0},
        {ARCCOS(0), 1.5707963267948966, 0}, {ARCCOS(0.5), 1.0471975511965976, 0},
        {ARCCOS(-0.5), 2.0943951023931957, 4e-16}, {INV(RAD(20)), 0.014904383867336, 1e-15},
        {ARCINV(INV(RAD(20))), RAD(20), 2e-15}, {ARCINV(10), 1.483937, 1e-6},
        {ARCINV(0), -1.354e-8, 5e-12}, {ARCINV(1e20), std::nextafter(PI / 2, 0), 0}};
    // clang-format on
    for (const auto& [value, expected, tolerance] : known)
        EXPECT_NEAR(value, expected, tolerance);
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
        {XnToSM(MS, PS, 59, BO, 8, X), 72.880057}, {XnToSM(MS, PS, 59, BO, 8, 0), 73.193886},
        {XnToSM(MS, PS, -59, BO, 8, X), 72.880057}, {XnToSM(2, A20, 30, 0, 4, 0.5), 22.189293},
        {XnFromSM(MS, PS, 59, BO, 8, 72.8801), -0.1444800, 5e-8},
        {XnFromSM(2, A20, 30, 0, 4, 22.0), 0.361636},
        {XnToSM(2, A20, 1, 0, 1, 0.3), 3.39056668515934, 1e-13},
        // pins: odd, even; internal, spur even; a big negative shift, spur odd; back, internal too
        {XnToDM(MS, PS, 59, BO, 5.5, X), 200.788796}, {XnToDM(MS, PS, 58, BO, 5.5, X), 197.570450},
        {XnToDM(MS, PS, -59, BO, 5.5, X), 184.826600}, {XnToDM(2, A20, 30, 0, 3.5, 0), 64.975328},
        {XnToDM(MS, PS, 59, BO, 5.5, -1), 195.022218}, {XnToDM(2, A20, 31, 0, 3.5, 0), 66.897123},
        {XnFromDM(MS, PS, 59, BO, 5.5, 200.7889), -0.1444827, 5e-8},
        {XnFromDM(MS, PS, -59, BO, 5.5, 184.8266), X},
        // thickness: helical, internal; back from each, also without teeth; spur unshifted,
        // shifted, internal; one tooth, internal; without teeth whatever the shift
        {XnToSN(MS, PS, BO, X, 59), 4.653308}, {XnToSN(MS, PS, BO, X, -59), 5.321248},
        {XnFromSN(MS, PS, BO, 4.6533, 59), -0.1445036, 5e-8}, {XnFromSN(MS, PS, BO, 123, 0), 0, 0},
        {XnFromSN(MS, PS, BO, 4.6533, -59), 0.1445036, 5e-8},
        {XnToSN(2, A20, 0, 0, 30), 3.14159265358979, 0}, {XnToSN(2, A20, 0, 0.5, 30), 3.869533},
        {XnToSN(2, A20, 0, 0.5, -30), 2.413652},
        {XnToSN(2, A20, 0, 0.3, 1), 3.57835693470923, 1e-13},
        {XnToSN(2, A20, 0, 0.3, -1), 2.70482837247035, 1e-13},
        {XnToSN(MS, PS, BO, 0.7, 0), 3.175 * PI / 2, 1e-14}};
    // clang-format on
    for (const auto& [value, expected, tolerance] : known)
        EXPECT_NEAR(value, expected, tolerance);
}

// ARCCOS outside (-1, 1], RAD and INV of a non-finite value throw. The span and thickness routines
// pass a floating-point failure on (a division by sin 0, |z| beyond 16 bits, overflow); the pin
// routines turn every failure into exactly -999, also where no pin position lies outside the base
// circle.
TEST(Failures, ThrowOrGiveThePinSentinel) {
    // clang-format off
    const std::function<void()> throwing[] = {
        [] { ARCCOS(-1); }, [] { ARCCOS(1.5); }, [] { ARCCOS(-1.0000001); }, [] { ARCCOS(1e200); },
        [] { ARCCOS(NAN); }, [] { RAD(NAN); }, [] { INV(INFINITY); },
        [] { XnFromSM(MS, 0, 59, BO, 8, 72.88); }, [] { XnFromSN(MS, 0, BO, 4.65, 59); },
        [] { XnFromSN(0, PS, BO, 4.65, 59); }, [] { XnToSM(MS, PS, INT16_MIN, BO, 8, 0); },
        [] { XnFromSM(MS, PS, INT16_MIN, BO, 8, 72.88); }, [] { XnToSN(MS, PS, BO, 1e308, 59); },
        [] { XnToSM(1e307, PS, 32767, BO, 8, 0); }, [] { XnToSM(MS, PS, 59, BO, 8, 1e308); },
        [] { XnFromSM(MS, PS, 59, BO, 8, 1.7e308); }};
    // clang-format on
    for (std::size_t i = 0; i < std::size(throwing); ++i)
        EXPECT_THROW(throwing[i](), CalculationError) << "row " << i;
    const std::vector<double> sentinel = {
        XnToDM(MS, PS, 59, BO, 5.5, -2),           XnFromDM(MS, PS, 59, BO, 5.5, 150),
        XnFromDM(MS, PS, 59, BO, 5.5, 0),          XnToDM(MS, PS, 0, BO, 5.5, -0.1445),
        XnFromDM(MS, PS, 0, BO, 5.5, 200),         XnToDM(MS, PS, INT16_MIN, BO, 5.5, -0.1445),
        XnFromDM(MS, PS, INT16_MIN, BO, 5.5, 200), XnFromDM(MS, PS, 59, BO, 5.5, 1e300),
        XnToDM(MS, PS, 59, BO, 5.5, 1e308),        XnFromDM(MS, 0, 59, BO, 5.5, 200)};
    EXPECT_EQ(sentinel, std::vector<double>(sentinel.size(), NoPinMeasure));
}

}  // namespace
}  // namespace tamrel
