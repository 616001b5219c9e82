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

// A number as a run writes it: no superfluous zeros, no negative zero, at most fifteen
// significant digits. A result always carries the separator and at most sixteen decimals; a tip or
// root diameter has at most four decimals and no separator when it is whole.
inline bool isNumberText(std::string_view text, std::string_view separator, bool diameter) {
    const bool negative = !text.empty() && text.front() == '-';
    text.remove_prefix(negative ? 1 : 0);
    const std::size_t at = text.find(separator);
    const std::string_view integer = text.substr(0, at);
    const std::string_view fraction =
        at == std::string_view::npos ? std::string_view() : text.substr(at + separator.size());
    const auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (integer.empty() || !digits(integer) || !digits(fraction) ||
        (integer.size() > 1 && integer.front() == '0') ||
        (!fraction.empty() && fraction.back() == '0')) {
        return false;
    }
    const std::string all = std::string(integer) + std::string(fraction);
    const std::size_t first = all.find_first_not_of('0');
    const std::size_t significant =
        first == std::string::npos ? 0 : all.find_last_not_of('0') - first + 1;
    if (significant > 15 || (negative && significant == 0)) {
        return false;
    }
    return diameter ? fraction.size() <= 4 && (at == std::string_view::npos) == fraction.empty()
                    : at != std::string_view::npos && fraction.size() <= 16;
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
        return isNumberText(after, separator, false) ? ""
                                                     : describe(name, after) + " after success";
    }
    if (isOutput(name, c.reference)) {
        return after == Placeholder || isNumberText(after, separator, false)
                   ? ""
                   : describe(name, after);
    }
    const bool diameter = name == Field::DKG || name == Field::DRG;
    if (diameter && succeeded && c.autoDiameter) {
        return isNumberText(after, separator, true) ? "" : describe(name, after);
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
