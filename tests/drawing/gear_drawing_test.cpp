#include "gear_recording.h"

#include <cmath>
#include <string>

namespace tamrel {
namespace {

using namespace test;

TEST(WorkedExample, DrawingInputs) {
    const Example e = workedExample();
    EXPECT_NEAR(e.db, 181.47703, 0.5e-5);
    EXPECT_NEAR(e.alphaT, 0.360356, 0.5e-6);
    EXPECT_NEAR(e.xt, -0.139576, 0.5e-6);
}

TEST(WorkedExample, BaseToothAngle) {
    const Example e = workedExample();
    EXPECT_NEAR(BaseToothAngle(e.alphaT, e.zAbs, e.xt), 0.0825884, 0.5e-7);
}

TEST(WorkedExample, FlankMatrices) {
    const Example e = workedExample();
    const ToothFlanks f = BuildToothFlanks(e.db, e.alphaT, e.zAbs, e.xt, 199.3655);
    ASSERT_EQ(f.flankA.rows(), 20);
    ASSERT_EQ(f.flankA.columns(), 3);
    ASSERT_EQ(f.flankB.rows(), 20);
    ASSERT_EQ(f.flankB.columns(), 3);

    EXPECT_EQ(f.flankA(0, 0), 0.0);  // ARCCOS(1) is exactly 0
    EXPECT_NEAR(f.flankA(0, 1), 90.73851, 0.5e-5);
    EXPECT_EQ(f.flankA(0, 1), e.db / 2);
    EXPECT_NEAR(f.flankA(1, 0), 0.032059, 0.5e-6);
    EXPECT_NEAR(f.flankA(1, 1), 91.20926, 0.5e-5);
    EXPECT_NEAR(f.flankA(19, 0), 2.787231, 0.5e-6);
    EXPECT_NEAR(f.flankA(19, 1), 99.643775, 0.5e-6);

    EXPECT_NEAR(f.flankB(0, 0), 7.485436, 0.5e-6);
    EXPECT_NEAR(f.flankB(0, 1), 90.429233, 0.5e-6);
    EXPECT_NEAR(f.flankB(19, 0), 5.442341, 0.5e-6);
    EXPECT_NEAR(f.flankB(19, 1), 99.534072, 0.5e-6);

    EXPECT_NEAR(f.baseToothAngle, 0.0825884, 0.5e-7);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(f.flankA(i, 2), 1.0);
        EXPECT_EQ(f.flankB(i, 2), 1.0);
        // The last row lies on the outer circle, every row at or outside the base circle.
        EXPECT_GE(std::hypot(f.flankA(i, 0), f.flankA(i, 1)), e.db / 2 - 1e-12);
    }
    EXPECT_NEAR(std::hypot(f.flankA(19, 0), f.flankA(19, 1)), 199.3655 / 2, 1e-12);
    EXPECT_NEAR(std::hypot(f.flankB(19, 0), f.flankB(19, 1)), 199.3655 / 2, 1e-12);
}

TEST(WorkedExample, CircleRadiiAndToothOne) {
    const Example e = workedExample();
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    ASSERT_EQ(r.circles.size(), 4u);
    // Each circle starts at its top, (0, r).
    const float radii[4] = {90.73851f, 96.96656f, 99.68275f, 92.539f};
    const float tolerance[4] = {0.5e-5f, 0.5e-5f, 0.5e-5f, 0.5e-3f};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(r.circles[c][0].x, 0.0f);
        EXPECT_NEAR(r.circles[c][0].y, radii[c], tolerance[c] + 1e-5f) << c;
    }
    EXPECT_EQ(r.circles[0][0].y, static_cast<float>(e.db / 2));
    EXPECT_EQ(r.circles[1][0].y, static_cast<float>(e.db / std::cos(e.alphaT) / 2));
    EXPECT_EQ(r.circles[2][0].y, static_cast<float>(199.3655 / 2));
    EXPECT_EQ(r.circles[3][0].y, static_cast<float>(185.078 / 2));

    EXPECT_EQ(r.centre.x, 0.0f);
    EXPECT_EQ(r.centre.y, 0.0f);

    ASSERT_EQ(r.flanks.size(), 2u * 59);
    // Tooth 0, flank A starts at the top of the base circle.
    EXPECT_EQ(r.flanks[0][0].x, 0.0f);
    EXPECT_EQ(r.flanks[0][0].y, static_cast<float>(e.db / 2));
    // Tooth 1's first flank A point: one pitch clockwise.
    EXPECT_NEAR(r.flanks[2][0].x, 9.644913, 1e-5);
    EXPECT_NEAR(r.flanks[2][0].y, 90.224462, 1e-5);
}

