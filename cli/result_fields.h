#pragma once

#include "conversion/fields.h"

#include <array>

namespace tamrel::cli {

// Every field a compute run can write, in the order the window shows them: for Xn, W, M and Sn
// the reference row (value, upper, lower deviation) and the MID, MAX and MIN results, then the
// tip and root diameters and the message line.
inline constexpr int ResultFieldCount = FieldCount - indexOf(Field::RefXn);
constexpr std::array<Field, ResultFieldCount> resultFields() {
    std::array<Field, ResultFieldCount> fields{};
    for (int i = 0; i < ResultFieldCount; ++i) {
        fields[i] = static_cast<Field>(indexOf(Field::RefXn) + i);
    }
    return fields;
}

}  // namespace tamrel::cli
