#pragma once

#include "conversion/numeric_text.h"

#include <cstddef>
#include <string_view>

namespace tamrel::cli {

// Blanks around a value are read as the compute run reads them.
using tamrel::trimBlanks;

// Compares ASCII letters without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The number of characters of a UTF-8 text, for aligning columns.
std::size_t displayWidth(std::string_view text);

}  // namespace tamrel::cli
