#pragma once

#include "inspection/gear.h"
#include "inspection/inspection.h"

namespace tamrel::inspection {

// The ball block, external and internal gears. Throws CalculationError on a floating-point
// failure.
BallInspection inspectBall(const Gear& gear, const InspectionInput& input,
                           const Outcome<FlankRange>& flank);

}  // namespace tamrel::inspection
