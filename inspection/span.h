#pragma once

#include "inspection/gear.h"
#include "inspection/inspection.h"

namespace tamrel::inspection {

// The span block of an external gear. Throws CalculationError on a floating-point failure.
SpanInspection inspectSpan(const Gear& gear, const InspectionInput& input,
                           const Outcome<FlankRange>& flank);

}  // namespace tamrel::inspection
