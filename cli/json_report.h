#pragma once

#include "cli/gear_converter.h"

#include <ostream>

namespace tamrel::cli {

// One JSON object whose keys are the window's field names ("TextS(0)" ... "TextError") and whose
// values are their texts after the run, in the window's order.
void writeJson(const GearConverter& converter, std::ostream& out);

}  // namespace tamrel::cli
