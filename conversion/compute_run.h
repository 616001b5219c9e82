#pragma once

#include "conversion/conversion_result.h"
#include "conversion/inputs.h"

namespace tamrel {

// One compute run: check the gear data and the selected reference row in the order of their
// messages, convert the reference band through the profile shift coefficient into every other
// measure, and on success leave the automatic tip and root diameters, the drawing geometry and the
// view fitted to the gear. The first failed check ends the run with its message; what was
// computed before it stays. Every arithmetic failure ends the run with Problem::CalculationFailed.
ConversionResult runConversion(const ConversionInput& input);

}  // namespace tamrel
