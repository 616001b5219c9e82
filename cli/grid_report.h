#pragma once

#include "cli/gear_converter.h"

#include <ostream>

namespace tamrel::cli {

// The reference grid as the English window shows it after a run: a header row, one row per
// quantity (reference value, both deviations, MID, MAX, MIN), then the tip and root diameters
// and the message line. Columns are aligned with blanks; every cell is the field's exact text.
void writeGrid(const GearConverter& converter, std::ostream& out);

}  // namespace tamrel::cli
