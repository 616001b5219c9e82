#pragma once

#include "conversion/conversion_result.h"
#include "conversion/inputs.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tamrel {

// The window's text fields that a compute run reads or writes. After the gear data come, per
// quantity, its reference row (value, upper and lower tolerance) and its results (middle, maximum,
// minimum), then the diameters and the message line: the order in which the window shows them.
// clang-format off
enum class Field : std::uint8_t {
    MN, PN, ZG, BOG, ZMG, DPG,
    RefXn, UpperXn, LowerXn, MidXn, MaxXn, MinXn,
    RefW, UpperW, LowerW, MidW, MaxW, MinW,
    RefM, UpperM, LowerM, MidM, MaxM, MinM,
    RefSn, UpperSn, LowerSn, MidSn, MaxSn, MinSn,
    DKG, DRG, Error,
};
// clang-format on
inline constexpr int FieldCount = static_cast<int>(Field::Error) + 1;

constexpr int indexOf(Field f) {
    return static_cast<int>(f);
}

// The field of quantity q's grid column c.
constexpr Field gridField(int q, Column c) {
    return static_cast<Field>(indexOf(Field::RefXn) + ColumnCount * q + static_cast<int>(c));
}

// The reference row and the results (middle of the band, from reference + upper, from reference +
// lower) of quantity q.
// clang-format off
constexpr Field reference(int q) { return gridField(q, Column::Reference); }
constexpr Field upperTolerance(int q) { return gridField(q, Column::Upper); }
constexpr Field lowerTolerance(int q) { return gridField(q, Column::Lower); }
constexpr Field middle(int q) { return gridField(q, Column::Mid); }
constexpr Field maximum(int q) { return gridField(q, Column::Max); }
constexpr Field minimum(int q) { return gridField(q, Column::Min); }
// clang-format on

// The field a compute run reads an input from, with quantity q's reference row selected.
Field inputField(Input input, Quantity q);

// Every field in window order.
constexpr std::array<Field, FieldCount> allFields() {
    std::array<Field, FieldCount> fields{};
    for (int i = 0; i < FieldCount; ++i) {
        fields[i] = static_cast<Field>(i);
    }
    return fields;
}

// The control name, e.g. "TextMN", "TextS(1)", "TextSW2", "TextError".
const char* fieldName(Field f);

// The text a new window shows, numbers with the locale's decimal separator. The message line
// starts empty here; the window puts a hint into it.
std::string startText(Field f, const NumberLocale& locale);

}  // namespace tamrel
