#include "drawing/view.h"

#include "drawing/gear_drawing.h"

#include <cfloat>
#include <cmath>
#include <optional>

namespace tamrel {

namespace {

// A value as written to the picture's coordinate system: the double stored in single precision,
// or nothing when it would not be a finite float.
std::optional<float> toScaleValue(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

// Whether an extent of the view (width or height) keeps being usable after a zoom step: finite,
// and, unless it was 0 already, neither 0 nor of the other sign.
bool keepsExtent(float before, float after) {
    if (!std::isfinite(after)) {
        return false;
    }
    return before == 0 || (after != 0 && (after > 0) == (before > 0));
}

void pan(Canvas& canvas, const PointerState& pointer, float x, float y) {
    const UserScale scale = canvas.userScale();
    const std::optional<float> left =
        toScaleValue(static_cast<double>(scale.left) -
                     (static_cast<double>(x) - static_cast<double>(pointer.lastX)));
    const std::optional<float> top =
        toScaleValue(static_cast<double>(scale.top) -
                     (static_cast<double>(y) - static_cast<double>(pointer.lastY)));
    if (!left || !top) {
        return;  // a shift beyond single precision is refused
    }
    UserScale moved = scale;
    moved.left = *left;
    moved.top = *top;
    canvas.setUserScale(moved);
}

void zoom(Canvas& canvas, PointerState& pointer, float y) {
    const UserScale scale = canvas.userScale();
    const double sl = scale.left;
    const double st = scale.top;
    const double sw = scale.width;
    const double sh = scale.height;
    const double dy = static_cast<double>(y) - static_cast<double>(pointer.lastY);

    // The factor both extents are multiplied by. A step that would collapse or turn over the view
    // (f zero or negative, or no factor at all when the height is 0) is refused: the view and the
    // pointer state stay exactly as they were.
    const double f = 1 - 2 * dy / sh;
    if (!(f > 0) || !std::isfinite(f)) {
        return;
    }

    const std::optional<float> left1 = toScaleValue(sl + dy * (sw / sh));
    const std::optional<float> top1 = toScaleValue(st + dy);
    if (!left1 || !top1) {
        return;
    }
    const std::optional<float> right =
        toScaleValue(static_cast<double>(*left1) + sw - 2 * dy * (sw / sh));
    const std::optional<float> bottom = toScaleValue(static_cast<double>(*top1) + sh - 2 * dy);
    if (!right || !bottom) {
        return;
    }
    // The extents as setCorners will form them in single precision: refuse a step after which
    // rounding would leave the view without width or height, or turned over.
    if (!keepsExtent(scale.width, *right - *left1) || !keepsExtent(scale.height, *bottom - *top1)) {
        return;
    }

    canvas.setCorners(*left1, *top1, *right, *bottom);
    pointer.lastY = y;
}

}  // namespace

void onPictureMouseDown(PointerState& pointer, float x, float y) {
    pointer.lastX = x;
    pointer.lastY = y;
}

void onPictureMouseMove(Canvas& canvas, PointerState& pointer, int buttons, float x, float y) {
    if (buttons == LeftButton) {
        pan(canvas, pointer, x, y);
    } else if (buttons == RightButton) {
        zoom(canvas, pointer, y);
    }
}

void drawingTick(Canvas& canvas, ProgramState& state, const TickInputs& inputs,
                 const NumberLocale& locale) {
    const int v = inputs.rotate ? 1 : 0;
    state.rotationAngle = static_cast<float>(static_cast<double>(state.rotationAngle) + v * 0.001);

    const DrawingGeometry& geometry = state.drawingGeometry;
    if (geometry.db != 0) {
        const double xt = std::cos(geometry.beta) * geometry.xMid;
        DrawGear(canvas, geometry.db, geometry.alphaT, geometry.zAbs, xt, inputs.tipText,
                 inputs.rootText, state.rotationAngle, locale);
    }
}

}  // namespace tamrel
