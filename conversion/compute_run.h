#pragma once

#include "conversion/field_store.h"
#include "conversion/number_locale.h"
#include "conversion/program_state.h"

namespace tamrel {

// The message of a run that met an arithmetic failure no input check catches.
inline constexpr const char* CalculationFailedMessage = "ERROR:Calculation failed!";

// One compute run: reset the result fields, check the gear data and the selected reference row,
// convert the reference band through the profile shift coefficient into every other measure,
// writing each value the moment it is computed, and on success leave the drawing geometry, the
// automatic tip and root diameters and the picture's coordinate system. A failed check writes
// its message into TextError and ends the run.
void runConversion(FieldStore& store, ProgramState& state, const NumberLocale& locale);

}  // namespace tamrel
