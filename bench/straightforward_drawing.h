#pragma once

#include "fitted_gear.h"

#include <QImage>

namespace tamrel::bench {

// The drawing tick written the plain way, the baseline the picture's drawing is measured against:
// the same construction, but every point and segment drawn by a QPainter call of its own, through
// a transform from the user coordinates of the fitted view to the image's pixels. Advances
// rotation by 0.001 radian as a tick does, then clears the image and draws the gear.
void straightforwardTick(QImage& image, const FittedGear& gear, float& rotation);

}  // namespace tamrel::bench
