#include "conversion/numeric_text.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace tamrel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies the digits at the front of `text` into `out` and drops them from `text`.
std::size_t takeDigits(std::string_view& text, std::string& out) {
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count])) {
        ++count;
    }
    out.append(text.substr(0, count));
    text.remove_prefix(count);
    return count;
}

bool takePrefix(std::string_view& text, std::string_view prefix) {
    if (prefix.empty() || text.substr(0, prefix.size()) != prefix) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

// Rewrites a numeric text into the C form "-123.45e-6", or gives an empty string when the text
// is not numeric.
std::string toCanonicalForm(std::string_view text, std::string_view separator) {
    text = trimBlanks(text);
    std::string canonical;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        canonical.push_back(text.front());
        text.remove_prefix(1);
    }
    std::size_t digits = takeDigits(text, canonical);
    if (takePrefix(text, separator)) {
        canonical.push_back('.');
        digits += takeDigits(text, canonical);
    }
    if (digits == 0) {
        return {};
    }
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        canonical.push_back('e');
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            canonical.push_back(text.front());
            text.remove_prefix(1);
        }
        if (takeDigits(text, canonical) == 0) {
            return {};
        }
    }
    return text.empty() ? canonical : std::string{};
}

// strtod in the "C" locale, whatever locale the process runs in.
double parseCanonical(const std::string& canonical) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(canonical.c_str(), nullptr, cLocale);
}

bool isWhole(double value) {
    return value == std::floor(value);
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale) {
    const std::string canonical = toCanonicalForm(text, locale.decimalSeparator);
    if (canonical.empty()) {
        return std::nullopt;
    }
    const double value = parseCanonical(canonical);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool IsNumeric(std::string_view text, const NumberLocale& locale) {
    return parseNumber(text, locale).has_value();
}

bool IsPositiveNumber(std::string_view text, const NumberLocale& locale) {
    const auto value = parseNumber(text, locale);
    return value && *value > 0;
}

bool IsNegativeNumber(std::string_view text, const NumberLocale& locale) {
    const auto value = parseNumber(text, locale);
    return value && *value < 0;
}

bool IsPositiveInteger(std::string_view text, const NumberLocale& locale) {
    const auto value = parseNumber(text, locale);
    return value && *value > 0 && isWhole(*value);
}

bool IsNegativeInteger(std::string_view text, const NumberLocale& locale) {
    const auto value = parseNumber(text, locale);
    return value && *value < 0 && isWhole(*value);
}

}  // namespace tamrel
