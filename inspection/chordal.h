#pragma once

#include "inspection/gear.h"
#include "inspection/inspection.h"

namespace tamrel::inspection {

// Chordal values of an external gear for a gear-tooth vernier. Throws CalculationError on a
// floating-point failure.
ChordalInspection inspectChordal(const Gear& gear, const InspectionInput& input);

}  // namespace tamrel::inspection
