#pragma once

#include "conversion/conversion_result.h"
#include "conversion/number_locale.h"
#include "drawing/canvas.h"

#include <optional>
#include <string_view>

namespace tamrel {

// The program-wide values outside the window's controls: what the last successful run left for the
// drawing (db = 0: none yet), and the rotation of the drawn gear in radians, single precision,
// which every compute run resets.
struct ProgramState {
    DrawingGeometry drawingGeometry;
    float rotationAngle = 0;
};

// Mouse button bits as the picture reports them.
enum MouseButtonBits : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// The pointer position in user coordinates at the last button press (lastY also follows the
// drag zoom), and the view the last successful compute run fitted.
struct ViewState {
    float lastX = 0;
    float lastY = 0;
    std::optional<UserScale> fitted;
};

// The compute run's fit: sets the coordinate system from its corners and remembers it.
void fitView(Canvas& canvas, ViewState& view, float x1, float y1, float x2, float y2);

// A button press over the picture: remember where, for every button.
void onPictureMouseDown(ViewState& view, float x, float y);

// A pointer move over the picture: the left button alone pans, the right button alone zooms
// about the centre of the view; anything else changes nothing. Changes only the canvas's user
// coordinate system.
void onPictureMouseMove(Canvas& canvas, ViewState& view, int buttons, float x, float y);

// The mouse wheel zooms by 1.2 a notch (angleDelta 120) about the point (x, y) under the pointer:
// turned away from the user it magnifies.
void onPictureWheel(Canvas& canvas, const ViewState& view, float x, float y, int angleDelta);

// A double click restores the fitted view; before the first fit it changes nothing.
void onPictureDoubleClick(Canvas& canvas, const ViewState& view);

// Every zoom is refused that would turn the view over, collapse it, or, once a view is fitted,
// take its width or height below ZoomLimit^-1 or above ZoomLimit times the fitted one.
inline constexpr double ZoomLimit = 1e6;

// One tick of the drawing timer: advance the rotation by 0.001 radian while rotating (added in
// double, stored in single precision), then, once a run has succeeded (db != 0), redraw the gear.
struct TickInputs {
    bool rotate = true;
    std::string_view tipText;
    std::string_view rootText;
};
void drawingTick(Canvas& canvas, ProgramState& state, const TickInputs& inputs,
                 const NumberLocale& locale);

}  // namespace tamrel
