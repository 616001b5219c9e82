#include "drawing/view.h"

#include "drawing/gear_drawing.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

const NumberLocale Dot{"."};

// The view a compute run fits to the default gear: scale height -232, centred on the gear; the
// width follows a 5:4 picture area.
const UserScale DefaultView{-145.0f, 116.0f, 290.0f, -232.0f};

void expectSameScale(const UserScale& a, const UserScale& b) {
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
}

TEST(MouseDown, RemembersThePositionForEveryButton) {
    PointerState pointer;
    onPictureMouseDown(pointer, 10, 20);
    EXPECT_EQ(pointer.lastX, 10.0f);
    EXPECT_EQ(pointer.lastY, 20.0f);
    onPictureMouseDown(pointer, -3.5f, 7.25f);
    EXPECT_EQ(pointer.lastX, -3.5f);
    EXPECT_EQ(pointer.lastY, 7.25f);
}

TEST(Pan, LeftDragMovesTheViewWithThePointer) {
    RecordingCanvas canvas;
    canvas.presetScale(DefaultView);
    PointerState pointer;
    onPictureMouseDown(pointer, 10, 20);
    onPictureMouseMove(canvas, pointer, LeftButton, 15, 18);

    const UserScale s = canvas.userScale();
    EXPECT_EQ(s.left, DefaultView.left - 5);
    EXPECT_EQ(s.top, DefaultView.top + 2);
    EXPECT_EQ(s.width, DefaultView.width);
    EXPECT_EQ(s.height, DefaultView.height);
    // The pointer state stays: the next move measures only the new movement.
    EXPECT_EQ(pointer.lastX, 10.0f);
    EXPECT_EQ(pointer.lastY, 20.0f);
    // Pan draws nothing.
    EXPECT_EQ(canvas.count(Kind::Scale), canvas.calls.size());
}

// A step of a fiftieth of the view height up widens the view by a tenth, down narrows it.
TEST(Zoom, AFiftiethOfTheHeightScalesTheViewByATenthAboutItsCentre) {
    for (const auto& [dy, factor] : {std::pair{11.6f, 1.1}, std::pair{-11.6f, 0.9}}) {
        RecordingCanvas canvas;
        canvas.presetScale(DefaultView);
        PointerState pointer;
        onPictureMouseDown(pointer, 4, 0);
        onPictureMouseMove(canvas, pointer, RightButton, 100, dy);

        const UserScale s = canvas.userScale();
        EXPECT_NEAR(s.width, 290.0 * factor, 1e-4);
        EXPECT_NEAR(s.height, -232.0 * factor, 1e-4);
        EXPECT_NEAR(s.left + s.width / 2, 0.0, 1e-4);
        EXPECT_NEAR(s.top + s.height / 2, 0.0, 1e-4);
        EXPECT_EQ(pointer.lastY, dy);
        EXPECT_EQ(pointer.lastX, 4.0f);  // horizontal movement does nothing
    }
}

TEST(Zoom, FollowsTheCornerFormulas) {
    RecordingCanvas canvas;
    canvas.presetScale(DefaultView);
    PointerState pointer{0, 1.25f};
    onPictureMouseMove(canvas, pointer, RightButton, 0, 3.5f);
    const double sl = DefaultView.left, st = DefaultView.top;
    const double sw = DefaultView.width, sh = DefaultView.height;
    const double dy = 3.5 - 1.25;
    const float sl1 = static_cast<float>(sl + dy * (sw / sh));
    const float st1 = static_cast<float>(st + dy);
    const float x2 = static_cast<float>(sl1 + sw - 2 * dy * (sw / sh));
    const float y2 = static_cast<float>(st1 + sh - 2 * dy);
    const UserScale s = canvas.userScale();
    EXPECT_EQ(s.left, sl1);
    EXPECT_EQ(s.top, st1);
    EXPECT_EQ(s.width, x2 - sl1);
    EXPECT_EQ(s.height, y2 - st1);
}

TEST(Zoom, HorizontalMovementAloneChangesNothing) {
    RecordingCanvas canvas;
    canvas.presetScale(DefaultView);
    PointerState pointer{0, 5};
    onPictureMouseMove(canvas, pointer, RightButton, 77, 5);
    expectSameScale(canvas.userScale(), DefaultView);
}

TEST(Zoom, AStepWithoutPositiveFactorIsRefused) {
    // f = 1 - 2 dy / SH: dy = -116 gives f = 0, dy = -200 a negative f.
    for (float y : {-116.0f, -200.0f, -1e30f}) {
        RecordingCanvas canvas;
        canvas.presetScale(DefaultView);
        PointerState pointer{3, 0};
        onPictureMouseMove(canvas, pointer, RightButton, 0, y);
        SCOPED_TRACE(y);
        expectSameScale(canvas.userScale(), DefaultView);
        EXPECT_TRUE(canvas.calls.empty());
        // lastY stays too: the refused move is ignored as a whole.
        EXPECT_EQ(pointer.lastY, 0.0f);
        EXPECT_EQ(pointer.lastX, 3.0f);
    }
    // Just short of half the height is still applied.
    RecordingCanvas canvas;
    canvas.presetScale(DefaultView);
    PointerState pointer{0, 0};
    onPictureMouseMove(canvas, pointer, RightButton, 0, -115.0f);
    EXPECT_NEAR(canvas.userScale().height, -232.0 * (1 - 230.0 / 232.0), 1e-4);
    EXPECT_EQ(pointer.lastY, -115.0f);
}

