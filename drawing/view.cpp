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

// Whether the view with these extents stays usable after a zoom: neither collapsed nor turned
// over, and, once a view is fitted, within ZoomLimit of it either way.
bool zoomAllowed(const UserScale& before, const std::optional<UserScale>& fitted, float width,
                 float height) {
    if (!keepsExtent(before.width, width) || !keepsExtent(before.height, height)) {
        return false;
    }
    if (!fitted) {
        return true;
    }
    const double w = std::fabs(static_cast<double>(width) / fitted->width);
    const double h = std::fabs(static_cast<double>(height) / fitted->height);
    return w >= 1 / ZoomLimit && w <= ZoomLimit && h >= 1 / ZoomLimit && h <= ZoomLimit;
}

// Sets the view from the corners (left, top) and (right, bottom) unless the zoom is refused.
// The extents are checked as setCorners will form them in single precision.
bool zoomTo(Canvas& canvas, const ViewState& view, float left, float top, float right,
            float bottom) {
    if (!zoomAllowed(canvas.userScale(), view.fitted, right - left, bottom - top)) {
        return false;
    }
    canvas.setCorners(left, top, right, bottom);
    return true;
}

void pan(Canvas& canvas, const ViewState& view, float x, float y) {
    const UserScale scale = canvas.userScale();
    const std::optional<float> left =
        toScaleValue(static_cast<double>(scale.left) -
                     (static_cast<double>(x) - static_cast<double>(view.lastX)));
    const std::optional<float> top =
        toScaleValue(static_cast<double>(scale.top) -
                     (static_cast<double>(y) - static_cast<double>(view.lastY)));
    if (!left || !top) {
        return;  // a shift beyond single precision is refused
    }
    UserScale moved = scale;
    moved.left = *left;
    moved.top = *top;
    canvas.setUserScale(moved);
}

// Zooms about the centre of the view by the vertical movement: both extents are multiplied by
// f = 1 - 2 dy / SH.
void dragZoom(Canvas& canvas, ViewState& view, float y) {
    const UserScale scale = canvas.userScale();
    const double sl = scale.left;
    const double st = scale.top;
    const double sw = scale.width;
    const double sh = scale.height;
    const double dy = static_cast<double>(y) - static_cast<double>(view.lastY);

    // A step that would collapse or turn over the view (f zero or negative, or no factor at all
    // when the height is 0) is refused: the view and the pointer state stay as they were.
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
    if (right && bottom && zoomTo(canvas, view, *left1, *top1, *right, *bottom)) {
        view.lastY = y;
    }
}

}  // namespace

void fitView(Canvas& canvas, ViewState& view, float x1, float y1, float x2, float y2) {
    view.fitted = UserScale{x1, y1, x2 - x1, y2 - y1};
    canvas.setUserScale(*view.fitted);
}

void onPictureMouseDown(ViewState& view, float x, float y) {
    view.lastX = x;
    view.lastY = y;
}

void onPictureMouseMove(Canvas& canvas, ViewState& view, int buttons, float x, float y) {
    if (buttons == LeftButton) {
        pan(canvas, view, x, y);
    } else if (buttons == RightButton) {
        dragZoom(canvas, view, y);
    }
}

void onPictureWheel(Canvas& canvas, const ViewState& view, float x, float y, int angleDelta) {
    if (angleDelta == 0) {
        return;
    }
    const UserScale s = canvas.userScale();
    const double f = std::pow(1.2, -angleDelta / 120.0);
    // The point under the pointer keeps its place: its distances to the edges scale by f.
    const std::optional<float> left = toScaleValue(x - (x - static_cast<double>(s.left)) * f);
    const std::optional<float> top = toScaleValue(y - (y - static_cast<double>(s.top)) * f);
    if (!left || !top) {
        return;
    }
    const std::optional<float> right = toScaleValue(*left + s.width * f);
    const std::optional<float> bottom = toScaleValue(*top + s.height * f);
    if (right && bottom) {
        zoomTo(canvas, view, *left, *top, *right, *bottom);
    }
}

void onPictureDoubleClick(Canvas& canvas, const ViewState& view) {
    if (view.fitted) {
        canvas.setUserScale(*view.fitted);
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
