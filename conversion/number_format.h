#pragma once

#include "conversion/number_locale.h"

#include <string>

namespace tamrel {

// The result pattern "0.################": at most fifteen significant digits, at most sixteen
// decimals, trailing zeros dropped, the separator always written, no exponent.
// 72.88005664490464 -> "72.8800566449046", 0 -> "0.", 0.5 -> "0.5".
std::string formatResult(double value, const NumberLocale& locale);

// The plain form of the tip and root diameters: at most fifteen significant digits, no trailing
// zeros and no separator for a whole value ("200.2831", "232").
std::string formatPlain(double value, const NumberLocale& locale);

}  // namespace tamrel
