#pragma once

#include <cstddef>
#include <string_view>

namespace tamrel::cli {

// Drops blanks and tabs at both ends.
std::string_view trimBlanks(std::string_view text);

// Compares ASCII letters without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The number of characters of a UTF-8 text, for aligning columns.
std::size_t displayWidth(std::string_view text);

}  // namespace tamrel::cli
