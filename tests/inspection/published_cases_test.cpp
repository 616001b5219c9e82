#include "gear_case.h"
#include "geometry/profile_shift.h"

#include <gtest/gtest.h>

namespace tamrel::inspection {
namespace {

using testing::gearInput;
using testing::mid;

TEST(PublishedCases, ChordalToothOfATwelveToothPinion) {
    InspectionInput in = gearInput(10, 20, 12, 0, 0.3);
    in.tipDiameter = 146;
    const ChordalInspection c = inspect(in).chordal.value();
    EXPECT_NEAR(c.thickness[BandValue::Mid], 17.8256, 5e-5);
    EXPECT_NEAR(c.height[BandValue::Mid], 13.6657, 5e-5);
}

TEST(PublishedCases, SpanOverThreeTeeth) {
    InspectionInput in = gearInput(2, 20, 20, 0, 0);
    const SpanInspection noTeeth = inspect(in).span.value();
    EXPECT_EQ(noTeeth.recommendedTeeth.value(), 3);

    in.teethSpanned = 3;
    const SpanInspection span = inspect(in).span.value();
    EXPECT_NEAR(XnToSM(2, in.alphaN, 20, 0, 3, 0), 15.321, 5e-4);
    EXPECT_NEAR(mid(span.contactDiameter), 40.59, 5e-3);
    EXPECT_TRUE(span.measurable.value());
    EXPECT_EQ(span.faceWidth.value(), 0);
}

TEST(PublishedCases, IdealPinNeedsNoEnteredPin) {
    const BallInspection ball = inspect(gearInput(1, 20, 20, 0, 0)).ball.value();
    EXPECT_NEAR(ball.idealDiameter.value(), 1.72445, 5e-6);
    EXPECT_EQ(ball.centreDiameter[BandValue::Mid].failure(), Failure::NoBallDiameter);
}

}  // namespace
}  // namespace tamrel::inspection
