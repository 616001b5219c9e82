#pragma once

#include <string>

namespace tamrel {

// How numbers are read and written: the decimal separator of the user's locale ("." or "," or
// any other UTF-8 text). Digits, signs and exponents are always ASCII.
struct NumberLocale {
    std::string decimalSeparator = ".";
};

}  // namespace tamrel
