#pragma once

#include "conversion/number_locale.h"
#include "conversion/program_state.h"
#include "drawing/canvas.h"

#include <string_view>

namespace tamrel {

// Mouse button bits as the picture reports them.
enum MouseButtonBits : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// The pointer position in user coordinates at the last button press (lastY also follows zoom).
struct PointerState {
    float lastX = 0;
    float lastY = 0;
};

// A button press over the picture: remember where, for every button.
void onPictureMouseDown(PointerState& pointer, float x, float y);

// A pointer move over the picture: the left button alone pans, the right button alone zooms
// about the centre of the view; anything else changes nothing. Changes only the canvas's user
// coordinate system; a zoom step whose factor would be zero or negative is refused.
void onPictureMouseMove(Canvas& canvas, PointerState& pointer, int buttons, float x, float y);

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
