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

#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_locale.h"

#include <algorithm>
#include <array>
#include <cstddef>
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

}  // namespace tamrel::fuzzing
