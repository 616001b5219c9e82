#pragma once

#include "conversion/number_locale.h"

#include <optional>
#include <string_view>

namespace tamrel {

// The number a text stands for, or nothing when the text is not numeric. Numeric: optional
// blanks around, an optional sign, digits with at most one decimal separator (".5" and "5."
// included) and an optional exponent ("1E3", "2.5e-2"), with a value that fits a double.
std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale);

// The text without the blanks (spaces and tabs) around it.
std::string_view trimBlanks(std::string_view text);

bool IsNumeric(std::string_view text, const NumberLocale& locale);
bool IsPositiveNumber(std::string_view text, const NumberLocale& locale);
bool IsNegativeNumber(std::string_view text, const NumberLocale& locale);
// Numeric, positive (negative) and equal to its own floor: "12", "12.0" and "1.2E1" qualify.
bool IsPositiveInteger(std::string_view text, const NumberLocale& locale);
bool IsNegativeInteger(std::string_view text, const NumberLocale& locale);

}  // namespace tamrel
