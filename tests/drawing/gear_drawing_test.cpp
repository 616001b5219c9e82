#include "drawing/gear_drawing.h"

#include "geometry/angles.h"
#include "geometry/calculation_error.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tamrel {
namespace {

using test::RecordingCanvas;
using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

const NumberLocale Dot{"."};

// The worked example of the drawing, with the inputs derived as the compute run and the tick derive
// them: normal module 3.175, 20 degrees, 59 teeth, helix 15 degrees, xMid -0.1445.
struct Example {
    double db;
    double alphaT;
    double xt;
    std::int16_t zAbs = 59;
    std::string tip = "199.3655";
    std::string root = "185.078";
};

Example workedExample() {
    const double mn = 3.175;
    const double alphaN = RAD(20);
    const double beta = RAD(15);
    const double mt = mn / std::cos(beta);
    const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
    const double d = 59 * mt;
    const double db = std::cos(alphaT) * d;
    const double xt = std::cos(beta) * -0.1445;
    return {db, alphaT, xt};
}

// A recording of DrawGear split into its parts, checking the order of the calls on the way.
struct GearRecording {
    bool empty = true;  // only the clear
    std::vector<std::vector<Call>> circles;
    Call centre{};
    std::vector<std::vector<Call>> flanks;  // tooth 0 A, tooth 0 B, tooth 1 A, ...
};

GearRecording split(const std::vector<Call>& calls) {
    GearRecording r;
    std::size_t n = 0;
    EXPECT_FALSE(calls.empty());
    if (calls.empty()) {
        return r;
    }
    EXPECT_EQ(calls[n].kind, Kind::Clear);
    ++n;
    if (n == calls.size()) {
        return r;
    }
    r.empty = false;
    const auto take = [&](std::size_t count) {
        std::vector<Call> part;
        for (std::size_t i = 0; i < count && n < calls.size(); ++i, ++n) {
            EXPECT_EQ(calls[n].kind, i == 0 ? Kind::Point : Kind::Line) << "call " << n;
            part.push_back(calls[n]);
        }
        EXPECT_EQ(part.size(), count);
        return part;
    };
    const auto pen = [&](Rgb color) {
        EXPECT_LT(n, calls.size());
        if (n < calls.size()) {
            EXPECT_EQ(calls[n].kind, Kind::Pen) << "call " << n;
            EXPECT_EQ(calls[n].pen, color) << "call " << n;
            ++n;
        }
    };
    r.circles.push_back(take(361));
    r.circles.push_back(take(361));
    pen(Blue);
    r.circles.push_back(take(361));
    r.circles.push_back(take(361));
    pen(Black);
    r.centre = take(1).at(0);
    while (n < calls.size()) {
        r.flanks.push_back(take(FlankPoints));
    }
    return r;
}

GearRecording drawExample(RecordingCanvas& canvas, const Example& e, float rotation = 0,
                          const NumberLocale& locale = Dot) {
    DrawGear(canvas, e.db, e.alphaT, e.zAbs, e.xt, e.tip, e.root, rotation, locale);
    return split(canvas.calls);
}

// Whether the recording is a cleared, empty picture.
void expectEmptyPicture(const RecordingCanvas& canvas) {
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Clear);
    EXPECT_EQ(canvas.pen(), RecordingCanvas::InitialPen);
}

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

