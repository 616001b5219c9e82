#include "conversion/fields.h"

namespace tamrel {

namespace {

struct FieldEntry {
    const char* name;
    const char* startText;
};

// clang-format off
constexpr std::array<FieldEntry, FieldCount> FieldTable{{
    {"TextMN", "3.175"}, {"TextPN", "20"}, {"TextZG", "59"}, {"TextBOG", "15"},
    {"TextZMG", "8"}, {"TextDPG", "5.5"},
    {"TextS(0)", "-0.1445"}, {"TextS1(0)", "0"}, {"TextS2(0)", "0"},
    {"TextSXn", "---"}, {"TextSXn1", "---"}, {"TextSXn2", "---"},
    {"TextS(1)", "72.8801"}, {"TextS1(1)", "0"}, {"TextS2(1)", "0"},
    {"TextSW", "---"}, {"TextSW1", "---"}, {"TextSW2", "---"},
    {"TextS(2)", "200.7889"}, {"TextS1(2)", "0"}, {"TextS2(2)", "0"},
    {"TextSM", "---"}, {"TextSM1", "---"}, {"TextSM2", "---"},
    {"TextS(3)", "4.6533"}, {"TextS1(3)", "0"}, {"TextS2(3)", "0"},
    {"TextSSn", "---"}, {"TextSSn1", "---"}, {"TextSSn2", "---"},
    {"TextDKG", "200.2831"}, {"TextDRG", "185.9956"}, {"TextError", ""},
}};
// clang-format on

}  // namespace

const char* fieldName(Field f) {
    return FieldTable[indexOf(f)].name;
}

std::string startText(Field f, std::string_view decimalSeparator) {
    std::string text = FieldTable[indexOf(f)].startText;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace tamrel
