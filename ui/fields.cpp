#include "ui/fields.h"

#include "conversion/number_format.h"

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
    switch (input) {
    case Input::Value:
        return reference(q);
    case Input::Upper:
        return upperTolerance(q);
    case Input::Lower:
        return lowerTolerance(q);
    case Input::DKG:
        return Field::DKG;
    case Input::DRG:
        return Field::DRG;
    default:
        // The gear data lead both lists in the same order.
        return static_cast<Field>(input);
    }
}

std::string startText(Field f, const NumberLocale& locale) {
    const int grid = indexOf(f) - indexOf(Field::RefXn);
    if (f == Field::Error) {
        return "";
    }
    if (grid < 0 || grid >= ColumnCount * QuantityCount) {
        const Input input = f == Field::DKG   ? Input::DKG
                            : f == Field::DRG ? Input::DRG
                                              : static_cast<Input>(f);
        return localized(describe(input).startText, locale);
    }
    const auto q = static_cast<Quantity>(grid / ColumnCount);
    switch (static_cast<Column>(grid % ColumnCount)) {
    case Column::Reference:
        return localized(describe(q).startValue, locale);
    case Column::Upper:
        return localized(describe(Input::Upper).startText, locale);
    case Column::Lower:
        return localized(describe(Input::Lower).startText, locale);
    default:
        return Placeholder;
    }
}

}  // namespace tamrel
