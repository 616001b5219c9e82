#include "ui/fields.h"

#include "conversion/number_format.h"

#include <algorithm>

namespace tamrel {

namespace {

// clang-format off
constexpr std::array<const char*, FieldCount> FieldNames{
    "TextMN", "TextPN", "TextZG", "TextBOG", "TextZMG", "TextDPG",
    "TextS(0)", "TextS1(0)", "TextS2(0)", "TextSXn", "TextSXn1", "TextSXn2",
    "TextS(1)", "TextS1(1)", "TextS2(1)", "TextSW", "TextSW1", "TextSW2",
    "TextS(2)", "TextS1(2)", "TextS2(2)", "TextSM", "TextSM1", "TextSM2",
    "TextS(3)", "TextS1(3)", "TextS2(3)", "TextSSn", "TextSSn1", "TextSSn2",
    "TextDKG", "TextDRG", "TextError",
};
// clang-format on

}  // namespace

const char* fieldName(Field f) {
    return FieldNames[indexOf(f)];
}

Field inputField(Input input, Quantity q) {
    if (input >= Input::Value && input <= Input::Lower) {
        return gridField(
            q, static_cast<Column>(static_cast<int>(input) - static_cast<int>(Input::Value)));
    }
    // The gear data lead both lists in the same order, the diameters follow the grid.
    return input < Input::Value  ? static_cast<Field>(input)
           : input == Input::DKG ? Field::DKG
                                 : Field::DRG;
}

// An input's start text, the reference value that of its row's quantity; the results and the
// message line are empty.
std::string startText(Field f, const NumberLocale& locale) {
    const int row =
        std::clamp((indexOf(f) - indexOf(Field::RefXn)) / ColumnCount, 0, QuantityCount - 1);
    const auto q = static_cast<Quantity>(row);
    for (Input i : Inputs) {
        if (inputField(i, q) == f) {
            return localized(i == Input::Value ? describe(q).startValue : describe(i).startText,
                             locale);
        }
    }
    return f == Field::Error ? "" : Placeholder;
}

}  // namespace tamrel
