#include "drawing/gear_drawing.h"

#include "geometry/calculation_error.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tamrel {
namespace {

using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

TEST(ToCanvasCoordinate, RefusesValuesBeyondSinglePrecision) {
    EXPECT_THROW(ToCanvasCoordinate(1e39), CalculationError);
    EXPECT_THROW(ToCanvasCoordinate(-1e300), CalculationError);
    EXPECT_THROW(ToCanvasCoordinate(std::numeric_limits<double>::infinity()), CalculationError);
    EXPECT_THROW(ToCanvasCoordinate(std::numeric_limits<double>::quiet_NaN()), CalculationError);
}

TEST(DrawCircle, PlotsTheTopThenDraws360SegmentsClockwiseBackToTheStart) {
    RecordingCanvas canvas;
    const double x0 = 3;
    const double y0 = -2;
    const double r = 10;
    DrawCircle(canvas, x0, y0, r);

    ASSERT_EQ(canvas.calls.size(), 361u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Point);
    EXPECT_EQ(canvas.calls[0].x, 3.0f);
    EXPECT_EQ(canvas.calls[0].y, 8.0f);
    for (std::size_t c = 1; c <= 360; ++c) {
        const auto& call = canvas.calls[c];
        ASSERT_EQ(call.kind, Kind::Line) << c;
        EXPECT_NEAR(std::hypot(call.x - x0, call.y - y0), r, 1e-5) << c;
    }
    // A quarter of the way round, clockwise with y upwards: to the right of the centre.
    EXPECT_NEAR(canvas.calls[90].x, 13.0f, 1e-5);
    EXPECT_NEAR(canvas.calls[90].y, -2.0f, 1e-5);
    EXPECT_NEAR(canvas.calls[180].x, 3.0f, 1e-5);
    EXPECT_NEAR(canvas.calls[180].y, -12.0f, 1e-5);
    // The last segment ends at the start point.
    EXPECT_NEAR(canvas.calls[360].x, 3.0f, 1e-5);
    EXPECT_NEAR(canvas.calls[360].y, 8.0f, 1e-6);
    // u = 6.28318530717958 / 360 x 1 for the first segment.
    EXPECT_EQ(canvas.calls[1].x, static_cast<float>(std::sin(6.28318530717958 / 360) * r + x0));
}

TEST(DrawPolyline, PlotsRowZeroThenDrawsToEachFurtherRowIgnoringColumnTwo) {
    Matrix p(4, 3);
    for (int i = 0; i < 4; ++i) {
        p(i, 0) = i;
        p(i, 1) = 10 * i;
        p(i, 2) = 1e300;  // not used
    }
    RecordingCanvas canvas;
    DrawPolyline(canvas, p);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Point);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            EXPECT_EQ(canvas.calls[i].kind, Kind::Line);
        }
        EXPECT_EQ(canvas.calls[i].x, static_cast<float>(i));
        EXPECT_EQ(canvas.calls[i].y, static_cast<float>(10 * i));
    }
}

}  // namespace
}  // namespace tamrel
