#pragma once

// What must hold after any compute run, whatever was typed. checkedRun() performs one run of a
// fuzz case and describes the first rule it breaks, so the fuzzer and the regression tests judge a
// run the same way.

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "fuzz/fuzz_case.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <string_view>

namespace tamrel::fuzzing {

inline const std::set<std::string, std::less<>>& knownMessages() {
    static const std::set<std::string, std::less<>> messages{
        "",
        "ERROR:MN was wrong!",
        "ERROR:PN was wrong!",
        "ERROR:ZG was wrong!",
        "ERROR:BOG was wrong!",
        "ERROR:Xn was wrong!",
        "ERROR:S1 was wrong!",
        "ERROR:S2 was wrong!",
        "ERROR:ZMG was wrong!",
        "ERROR:ZMG is not Integer!",
        "ERROR:SMG was wrong!",
        "ERROR:SMG,S1,S2 was wrong!",
        "ERROR:DPG was wrong!",
        "ERROR:DMG was wrong!",
        "ERROR:DMG,S1,S2 was wrong!",
        "ERROR:SNG was wrong!",
        "Check your DM or DP please!",
        CalculationFailedMessage,
    };
    return messages;
}

namespace detail {

struct NumberShape {
    std::string_view sign, integer, separator, fraction;
};

inline bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Splits "-123<sep>45" into its parts; false when the text has another shape.
inline bool splitNumber(std::string_view text, std::string_view separator, NumberShape& shape) {
    if (!text.empty() && text.front() == '-') {
        shape.sign = text.substr(0, 1);
        text.remove_prefix(1);
    }
    const std::size_t sep = text.find(separator);
    shape.integer = text.substr(0, sep);
    if (sep != std::string_view::npos) {
        shape.separator = text.substr(sep, separator.size());
        shape.fraction = text.substr(sep + separator.size());
    }
    return !shape.integer.empty() && allDigits(shape.integer) && allDigits(shape.fraction);
}

// Digits from the first to the last non-zero one.
inline std::size_t significantDigits(const NumberShape& shape) {
    const std::string digits = std::string(shape.integer) + std::string(shape.fraction);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0;
    }
    return digits.find_last_not_of('0') - first + 1;
}

// The rules both number forms share: no superfluous zeros, no negative zero, fifteen significant
// digits at most.
inline bool isCanonical(const NumberShape& shape) {
    const bool leadingZero = shape.integer.size() > 1 && shape.integer.front() == '0';
    const bool trailingZero = !shape.fraction.empty() && shape.fraction.back() == '0';
    const std::size_t significant = significantDigits(shape);
    const bool negativeZero = !shape.sign.empty() && significant == 0;
    return !leadingZero && !trailingZero && !negativeZero && significant <= 15;
}

}  // namespace detail

// A result as the run writes it: "-12<sep>5", "0<sep>" - the separator always, at most sixteen
// decimals.
inline bool isResultText(std::string_view text, std::string_view separator) {
    detail::NumberShape shape;
    return detail::splitNumber(text, separator, shape) && !shape.separator.empty() &&
           shape.fraction.size() <= 16 && detail::isCanonical(shape);
}

// A tip or root diameter: cut to four decimals, no separator for a whole value.
inline bool isDiameterText(std::string_view text, std::string_view separator) {
    detail::NumberShape shape;
    return detail::splitNumber(text, separator, shape) &&
           shape.separator.empty() == shape.fraction.empty() && shape.fraction.size() <= 4 &&
           detail::isCanonical(shape);
}

namespace detail {

inline bool sameCoordinates(const MemoryFieldStore::Coordinates& a,
                            const MemoryFieldStore::Coordinates& b) {
    return a.set == b.set && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

inline bool finiteCoordinates(const MemoryFieldStore::Coordinates& c) {
    return c.set && std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) &&
           std::isfinite(c.y2);
}

// Whether `f` is a result field of quantity q, or a field of its row when it is not the
// reference.
inline bool isFieldOfQuantity(Field f, Quantity q, int reference) {
    return f == middle(q) || f == maximum(q) || f == minimum(q) ||
           (q != reference &&
            (f == tamrel::reference(q) || f == upperTolerance(q) || f == lowerTolerance(q)));
}

inline bool isOutput(Field f, int reference) {
    for (Quantity q : Quantities) {
        if (isFieldOfQuantity(f, q, reference)) {
            return true;
        }
    }
    return false;
}

// After a successful run these fields hold numbers: Xn and Sn are always computed, and the
// reference quantity shows its own band; only W and M may be unavailable.
inline bool mustHoldNumber(Field f, int reference) {
    if (reference == NoReference) {
        return false;
    }
    for (Quantity q : {Xn, Sn, static_cast<Quantity>(reference)}) {
        if (isFieldOfQuantity(f, q, reference)) {
            return true;
        }
    }
    return false;
}

inline std::string describe(Field f, const std::string& text) {
    return std::string(fieldName(f)) + " holds \"" + text + "\"";
}

// The rule a field breaks after the run, or an empty text.
inline std::string fieldViolation(const FuzzCase& c, Field name, const std::string& before,
                                  const std::string& after, bool succeeded) {
    const std::string& separator = c.locale.decimalSeparator;
    if (name == Field::Error) {
        return knownMessages().count(after) == 1 ? "" : "unknown message: " + after;
    }
    if (succeeded && mustHoldNumber(name, c.reference)) {
        return isResultText(after, separator) ? "" : describe(name, after) + " after success";
    }
    if (isOutput(name, c.reference)) {
        return after == Placeholder || isResultText(after, separator) ? "" : describe(name, after);
    }
    const bool diameter = name == Field::DKG || name == Field::DRG;
    if (diameter && succeeded && c.autoDiameter) {
        return isDiameterText(after, separator) ? "" : describe(name, after);
    }
    return after == before ? "" : describe(name, after) + " instead of \"" + before + "\"";
}

}  // namespace detail

// Runs the case and returns what is wrong with the window afterwards, or an empty text.
inline std::string checkedRun(const FuzzCase& c) {
    MemoryFieldStore store;
    applyFuzzCase(c, store);
    const MemoryFieldStore before = store;
    ProgramState state;
    state.rotationAngle = 1;

    runConversion(store, state, c.locale);

    const bool succeeded = store.text(Field::Error).empty();
    for (Field f : allFields()) {
        const std::string problem =
            detail::fieldViolation(c, f, before.textOf(f), store.textOf(f), succeeded);
        if (!problem.empty()) {
            return problem;
        }
    }
    if (state.rotationAngle != 0) {
        return "the rotation angle was not reset";
    }
    if (!succeeded && (state.drawingGeometry.db != 0 ||
                       !detail::sameCoordinates(store.coordinates(), before.coordinates()))) {
        return "a failed run changed the drawing values";
    }
    if (succeeded && !detail::finiteCoordinates(store.coordinates())) {
        return "a successful run left no usable picture coordinates";
    }
    return "";
}

}  // namespace tamrel::fuzzing
