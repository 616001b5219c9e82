// DrawGear draws the whole gear or nothing: every refusal leaves the picture cleared and empty
// and the pen as it was, and nothing it draws is beyond single precision.
#include "gear_recording.h"

#include <limits>

namespace tamrel {
namespace {

using namespace test;

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

TEST(DrawGear, RotationThatIsNotFiniteLeavesThePictureEmpty) {
    for (float rotation :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        RecordingCanvas canvas;
        drawExample(canvas, workedExample(), rotation);
        expectEmptyPicture(canvas);
    }
}

TEST(DrawGear, NearlyTheLargestDrawableGearHandsOverOnlyFiniteCoordinates) {
    // Outer radius 3.4e38, a hair below the largest float: drawn whole, every coordinate finite,
    // at any rotation.
    Example e = workedExample();
    e.db = 6e38;
    e.alphaT = 0;
    e.xt = 0;
    e.tip = "6.8e38";
    e.root = "6.1e38";
    for (float rotation : {0.0f, 0.4f, 2.0f, 1000.5f}) {
        RecordingCanvas canvas;
        const GearRecording r = drawExample(canvas, e, rotation);
        ASSERT_EQ(r.flanks.size(), 2u * 59);
        for (const Call& call : canvas.calls) {
            ASSERT_TRUE(std::isfinite(call.x) && std::isfinite(call.y)) << rotation;
        }
    }
}

}  // namespace
}  // namespace tamrel