TEST(WorkedExample, ToothZeroIsTheConstruction) {
    const Example e = workedExample();
    const ToothFlanks f = BuildToothFlanks(e.db, e.alphaT, e.zAbs, e.xt, 199.3655);
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    ASSERT_GE(r.flanks.size(), 2u);
    for (int i = 0; i < 20; ++i) {
        // At rotation 0 tooth 0 is turned by angle 0 (cos 1, sin 0).
        EXPECT_EQ(r.flanks[0][i].x, static_cast<float>(f.flankA(i, 0))) << i;
        EXPECT_EQ(r.flanks[0][i].y, static_cast<float>(f.flankA(i, 1))) << i;
        EXPECT_EQ(r.flanks[1][i].x, static_cast<float>(f.flankB(i, 0))) << i;
        EXPECT_EQ(r.flanks[1][i].y, static_cast<float>(f.flankB(i, 1))) << i;
    }
}

TEST(DrawGear, PenColours) {
    const Example e = workedExample();
    RecordingCanvas canvas;
    GearRecording r = drawExample(canvas, e);
    ASSERT_EQ(r.circles.size(), 4u);
    for (int c = 0; c < 4; ++c) {
        const Rgb expected = c < 2 ? RecordingCanvas::InitialPen : Blue;
        for (const Call& call : r.circles[c]) {
            ASSERT_EQ(call.pen, expected) << c;
        }
    }
    EXPECT_EQ(r.centre.pen, Black);
    for (const auto& flank : r.flanks) {
        for (const Call& call : flank) {
            ASSERT_EQ(call.pen, Black);
        }
    }
    EXPECT_EQ(canvas.pen(), Black);

    // The next drawing on the same picture shows the first two circles in black.
    canvas.calls.clear();
    r = drawExample(canvas, e);
    ASSERT_EQ(r.circles.size(), 4u);
    EXPECT_EQ(r.circles[0][0].pen, Black);
    EXPECT_EQ(r.circles[1][360].pen, Black);
}

TEST(DrawGear, RotationTurnsTheGearClockwise) {
    const Example e = workedExample();
    RecordingCanvas turned;
    const GearRecording r = drawExample(turned, e, 0.5f);
    ASSERT_EQ(r.flanks.size(), 2u * 59);
    const double radius = e.db / 2;
    EXPECT_NEAR(r.flanks[0][0].x, radius * std::sin(0.5), 1e-4);
    EXPECT_NEAR(r.flanks[0][0].y, radius * std::cos(0.5), 1e-4);
    // The circles do not turn.
    RecordingCanvas standing;
    const GearRecording s = drawExample(standing, e, 0);
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(r.circles[c] == s.circles[c]);
    }
    // Turning by one pitch puts tooth 0 where tooth 1 stood.
    RecordingCanvas pitch;
    const GearRecording p = drawExample(pitch, e, static_cast<float>(6.28318530717958 / 59));
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(p.flanks[0][i].x, s.flanks[2][i].x, 1e-4);
        EXPECT_NEAR(p.flanks[0][i].y, s.flanks[2][i].y, 1e-4);
        EXPECT_NEAR(p.flanks[1][i].x, s.flanks[3][i].x, 1e-4);
        EXPECT_NEAR(p.flanks[1][i].y, s.flanks[3][i].y, 1e-4);
    }
}

TEST(DrawGear, ReadsTheLocaleDecimalSeparator) {
    Example e = workedExample();
    RecordingCanvas dot;
    drawExample(dot, e);
    e.tip = "199,3655";
    e.root = "185,078";
    RecordingCanvas comma;
    drawExample(comma, e, 0, NumberLocale{","});
    EXPECT_TRUE(dot.calls == comma.calls);
}

TEST(ReadGearDiameters, OrdersTheTwoValues) {
    auto d = ReadGearDiameters("199.3655", "185.078", Dot);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->outer, 199.3655);
    EXPECT_EQ(d->inner, 185.078);
    d = ReadGearDiameters("185.078", "199.3655", Dot);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->outer, 199.3655);
    EXPECT_EQ(d->inner, 185.078);
    d = ReadGearDiameters("190", "190", Dot);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->outer, 190.0);
    EXPECT_EQ(d->inner, 190.0);
    EXPECT_FALSE(ReadGearDiameters("abc", "190", Dot).has_value());
    EXPECT_FALSE(ReadGearDiameters("190", "-5", Dot).has_value());
}

}  // namespace
}  // namespace tamrel
