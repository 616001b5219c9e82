#pragma once

#include "conversion/number_locale.h"
#include "drawing/canvas.h"

#include <cstdint>
#include <string_view>

namespace tamrel {

// Clears the canvas and draws the transverse outline of the gear: base, reference, tip and root
// circles, the centre point and both involute flanks of every tooth, turned clockwise by
// rotationAngle. The tip and root diameters come as the texts of TextDKG and TextDRG; unless both
// are positive numbers and the larger reaches the base circle, the picture stays empty.
//
// The picture is either the whole gear or empty (cleared only): it also stays empty when db is not
// positive, when zAbs < 1, when INV or ARCCOS fail, or when any coordinate would lie beyond the
// single-precision range. Everything is computed and checked before the first drawing call; a
// refused call leaves the pen colour as it was. A drawn gear leaves the pen black.
void DrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
              std::string_view tipText, std::string_view rootText, float rotationAngle,
              const NumberLocale& locale);

}  // namespace tamrel
