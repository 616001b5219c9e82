#include "run_fixture.h"

#include <cmath>

namespace tamrel {
namespace {

using testing::ComputeRunTest;

class RunEnd : public ComputeRunTest {
protected:
    void computeWithShift(const char* xn) {
        select(Xn);
        set(reference(Xn), xn);
        compute();
        ASSERT_EQ(text(Field::Error), "");
    }
};

TEST_F(RunEnd, AutomaticDiametersAreCutToFourDecimals) {
    computeWithShift("0");
    EXPECT_EQ(text(Field::DKG), "200.2831");
    EXPECT_EQ(text(Field::DRG), "185.9956");

    computeWithShift("-0.1445");
    EXPECT_EQ(text(Field::DKG), "199.3655");
    EXPECT_EQ(text(Field::DRG), "185.078");

    // An internal gear has its tip inside and its root outside the reference circle.
    set(Field::ZG, "-59");
    computeWithShift("0");
    EXPECT_EQ(text(Field::DKG), "187.5831");
    EXPECT_EQ(text(Field::DRG), "201.8706");
}

TEST_F(RunEnd, DrawingGeometryAndTheViewOfTheGear) {
    computeWithShift("-0.1445");
    EXPECT_NEAR(state.drawingGeometry.db, 181.477027, 5e-7);
    EXPECT_NEAR(state.drawingGeometry.alphaT, 0.3603563240, 1e-10);
    EXPECT_EQ(state.drawingGeometry.zAbs, 59);
    EXPECT_EQ(state.drawingGeometry.xMid, -0.1445);
    EXPECT_NEAR(state.drawingGeometry.beta, 0.2617993877991, 1e-12);

    // floor(1.2 d) = 232 mm high, the picture's aspect ratio, centred, y upward.
    const auto& c = store.coordinates();
    EXPECT_EQ(c.y1, 116.0f);
    EXPECT_EQ(c.y2, -116.0f);
    const float width = static_cast<float>(513.0 * 232.0 / 257.0);
    EXPECT_EQ(c.x1, -width / 2);
    EXPECT_EQ(c.x2, width / 2);
}

TEST_F(RunEnd, TypedDiametersStayWhenAutomaticIsOff) {
    store.setAutoDiameter(false);
    set(Field::DKG, "abc");
    set(Field::DRG, "");
    computeWithShift("0.3");
    EXPECT_EQ(text(Field::DKG), "abc");
    EXPECT_EQ(text(Field::DRG), "");
    EXPECT_EQ(state.drawingGeometry.xMid, 0.3);
    EXPECT_TRUE(store.coordinates().set);
}

TEST_F(RunEnd, EveryRunResetsTheRotationEvenAFailedOne) {
    state.rotationAngle = 1.5f;
    set(Field::MN, "");
    compute();
    EXPECT_EQ(state.rotationAngle, 0.0f);
    EXPECT_EQ(state.drawingGeometry.db, 0);
}

}  // namespace
}  // namespace tamrel
