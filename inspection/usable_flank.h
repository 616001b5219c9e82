#pragma once

#include "inspection/gear.h"
#include "inspection/inspection.h"

namespace tamrel::inspection {

// The flank block of an external gear: the form circle of each value of the band, checked against
// the tip circle. Throws CalculationError on a floating-point failure.
Outcome<FlankInspection> inspectFlank(const Gear& gear, const InspectionInput& input);

// The flank a contact must touch for every value of the band (see FlankRange); an external gear's
// starts at the largest form circle of its flank block.
Outcome<FlankRange> usableFlank(const Gear& gear, const InspectionInput& input,
                                const Outcome<FlankInspection>& flank);

// A contact diameter inside the usable flank.
bool onFlank(const FlankRange& flank, double diameter);

}  // namespace tamrel::inspection
