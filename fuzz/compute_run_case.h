#pragma once

// One fuzz case of the compute run: how raw bytes become what a user typed into the window. The
// fuzzer and the regression tests share this decoding, so a saved crash file replays exactly.
//
// The input is text. Its first line is a control line:
//   byte 0  reference quantity, (byte - '0') mod 5: 0 Xn, 1 W, 2 M, 3 Sn, 4 no button selected
//   byte 1  Check1, (byte - '0') mod 2: 1 checked
//   byte 2  decimal separator, (byte - '0') mod 3: 0 ".", 1 ",", 2 the Arabic one (two bytes)
// A missing byte keeps the window's start state (W, checked, "."). Each further line is the text
// of one input field, in the order MN, PN, ZG, BOG, ZMG, DPG, the reference row's value, upper and
// lower tolerance, DKG, DRG; the lines that are missing leave the window's start texts in place.
//
// checkedRun() performs one run of a fuzz case and describes the first rule it breaks of what must
// hold after any compute run, whatever was typed, so the fuzzer and the regression tests judge a
// run the same way.

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_locale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <regex>
#include <string>
#include <string_view>

namespace tamrel::fuzzing {

inline constexpr int NoReference = 4;

// A window before the run, and the locale it runs in.
struct FuzzCase {
    MemoryFieldStore window;
    NumberLocale locale;
};

inline FuzzCase decodeFuzzCase(std::string_view data) {
    const std::size_t controlEnd = std::min(data.find('\n'), data.size());
    const std::string_view control = data.substr(0, controlEnd);
    // A control byte as a small choice; digits map to themselves, so seed files stay readable.
    const auto choice = [control](std::size_t index, int options, int fallback) {
        return index < control.size() ? static_cast<unsigned char>(control[index] - '0') % options
                                      : fallback;
    };
    FuzzCase c;
    const int reference = choice(0, 5, W);
    c.window.selectReference(reference);
    c.window.setAutoDiameter(choice(1, 2, 1) == 1);
    c.locale.decimalSeparator = std::array{".", ",", "\xD9\xAB"}[choice(2, 3, 0)];
    // With no reference selected the row of Xn is typed, though the run will not read it.
    const Quantity row = reference == NoReference ? Xn : static_cast<Quantity>(reference);
    std::size_t start = controlEnd + 1;
    for (Field f : {Field::MN, Field::PN, Field::ZG, Field::BOG, Field::ZMG, Field::DPG,
                    tamrel::reference(row), upperTolerance(row), lowerTolerance(row), Field::DKG,
                    Field::DRG}) {
        if (start > data.size())
            break;
        const std::size_t end = std::min(data.find('\n', start), data.size());
        c.window.setText(f, std::string(data.substr(start, end - start)));
        start = end + 1;
    }
    return c;
}

// The messages a run may leave, and the empty message line of a success.
inline bool isKnownMessage(const std::string& text) {
    static const std::regex messages(
        "|ERROR:(MN|PN|ZG|BOG|Xn|S1|S2|ZMG|SMG|SMG,S1,S2|DPG|DMG|DMG,S1,S2|SNG) was wrong!|"
        "ERROR:ZMG is not Integer!|Check your DM or DP please!|ERROR:Calculation failed!");
    return std::regex_match(text, messages);
}

// A number as a run writes it: no superfluous zeros, no negative zero, at most fifteen
// significant digits. A result always carries the separator and at most sixteen decimals; a tip or
// root diameter has at most four decimals and no separator when it is whole.
class NumberShape {
public:
    explicit NumberShape(const std::string& separator)
        : result_("-?(0|[1-9][0-9]*)" + escaped(separator) + "([0-9]{0,15}[1-9])?"),
          diameter_("-?(0|[1-9][0-9]*)(" + escaped(separator) + "[0-9]{0,3}[1-9])?") {}

    bool matches(const std::string& text, bool diameter) const {
        std::string digits;
        for (char c : text)
            digits += c >= '0' && c <= '9' ? std::string(1, c) : "";
        const std::size_t first = digits.find_first_not_of('0');
        const std::size_t significant =
            first == std::string::npos ? 0 : digits.find_last_not_of('0') - first + 1;
        return std::regex_match(text, diameter ? diameter_ : result_) && significant <= 15 &&
               (text[0] != '-' || significant > 0);
    }

private:
    static std::string escaped(const std::string& separator) {
        return separator == "." ? "\\." : separator;
    }
    std::regex result_, diameter_;
};

// Whether a run may write field f: the results, and every row but the reference's own inputs.
inline bool isOutput(Field f, int reference) {
    const int grid = indexOf(f) - indexOf(Field::RefXn);
    return grid >= 0 && grid < 6 * QuantityCount && (grid % 6 > 2 || grid / 6 != reference);
}

// After a successful run Xn and Sn are always computed and the reference quantity shows its own
// band; only W and M may be unavailable.
inline bool mustHoldNumber(Field f, int reference) {
    const int q = (indexOf(f) - indexOf(Field::RefXn)) / 6;
    return reference != NoReference && isOutput(f, reference) &&
           (q == Xn || q == Sn || q == reference);
}

// Runs the case and returns what is wrong with the window afterwards, or an empty text.
inline std::string checkedRun(const FuzzCase& c) {
    const MemoryFieldStore& before = c.window;
    const int reference = before.selectedReference();
    MemoryFieldStore store = before;
    ProgramState state;
    state.rotationAngle = 1;

    runConversion(store, state, c.locale);

    const bool succeeded = store.text(Field::Error).empty();
    const NumberShape number(c.locale.decimalSeparator);
    for (Field f : allFields()) {
        const std::string& text = store.textOf(f);
        const bool diameter = f == Field::DKG || f == Field::DRG;
        const bool sound =
            f == Field::Error                           ? isKnownMessage(text)
            : succeeded && mustHoldNumber(f, reference) ? number.matches(text, false)
            : isOutput(f, reference) ? text == Placeholder || number.matches(text, false)
            : diameter && succeeded && before.isAutoDiameterChecked() ? number.matches(text, true)
                                                                      : text == before.textOf(f);
        if (!sound)
            return std::string(fieldName(f)) + " holds \"" + text + "\"";
    }
    const auto& [x1, y1, x2, y2, set] = store.coordinates();
    if (state.rotationAngle != 0)
        return "the rotation angle was not reset";
    if (!succeeded && (state.drawingGeometry.db != 0 || set))
        return "a failed run changed the drawing values";
    if (succeeded && !(set && std::isfinite(double(x1) + y1 + x2 + y2)))
        return "a successful run left no usable picture coordinates";
    return "";
}

}  // namespace tamrel::fuzzing
