#include "conversion/number_format.h"

#include "geometry/calculation_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tamrel {

namespace {

constexpr int SignificantDigits = 15;
constexpr int MaxDecimals = 16;

// Adds one unit in the last place of a string of decimal digits; a carry out of the first digit
// adds a leading 1.
void roundUpLastDigit(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(0, 1, '1');
}

struct FixedDigits {
    bool negative = false;
    std::string integerPart;
    std::string fraction;
};

// Fifteen significant digits, correctly rounded from the binary value, laid out without an
// exponent. Where they reach beyond the sixteenth decimal, those digits are rounded half away from
// zero at the sixteenth: the decimal digits are rounded, not the binary value a second time.
FixedDigits toFixedDigits(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, SignificantDigits - 1);
    const std::string scientific(buffer, end.ptr);
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    // Digits before the decimal point: leading zeros make at least one, trailing zeros fill up
    // a large integer.
    int integerDigits = std::atoi(scientific.c_str() + ePos + 1) + 1;
    if (integerDigits < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - integerDigits), '0');
        integerDigits = 1;
    }
    const auto point = static_cast<std::size_t>(integerDigits);
    if (point > digits.size()) {
        digits.append(point - digits.size(), '0');
    }
    const std::size_t decimals = std::min<std::size_t>(digits.size() - point, MaxDecimals);
    if (digits.size() - point > MaxDecimals) {
        const bool roundUp = digits[point + MaxDecimals] >= '5';
        digits.resize(point + MaxDecimals);
        if (roundUp) {
            roundUpLastDigit(digits);  // a carry can lengthen the integer part
        }
    }
    const std::size_t integerEnd = digits.size() - decimals;
    FixedDigits fixed;
    fixed.negative = value < 0;
    fixed.integerPart = digits.substr(0, integerEnd);
    fixed.fraction = digits.substr(integerEnd);
    return fixed;
}

std::string format(double value, const std::string& separator, bool alwaysSeparator) {
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
        text += separator;
    }
    return text + fixed.fraction;
}

}  // namespace

std::string formatResult(double value, const NumberLocale& locale) {
    return format(value, locale.decimalSeparator, true);
}

// The text is made with a point first, read back exactly as a field's text would be, then given
// the locale's separator.
ShownNumber showResult(double value, const NumberLocale& locale) {
    std::string text = format(value, ".", true);
    ShownNumber shown{0, {}};
    std::from_chars(text.data(), text.data() + text.size(), shown.value);
    shown.text = localized(std::move(text), locale);
    return shown;
}

std::string formatPlain(double value, const NumberLocale& locale) {
    return format(value, locale.decimalSeparator, false);
}

std::string formatFixed(double value, int decimals, const NumberLocale& locale, bool trimmed) {
    char buffer[400];  // any finite double with a few decimals
    std::string text(buffer, std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value));
    if (text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, text[0] == '-');
    }
    if (trimmed && text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        text.erase(text.find_last_not_of('.') + 1);
    }
    return localized(std::move(text), locale);
}

std::string localized(std::string pointText, const NumberLocale& locale) {
    if (const std::size_t point = pointText.find('.'); point != std::string::npos) {
        pointText.replace(point, 1, locale.decimalSeparator);
    }
    return pointText;
}

}  // namespace tamrel