TEST(WorkedExample, BaseToothAngleUsesTheProgramsPi) {
    // With xt = 0 and alphaT = 0 the angle is PI / zAbs, with PI = 3.14159265358979.
    EXPECT_EQ(BaseToothAngle(0, 1, 0), 3.14159265358979);
    EXPECT_NE(BaseToothAngle(0, 1, 0), 3.141592653589793);
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

TEST(DrawGear, CallCounts) {
    const Example e = workedExample();
    RecordingCanvas canvas;
    drawExample(canvas, e);
    EXPECT_EQ(canvas.count(Kind::Clear), 1u);
    EXPECT_EQ(canvas.count(Kind::Pen), 2u);
    EXPECT_EQ(canvas.count(Kind::Scale), 0u);
    EXPECT_EQ(canvas.count(Kind::Point), 4u + 1u + 2u * 59);
    EXPECT_EQ(canvas.count(Kind::Line), 4u * 360 + 2u * 59 * 19);
    EXPECT_EQ(canvas.calls.size(), 1u + 4u * 361 + 2u + 1u + 2u * 59 * 20);
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

TEST(DrawGear, SwappedTipAndRootGiveTheSamePicture) {
    Example e = workedExample();
    RecordingCanvas usual;
    drawExample(usual, e);
    std::swap(e.tip, e.root);
    RecordingCanvas swapped;
    drawExample(swapped, e);
    EXPECT_TRUE(usual.calls == swapped.calls);
}

TEST(DrawGear, InternalGearDiametersAreHandledAlike) {
    // An internal gear: the root (larger) is the outer diameter.
    Example e = workedExample();
    e.tip = "187.5831";
    e.root = "201.8706";
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    ASSERT_EQ(r.circles.size(), 4u);
    EXPECT_EQ(r.circles[2][0].y, static_cast<float>(201.8706 / 2));
    EXPECT_EQ(r.circles[3][0].y, static_cast<float>(187.5831 / 2));
    ASSERT_EQ(r.flanks.size(), 2u * 59);
    EXPECT_NEAR(std::hypot(r.flanks[0][19].x, r.flanks[0][19].y), 201.8706 / 2, 1e-4);
}

TEST(DrawGear, EqualDiametersGiveCoincidentCirclesAndFlanksEndOnThem) {
    Example e = workedExample();
    e.tip = "190";
    e.root = "190";
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    ASSERT_EQ(r.circles.size(), 4u);
    EXPECT_TRUE(r.circles[2] == r.circles[3]);
    ASSERT_EQ(r.flanks.size(), 2u * 59);
    for (const auto& flank : r.flanks) {
        EXPECT_NEAR(std::hypot(flank[19].x, flank[19].y), 95.0, 1e-4);
    }
}

TEST(DrawGear, OuterDiameterOnTheBaseCircleDrawsEachFlankAsADot) {
    Example e = workedExample();
    e.db = 180;
    e.tip = "180";
    e.root = "150";
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    ASSERT_EQ(r.flanks.size(), 2u * 59);
    for (const auto& flank : r.flanks) {
        for (const Call& call : flank) {
            EXPECT_EQ(call.x, flank[0].x);
            EXPECT_EQ(call.y, flank[0].y);
        }
        EXPECT_NEAR(std::hypot(flank[0].x, flank[0].y), 90.0, 1e-4);
    }
    EXPECT_EQ(r.flanks[0][0].x, 0.0f);
    EXPECT_EQ(r.flanks[0][0].y, 90.0f);
    // The root circle inside the base circle is still drawn.
    EXPECT_EQ(r.circles[3][0].y, 75.0f);
}

TEST(DrawGear, OuterDiameterBelowTheBaseCircleLeavesThePictureEmpty) {
    Example e = workedExample();
    e.tip = "181.477";  // just below db = 181.47703...
    e.root = "170";
    RecordingCanvas canvas;
    drawExample(canvas, e);
    expectEmptyPicture(canvas);
}

TEST(DrawGear, UnusableDiameterFieldsLeaveThePictureEmpty) {
    const Example base = workedExample();
    for (const char* bad : {"0", "-5", "abc", "", " ", "0.0", "-0"}) {
        for (int field = 0; field < 2; ++field) {
            Example e = base;
            (field == 0 ? e.tip : e.root) = bad;
            RecordingCanvas canvas;
            drawExample(canvas, e);
            SCOPED_TRACE(std::string("field ") + (field == 0 ? "tip" : "root") + " = \"" + bad +
                         "\"");
            expectEmptyPicture(canvas);
        }
    }
}

TEST(DrawGear, OneToothDrawsOneTooth) {
    Example e = workedExample();
    e.zAbs = 1;
    RecordingCanvas canvas;
    const GearRecording r = drawExample(canvas, e);
    EXPECT_EQ(r.circles.size(), 4u);
    EXPECT_EQ(r.flanks.size(), 2u);
    EXPECT_EQ(canvas.calls.size(), 1u + 4u * 361 + 2u + 1u + 2u * 20);
}

TEST(DrawGear, NoTeethDrawsNothing) {
    for (std::int16_t z : {0, -1, -59}) {
        Example e = workedExample();
        e.zAbs = z;
        RecordingCanvas canvas;
        drawExample(canvas, e);
        SCOPED_TRACE(z);
        expectEmptyPicture(canvas);
    }
}

TEST(DrawGear, BaseDiameterNotPositiveLeavesThePictureEmpty) {
    const Example base = workedExample();
    for (double db : {0.0, -base.db, -1e-300, std::numeric_limits<double>::quiet_NaN()}) {
        Example e = base;
        e.db = db;
        RecordingCanvas canvas;
        EXPECT_NO_THROW(drawExample(canvas, e));
        SCOPED_TRACE(db);
        expectEmptyPicture(canvas);
    }
}

TEST(DrawGear, CalculationFailuresNeverEscape) {
    // INV fails for an infinite or NaN pressure angle; the picture stays empty.
    for (double alphaT :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        Example e = workedExample();
        e.alphaT = alphaT;
        RecordingCanvas canvas;
        EXPECT_NO_THROW(drawExample(canvas, e));
        expectEmptyPicture(canvas);
    }
    // A NaN profile shift spoils the base tooth angle and every flank B point.
    Example e = workedExample();
    e.xt = std::numeric_limits<double>::quiet_NaN();
    RecordingCanvas canvas;
    EXPECT_NO_THROW(drawExample(canvas, e));
    expectEmptyPicture(canvas);
}

TEST(DrawGear, HugeDiametersLeaveThePictureEmpty) {
    for (const char* huge : {"1e39", "1e300", "1.7e308"}) {
        Example e = workedExample();
        e.tip = huge;
        RecordingCanvas canvas;
        EXPECT_NO_THROW(drawExample(canvas, e));
        SCOPED_TRACE(huge);
        expectEmptyPicture(canvas);
    }
    Example both = workedExample();
    both.tip = "1.7e308";
    both.root = "1.6e308";
    RecordingCanvas canvas;
    EXPECT_NO_THROW(drawExample(canvas, both));
    expectEmptyPicture(canvas);
}

TEST(DrawGear, IsWholeOrEmptyWhenOnlyALaterCircleLeavesSinglePrecision) {
    // The base circle (radius 3.3e38) and the flanks fit a float, the reference circle
    // (3.3e38 / cos(alphaT)) does not: nothing at all is drawn, not even the base circle.
    Example e = workedExample();
    e.db = 6.6e38;
    e.tip = "6.7e38";
    e.root = "6.7e38";
    RecordingCanvas canvas;
    drawExample(canvas, e);
    expectEmptyPicture(canvas);

    // The same gear with a pressure angle of 0 fits and is drawn whole.
    e.alphaT = 0;
    e.xt = 0;
    RecordingCanvas fits;
    const GearRecording r = drawExample(fits, e);
    EXPECT_EQ(r.flanks.size(), 2u * 59);
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
