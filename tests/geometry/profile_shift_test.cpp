#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tamrel {
namespace {

// The window's start gear, mn 3.175, 20 degrees, helix 15 degrees, in the transverse section.
const double defaultHelix = RAD(15);
const double MS = 3.175 / std::cos(defaultHelix);
const double PS = std::atan(std::tan(RAD(20)) / std::cos(defaultHelix));
const double Spur20 = RAD(20);

struct Known {
    const char* name;
    std::function<double()> value;
    double expected;
    double tolerance;
};

class ProfileShift : public ::testing::TestWithParam<Known> {};

// Published and hand-worked values of the six routines, to the digits they are given with.
TEST_P(ProfileShift, GivesTheKnownValue) {
    EXPECT_NEAR(GetParam().value(), GetParam().expected, GetParam().tolerance);
}

// clang-format off
const Known knownValues[] = {
    {"SpanHelical", [] { return XnToSM(MS, PS, 59, defaultHelix, 8, -0.1445); }, 72.880057, 5e-7},
    {"SpanHelicalNoShift", [] { return XnToSM(MS, PS, 59, defaultHelix, 8, 0); }, 73.193886, 5e-7},
    {"SpanInternalUsesTheMagnitude", [] { return XnToSM(MS, PS, -59, defaultHelix, 8, -0.1445); }, 72.880057, 5e-7},
    {"ShiftFromSpan", [] { return XnFromSM(MS, PS, 59, defaultHelix, 8, 72.8801); }, -0.1444800, 5e-8},
    {"SpanSpur", [] { return XnToSM(2, Spur20, 30, 0, 4, 0.5); }, 22.189293, 5e-7},
    {"ShiftFromSpanSpur", [] { return XnFromSM(2, Spur20, 30, 0, 4, 22.0); }, 0.361636, 5e-7},
    {"SpanOneTooth", [] { return XnToSM(2, Spur20, 1, 0, 1, 0.3); }, 3.39056668515934, 1e-13},
    {"PinsOdd", [] { return XnToDM(MS, PS, 59, defaultHelix, 5.5, -0.1445); }, 200.788796, 5e-7},
    {"PinsEven", [] { return XnToDM(MS, PS, 58, defaultHelix, 5.5, -0.1445); }, 197.570450, 5e-7},
    {"PinsInternal", [] { return XnToDM(MS, PS, -59, defaultHelix, 5.5, -0.1445); }, 184.826600, 5e-7},
    {"PinsLargeNegativeShift", [] { return XnToDM(MS, PS, 59, defaultHelix, 5.5, -1); }, 195.022218, 5e-7},
    {"PinsSpurEven", [] { return XnToDM(2, Spur20, 30, 0, 3.5, 0); }, 64.975328, 5e-7},
    {"PinsSpurOdd", [] { return XnToDM(2, Spur20, 31, 0, 3.5, 0); }, 66.897123, 5e-7},
    {"ShiftFromPins", [] { return XnFromDM(MS, PS, 59, defaultHelix, 5.5, 200.7889); }, -0.1444827, 5e-8},
    {"ShiftFromPinsInternal", [] { return XnFromDM(MS, PS, -59, defaultHelix, 5.5, 184.8266); }, -0.1445, 5e-7},
    {"ThicknessHelical", [] { return XnToSN(MS, PS, defaultHelix, -0.1445, 59); }, 4.653308, 5e-7},
    {"ThicknessInternal", [] { return XnToSN(MS, PS, defaultHelix, -0.1445, -59); }, 5.321248, 5e-7},
    {"ShiftFromThickness", [] { return XnFromSN(MS, PS, defaultHelix, 4.6533, 59); }, -0.1445036, 5e-8},
    {"ShiftFromThicknessInternal", [] { return XnFromSN(MS, PS, defaultHelix, 4.6533, -59); }, 0.1445036, 5e-8},
    {"ThicknessSpurIsHalfThePitch", [] { return XnToSN(2, Spur20, 0, 0, 30); }, 3.14159265358979, 0},
    {"ThicknessSpur", [] { return XnToSN(2, Spur20, 0, 0.5, 30); }, 3.869533, 5e-7},
    {"ThicknessSpurInternal", [] { return XnToSN(2, Spur20, 0, 0.5, -30); }, 2.413652, 5e-7},
    {"ThicknessOneTooth", [] { return XnToSN(2, Spur20, 0, 0.3, 1); }, 3.57835693470923, 1e-13},
    {"ThicknessOneToothInternal", [] { return XnToSN(2, Spur20, 0, 0.3, -1); }, 2.70482837247035, 1e-13},
    {"ThicknessWithoutTeethIgnoresTheShift", [] { return XnToSN(MS, PS, defaultHelix, 0.7, 0); }, 3.175 * PI / 2, 1e-14},
    {"ShiftFromThicknessWithoutTeeth", [] { return XnFromSN(MS, PS, defaultHelix, 123, 0); }, 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Routines, ProfileShift, ::testing::ValuesIn(knownValues),
                         [](const auto& info) { return std::string(info.param.name); });

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
