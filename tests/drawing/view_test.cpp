#include "drawing/view.h"

#include "drawing/gear_drawing.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

using test::TestCanvas;

// The view a compute run fits to the default gear: scale height -232, centred on the gear; the
// width follows a 5:4 picture area.
const UserScale DefaultView{-145.0f, 116.0f, 290.0f, -232.0f};

bool operator==(const UserScale& a, const UserScale& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// A canvas showing the fitted default view, and the view state of that fit.
struct Fitted {
    TestCanvas canvas;
    ViewState view;
    Fitted() {
        fitView(canvas, view, DefaultView.left, DefaultView.top,
                DefaultView.left + DefaultView.width, DefaultView.top + DefaultView.height);
    }
};

TEST(View, FitSetsTheCornersAndDoubleClickRestoresThemExactly) {
    Fitted f;
    EXPECT_TRUE(f.canvas.scale == DefaultView);
    onPictureMouseDown(f.view, 10, 20);
    onPictureMouseMove(f.canvas, f.view, LeftButton, 15, 18);
    onPictureMouseMove(f.canvas, f.view, RightButton, 15, 31.3f);
    onPictureWheel(f.canvas, f.view, 3.7f, -8.1f, 360);
    EXPECT_FALSE(f.canvas.scale == DefaultView);
    onPictureDoubleClick(f.canvas, f.view);
    EXPECT_TRUE(f.canvas.scale == DefaultView);

    // Before any fit a double click changes nothing.
    TestCanvas unfitted;
    unfitted.scale = DefaultView;
    onPictureDoubleClick(unfitted, ViewState{});
    EXPECT_EQ(unfitted.scaleChanges, 0);
}

TEST(View, LeftDragPansWithThePointer) {
    Fitted f;
    onPictureMouseDown(f.view, 10, 20);
    onPictureMouseMove(f.canvas, f.view, LeftButton, 15, 18);
    EXPECT_TRUE(f.canvas.scale == (UserScale{-150, 118, 290, -232}));
    // The pointer state stays: the next move measures only the new movement.
    EXPECT_EQ(f.view.lastX, 10.0f);
    EXPECT_EQ(f.view.lastY, 20.0f);
    EXPECT_TRUE(f.canvas.calls.empty());
}

// A step of a fiftieth of the view height up widens the view by a tenth about its centre, down
// narrows it; the corners follow the design's single-precision formulas.
TEST(View, RightDragZoomsAboutTheCentreByTheVerticalMovement) {
    for (const auto& [dy, factor] : {std::pair{11.6f, 1.1}, std::pair{-11.6f, 0.9}}) {
        Fitted f;
        onPictureMouseDown(f.view, 4, 1.25f);
        onPictureMouseMove(f.canvas, f.view, RightButton, 100, 1.25f + dy);
        const UserScale s = f.canvas.scale;
        EXPECT_NEAR(s.width, 290.0 * factor, 1e-4);
        EXPECT_NEAR(s.height, -232.0 * factor, 1e-4);
        const double ddy = double(1.25f + dy) - 1.25;
        const float left = float(-145.0 + ddy * (290.0 / -232.0));
        const float top = float(116.0 + ddy);
        EXPECT_EQ(s.left, left);
        EXPECT_EQ(s.top, top);
        EXPECT_EQ(s.width, float(left + 290.0 - 2 * ddy * (290.0 / -232.0)) - left);
        EXPECT_EQ(s.height, float(top - 232.0 - 2 * ddy) - top);
        EXPECT_EQ(f.view.lastY, 1.25f + dy);
        EXPECT_EQ(f.view.lastX, 4.0f);
    }
}

// Refused steps leave the view and the pointer state exactly as they were.
TEST(View, RefusesZoomsThatCollapseFlipOrLeaveSinglePrecision) {
    struct Case {
        const char* what;
        UserScale scale;
        int buttons;
        float y;
    };
    const Case cases[] = {
        {"horizontal movement alone", DefaultView, RightButton, 0},
        {"factor 0", DefaultView, RightButton, -116},
        {"negative factor", DefaultView, RightButton, -200},
        {"far negative factor", DefaultView, RightButton, -1e30f},
        {"width lost to rounding", {1e6f, 0, 1, -1}, RightButton, -0.4999999f},
        {"beyond single precision", {-3e38f, 3e38f, 6e37f, -6e37f}, RightButton, 3e38f},
        {"left edge beyond single precision", {3e38f, 0, 3e38f, -1}, RightButton, -0.2f},
        {"no button", DefaultView, 0, 50},
        {"middle button", DefaultView, MiddleButton, 50},
        {"left and right", DefaultView, LeftButton | RightButton, 50},
        {"right and middle", DefaultView, RightButton | MiddleButton, 50},
    };
    for (const Case& c : cases) {
        TestCanvas canvas;
        canvas.scale = c.scale;
        ViewState view{3, 0, {}};
        onPictureMouseMove(canvas, view, c.buttons, 77, c.y);
        EXPECT_TRUE(canvas.scale == c.scale) << c.what;
        EXPECT_EQ(view.lastX, 3.0f) << c.what;
        EXPECT_EQ(view.lastY, 0.0f) << c.what;
    }
    // Just short of half the height is still applied.
    TestCanvas canvas;
    canvas.scale = DefaultView;
    ViewState view;
    onPictureMouseMove(canvas, view, RightButton, 0, -115);
    EXPECT_NEAR(canvas.scale.height, -232.0 * (1 - 230.0 / 232.0), 1e-4);
}

// The user point under a device position (fractions of the view) before and after a wheel step.
TEST(View, WheelZoomsByOnePointTwoANotchAboutThePointUnderThePointer) {
    for (int delta : {120, -120, 240, 60}) {
        Fitted f;
        const float x = 37.5f, y = -61.25f;
        const double fx = (x - DefaultView.left) / double(DefaultView.width);
        const double fy = (y - DefaultView.top) / double(DefaultView.height);
        onPictureWheel(f.canvas, f.view, x, y, delta);
        const UserScale s = f.canvas.scale;
        const double factor = std::pow(1.2, -delta / 120.0);
        EXPECT_NEAR(s.width, 290 * factor, 1e-4) << delta;
        EXPECT_NEAR(s.height, -232 * factor, 1e-4) << delta;
        EXPECT_NEAR(s.left + fx * s.width, x, 1e-4) << delta;
        EXPECT_NEAR(s.top + fy * s.height, y, 1e-4) << delta;
    }
}

// Zooming in or out stops at a millionth and a million times the fitted view, by wheel or drag.
TEST(View, ZoomStopsAtAMillionTimesTheFitEitherWay) {
    for (int delta : {120, -120}) {
        Fitted f;
        for (int notch = 0; notch < 100; ++notch) {
            onPictureWheel(f.canvas, f.view, 1, 2, delta);
        }
        const double ratio = f.canvas.scale.width / 290.0;
        EXPECT_EQ(f.canvas.scaleChanges, 1 + 75) << delta;  // 1.2^75 < 1e6 < 1.2^76
        EXPECT_NEAR(f.canvas.scale.height / -232.0, ratio, ratio * 1e-3);
        EXPECT_TRUE(delta > 0 ? ratio >= 1e-6 && ratio < 1.2e-6 : ratio <= 1e6 && ratio > 1e6 / 1.2)
            << ratio;

        // The drag zoom obeys the same limit: a step of 1.25 further is refused, back is applied.
        const UserScale limit = f.canvas.scale;
        const float dy = limit.height * (delta > 0 ? 0.1f : -0.125f);
        onPictureMouseDown(f.view, 0, 0);
        onPictureMouseMove(f.canvas, f.view, RightButton, 0, dy);
        EXPECT_TRUE(f.canvas.scale == limit) << delta;
        onPictureMouseMove(f.canvas, f.view, RightButton, 0, -dy);
        EXPECT_FALSE(f.canvas.scale == limit) << delta;
    }
}

TEST(Tick, AdvancesTheRotationByAThousandthWhileRotating) {
    ProgramState state;  // db = 0: nothing is drawn
    TestCanvas canvas;
    float expected = 0;
    for (int i = 0; i < 1000; ++i) {
        drawingTick(canvas, state, TickInputs{true, "199.3655", "185.078"}, NumberLocale{});
        expected = static_cast<float>(static_cast<double>(expected) + 0.001);
    }
    EXPECT_EQ(state.rotationAngle, expected);
    EXPECT_NEAR(state.rotationAngle, 1.0, 1e-4);
    EXPECT_TRUE(canvas.calls.empty());
    drawingTick(canvas, state, TickInputs{false, "", ""}, NumberLocale{});
    EXPECT_EQ(state.rotationAngle, expected);
}

TEST(Tick, DrawsTheGearAtTheAdvancedAngleWithTheTransverseShift) {
    ProgramState state;
    state.drawingGeometry = {181.47703, 0.360356, 59, -0.1445, 0.2617993877991494};
    state.rotationAngle = 0.5f;
    TestCanvas ticked;
    drawingTick(ticked, state, TickInputs{true, "199.3655", "185.078"}, NumberLocale{});
    const float angle = static_cast<float>(0.5 + 0.001);
    EXPECT_EQ(state.rotationAngle, angle);

    const DrawingGeometry& g = state.drawingGeometry;
    TestCanvas direct;
    DrawGear(direct, g.db, g.alphaT, g.zAbs, std::cos(g.beta) * g.xMid, "199.3655", "185.078",
             angle, NumberLocale{});
    ASSERT_GT(direct.calls.size(), 1u);
    EXPECT_EQ(ticked.hash(), direct.hash());
}

}  // namespace
}  // namespace tamrel
