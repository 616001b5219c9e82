#pragma once

#include "conversion/number_locale.h"

#include <string>

// Every number text the program writes: the results, the diameters, the tooltips' short form, and
// texts with a point (start texts, JSON numbers) shown with the locale's decimal separator.
namespace tamrel {

// The result pattern "0.################": at most fifteen significant digits, at most sixteen
// decimals, trailing zeros dropped, the separator always written, no exponent.
// 72.88005664490464 -> "72.8800566449046", 0 -> "0.", 0.5 -> "0.5".
std::string formatResult(double value, const NumberLocale& locale);

// A result text and the number it reads back as: the value rounded to its displayed digits.
struct ShownNumber {
    double value;
    std::string text;
};
ShownNumber showResult(double value, const NumberLocale& locale);

// The plain form of the tip and root diameters: at most fifteen significant digits, no trailing
// zeros and no separator for a whole value ("200.2831", "232").
std::string formatPlain(double value, const NumberLocale& locale);

// A fixed number of decimals, for a quick reading: "40.5902"; a value that rounds to zero has no
// sign. Trimmed, trailing zeros and a separator left alone are dropped: "3.175", "20".
std::string formatFixed(double value, int decimals, const NumberLocale& locale,
                        bool trimmed = false);

// A number text written with a point ("3.175", "1e-05") with the locale's separator instead.
std::string localized(std::string pointText, const NumberLocale& locale);

}  // namespace tamrel
