#include "conversion/inputs.h"

#include "conversion/number_format.h"

namespace tamrel {

namespace {

// clang-format off
constexpr std::array<QuantityInfo, QuantityCount> QuantityTable{{
    {"Xn", "Xn", "-0.1445"},
    {"W", "SMG", "72.8801"},
    {"M", "DMG", "200.7889"},
    {"Sn", "SNG", "4.6533"},
}};

constexpr std::array<InputInfo, InputCount> InputTable{{
    {"MN", "mn", "MN", "normal module in mm; negative: diametral pitch", "3.175", true},
    {"PN", "pn", "PN", "normal pressure angle in degrees", "20", true},
    {"ZG", "zg", "ZG", "number of teeth; negative for an internal gear", "59", true},
    {"BOG", "bog", "BOG", "helix angle in degrees; 0 for a spur gear", "15", true},
    {"ZMG", "zmg", "ZMG", "number of teeth spanned; needed for W", "8", false},
    {"DPG", "dpg", "DPG", "pin or ball diameter in mm; needed for M", "5.5", false},
    {"V", "value", nullptr, "value of the reference measure", nullptr, true},
    {"S1", "upper", "S1", "upper tolerance, signed", "0", false},
    {"S2", "lower", "S2", "lower tolerance, signed; negative when it lies\nbelow the value", "0",
     false},
    {"DKG", "dkg", nullptr, "tip diameter in mm", "200.2831", false},
    {"DRG", "drg", nullptr, "root diameter in mm", "185.9956", false},
}};
// clang-format on

}  // namespace

const QuantityInfo& describe(Quantity q) {
    return QuantityTable[q];
}

const InputInfo& describe(Input input) {
    return InputTable[static_cast<std::size_t>(input)];
}

ConversionInput::ConversionInput(NumberLocale numberLocale) : locale(std::move(numberLocale)) {
    for (Input i : Inputs) {
        if (const char* start = describe(i).startText) {
            (*this)[i] = localized(start, locale);
        }
    }
    selectReference(W);
}

void ConversionInput::selectReference(Quantity q) {
    reference = q;
    (*this)[Input::Value] = localized(describe(q).startValue, locale);
    for (Input tolerance : {Input::Upper, Input::Lower}) {
        (*this)[tolerance] = localized(describe(tolerance).startText, locale);
    }
}

}  // namespace tamrel