TEST(Zoom, AStepThatRoundingWouldCollapseIsRefused) {
    // f = 2e-7 is positive, but the new width of 2e-7 vanishes next to a left edge of 1e6.
    const UserScale far{1e6f, 0.0f, 1.0f, -1.0f};
    RecordingCanvas canvas;
    canvas.presetScale(far);
    PointerState pointer{0, 0};
    onPictureMouseMove(canvas, pointer, RightButton, 0, -0.4999999f);
    expectSameScale(canvas.userScale(), far);
    EXPECT_EQ(pointer.lastY, 0.0f);
}

TEST(Zoom, AStepBeyondSinglePrecisionIsRefused) {
    const UserScale huge{-3e38f, 3e38f, 6e37f, -6e37f};
    RecordingCanvas canvas;
    canvas.presetScale(huge);
    PointerState pointer{0, 0};
    onPictureMouseMove(canvas, pointer, RightButton, 0, 3e38f);  // f = 11
    expectSameScale(canvas.userScale(), huge);
    EXPECT_EQ(pointer.lastY, 0.0f);
}

TEST(MouseMove, OtherButtonStatesChangeNothing) {
    for (int buttons : {0, int{MiddleButton}, LeftButton | RightButton, LeftButton | MiddleButton,
                        RightButton | MiddleButton, LeftButton | RightButton | MiddleButton}) {
        RecordingCanvas canvas;
        canvas.presetScale(DefaultView);
        PointerState pointer{10, 20};
        onPictureMouseMove(canvas, pointer, buttons, 15, 18);
        SCOPED_TRACE(buttons);
        expectSameScale(canvas.userScale(), DefaultView);
        EXPECT_TRUE(canvas.calls.empty());
        EXPECT_EQ(pointer.lastX, 10.0f);
        EXPECT_EQ(pointer.lastY, 20.0f);
    }
}

ProgramState exampleState() {
    ProgramState state;
    state.drawingGeometry.db = 181.47703;
    state.drawingGeometry.alphaT = 0.360356;
    state.drawingGeometry.zAbs = 59;
    state.drawingGeometry.xMid = -0.1445;
    state.drawingGeometry.beta = 0.2617993877991494;
    return state;
}

TEST(Tick, ThousandTicksTurnTheGearByAboutOneRadian) {
    ProgramState state;  // db = 0: nothing is drawn
    RecordingCanvas canvas;
    float expected = 0;
    for (int i = 0; i < 1000; ++i) {
        drawingTick(canvas, state, TickInputs{true, "", ""}, Dot);
        expected = static_cast<float>(static_cast<double>(expected) + 1 * 0.001);
    }
    EXPECT_EQ(state.rotationAngle, expected);
    EXPECT_NEAR(state.rotationAngle, 1.0, 1e-4);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(Tick, StandsWithoutRotate) {
    ProgramState state;
    state.rotationAngle = 0.25f;
    RecordingCanvas canvas;
    for (int i = 0; i < 1000; ++i) {
        drawingTick(canvas, state, TickInputs{false, "", ""}, Dot);
    }
    EXPECT_EQ(state.rotationAngle, 0.25f);
}

TEST(Tick, DrawsNothingBeforeARunHasSucceeded) {
    ProgramState state;
    RecordingCanvas canvas;
    drawingTick(canvas, state, TickInputs{true, "199.3655", "185.078"}, Dot);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(state.rotationAngle, 0.001f);
}

TEST(Tick, DrawsTheGearAtTheAdvancedAngleWithTheTransverseShift) {
    ProgramState state = exampleState();
    state.rotationAngle = 0.5f;
    RecordingCanvas ticked;
    drawingTick(ticked, state, TickInputs{true, "199.3655", "185.078"}, Dot);
    const float angle = static_cast<float>(0.5 + 0.001);
    EXPECT_EQ(state.rotationAngle, angle);

    const DrawingGeometry& g = state.drawingGeometry;
    RecordingCanvas direct;
    DrawGear(direct, g.db, g.alphaT, g.zAbs, std::cos(g.beta) * g.xMid, "199.3655", "185.078",
             angle, Dot);
    ASSERT_GT(direct.calls.size(), 1u);
    EXPECT_TRUE(ticked.calls == direct.calls);
}

}  // namespace
}  // namespace tamrel
