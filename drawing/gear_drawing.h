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
void DrawGear(Canvas& canvas, double db, double alphaT, std::int16_t zAbs, double xt,
              std::string_view tipText, std::string_view rootText, float rotationAngle,
              const NumberLocale& locale);

}  // namespace tamrel
