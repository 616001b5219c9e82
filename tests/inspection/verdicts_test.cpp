#include "gear_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamrel::inspection {
namespace {

using testing::gearInput;

InspectionInput with(InspectionInput in, std::optional<std::int16_t> k, std::optional<double> ball,
                     double xnMin = 0, double da = 44) {
    in.teethSpanned = k;
    in.ballDiameter = ball;
    in.xn[BandValue::Min] = xnMin;
    in.tipDiameter = da;
    return in;
}

const InspectionInput spur = gearInput(2, 20, 20, 0, 0);  // tip diameter 44

TEST(Verdicts, SpanAndBallMeasureOnlyOnTheFlankAndBeyondTheTip) {
    const Inspection three = inspect(with(spur, 3, 3.5));  // both contacts about 40.6
    const Inspection wide = inspect(with(spur, 8, 2.5));   // contact past the tip; ball sunk
    EXPECT_TRUE(three.span.value().measurable.value());
    EXPECT_TRUE(three.ball.value().measurable.value());
    EXPECT_EQ(three.span.value().measurableTeeth.value(), (std::vector<std::int16_t>{1, 2, 3, 4}));
    EXPECT_GT(testing::mid(wide.span.value().contactDiameter), 44);
    EXPECT_FALSE(wide.span.value().measurable.value());
    EXPECT_LT(testing::mid(wide.ball.value().protrusion), 0);
    EXPECT_FALSE(wide.ball.value().measurable.value());
}

TEST(Verdicts, InternalGearHasBallButNoSpanOrChordalValues) {
    InspectionInput in = gearInput(2, 20, -40, 0, 0);
    in.teethSpanned = 5;
    in.ballDiameter = 3.5;
    const Inspection result = inspect(in);
    EXPECT_EQ(result.span.failure(), Failure::InternalGear);
    EXPECT_EQ(result.chordal.failure(), Failure::InternalGear);
    EXPECT_TRUE(result.ball.value().measurable.value());
    EXPECT_DOUBLE_EQ(result.usableFlank.value().to, in.rootDiameter - 1);
}

struct FailureCase {
    const char* name;
    InspectionInput input;
    Failure flank, spanVerdict, ballCentre;
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, AreReportedWithTheirReason) {
    const FailureCase& c = GetParam();
    const Inspection r = inspect(c.input);
    EXPECT_EQ(r.usableFlank.failure(), c.flank);
    EXPECT_EQ(r.span.hasValue() ? r.span.value().measurable.failure() : r.span.failure(),
              c.spanVerdict);
    EXPECT_EQ(r.ball.hasValue() ? r.ball.value().centreDiameter[BandValue::Min].failure()
                                : r.ball.failure(),
              c.ballCentre);
}

const double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Inputs, Failures,
    ::testing::Values(
        FailureCase{"NoTeeth", gearInput(2, 20, 0, 0, 0), Failure::InvalidGear,
                    Failure::InvalidGear, Failure::InvalidGear},
        FailureCase{"NanShift", with(spur, 3, 3, nan), Failure::InvalidGear, Failure::InvalidGear,
                    Failure::InvalidGear},
        FailureCase{"Overflow", gearInput(1e306, 20, 30000, 0, 0), Failure::CalculationFailed,
                    Failure::CalculationFailed, Failure::CalculationFailed},
        FailureCase{"UndercutPinionAndNoBallPosition",
                    with(gearInput(2, 20, 10, 0, 0), std::nullopt, 1, -3, 24), Failure::Undercut,
                    Failure::NoTeethSpanned, Failure::NoBallPosition},
        FailureCase{"TypedTipNotPositive", with(spur, std::nullopt, std::nullopt, 0, -1),
                    Failure::InvalidDiameters, Failure::NoTeethSpanned, Failure::NoBallDiameter}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamrel::inspection
