#include "conversion/number_format.h"

#include "geometry/calculation_error.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace tamrel {

namespace {

constexpr int SignificantDigits = 15;
constexpr int MaxDecimals = 16;

struct FixedDigits {
    bool negative = false;
    std::string integerPart;
    std::string fraction;
};

// Fifteen significant digits, correctly rounded from the binary value, laid out without an
// exponent; when they would need more than sixteen decimals, the value is rounded to sixteen.
FixedDigits toFixedDigits(double value) {
    char buffer[512];
    const auto scientificEnd = std::to_chars(buffer, buffer + sizeof buffer, value,
                                             std::chars_format::scientific, SignificantDigits - 1);
    const std::string scientific(buffer, scientificEnd.ptr);
    const std::size_t ePos = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);

    FixedDigits fixed;
    fixed.negative = scientific.front() == '-';
    if (SignificantDigits - 1 - exponent > MaxDecimals) {
        const auto plainEnd =
            std::to_chars(buffer, buffer + sizeof buffer, value < 0 ? -value : value,
                          std::chars_format::fixed, MaxDecimals);
        const std::string plain(buffer, plainEnd.ptr);
        const std::size_t dot = plain.find('.');
        fixed.integerPart = plain.substr(0, dot);
        fixed.fraction = plain.substr(dot + 1);
        return fixed;
    }
    std::string digits;
    for (char c : scientific.substr(0, ePos)) {
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
        }
    }
    if (exponent >= 0) {
        if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
            digits.append(exponent + 1 - digits.size(), '0');
        }
        fixed.integerPart = digits.substr(0, exponent + 1);
        fixed.fraction = digits.substr(exponent + 1);
    } else {
        fixed.integerPart = "0";
        fixed.fraction = std::string(-exponent - 1, '0') + digits;
    }
    return fixed;
}

std::string format(double value, const NumberLocale& locale, bool alwaysSeparator) {
    requireFinite(value, "formatting a number that is not finite");
    FixedDigits fixed = toFixedDigits(value);
    while (!fixed.fraction.empty() && fixed.fraction.back() == '0') {
        fixed.fraction.pop_back();
    }
    const bool isZero =
        fixed.fraction.empty() && fixed.integerPart.find_first_not_of('0') == std::string::npos;
    std::string text = fixed.negative && !isZero ? "-" : "";
    text += fixed.integerPart;
    if (alwaysSeparator || !fixed.fraction.empty()) {
        text += locale.decimalSeparator;
    }
    return text + fixed.fraction;
}

}  // namespace

std::string formatResult(double value, const NumberLocale& locale) {
    return format(value, locale, true);
}

std::string formatPlain(double value, const NumberLocale& locale) {
    return format(value, locale, false);
}

}  // namespace tamrel
