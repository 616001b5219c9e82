#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tamrel {

// Quantity index shared by the OptS buttons and the reference grid.
enum Quantity : int { Xn = 0, W = 1, M = 2, Sn = 3 };
inline constexpr int QuantityCount = 4;
inline constexpr std::array<Quantity, QuantityCount> Quantities{Xn, W, M, Sn};

// The window's text fields that a compute run reads or writes. After the gear data come, per
// quantity, its reference row (value, upper and lower tolerance) and its results (middle, maximum,
// minimum), then the diameters and the message line: the order in which the window shows them.
enum class Field : std::uint8_t {
    MN,
    PN,
    ZG,
    BOG,
    ZMG,
    DPG,
    RefXn,
    UpperXn,
    LowerXn,
    MidXn,
    MaxXn,
    MinXn,
    RefW,
    UpperW,
    LowerW,
    MidW,
    MaxW,
    MinW,
    RefM,
    UpperM,
    LowerM,
    MidM,
    MaxM,
    MinM,
    RefSn,
    UpperSn,
    LowerSn,
    MidSn,
    MaxSn,
    MinSn,
    DKG,
    DRG,
    Error,
};
inline constexpr int FieldCount = static_cast<int>(Field::Error) + 1;

constexpr int indexOf(Field f) {
    return static_cast<int>(f);
}

namespace detail {
constexpr Field gridField(int q, int column) {
    return static_cast<Field>(indexOf(Field::RefXn) + 6 * q + column);
}
}  // namespace detail

constexpr Field reference(int q) {
    return detail::gridField(q, 0);
}
constexpr Field upperTolerance(int q) {
    return detail::gridField(q, 1);
}
constexpr Field lowerTolerance(int q) {
    return detail::gridField(q, 2);
}
// The result fields: middle of the band, from reference + upper, from reference + lower.
constexpr Field middle(int q) {
    return detail::gridField(q, 3);
}
constexpr Field maximum(int q) {
    return detail::gridField(q, 4);
}
constexpr Field minimum(int q) {
    return detail::gridField(q, 5);
}

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

// The text a new window shows, with `decimalSeparator` in place of the point of a decimal number.
// The message line starts empty here; the window puts a hint into it.
std::string startText(Field f, std::string_view decimalSeparator);

// The placeholder of a value that is not computed or not available.
inline constexpr const char* Placeholder = "---";

}  // namespace tamrel
