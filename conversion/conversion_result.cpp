#include "conversion/conversion_result.h"

#include "conversion/numeric_text.h"

namespace tamrel {

const char* columnKey(Column c) {
    constexpr std::array<const char*, ColumnCount> keys{"reference", "upper", "lower",
                                                        "mid",       "max",   "min"};
    return keys[static_cast<std::size_t>(c)];
}

Column columnOf(BandValue v) {
    constexpr std::array<Column, 4> columns{Column::Reference, Column::Mid, Column::Max,
                                            Column::Min};
    return columns[static_cast<std::size_t>(v)];
}

std::string Message::text() const {
    const char* name =
        input == Input::Value ? describe(quantity).messageName : describe(input).messageName;
    switch (problem) {
    case Problem::Wrong:
        return std::string("ERROR:") + name + " was wrong!";
    case Problem::NotInteger:
        return std::string("ERROR:") + name + " is not Integer!";
    case Problem::BandNotPositive:
        return std::string("ERROR:") + name + ",S1,S2 was wrong!";
    case Problem::OutOfReach:
        return "Check your DM or DP please!";
    case Problem::CalculationFailed:
        return "ERROR:Calculation failed!";
    case Problem::None:
        break;
    }
    return "";
}

ConversionResult::ConversionResult(const ConversionInput& input) : reference(input.reference) {
    if (reference) {
        cell(*reference, Column::Reference).text = input[Input::Value];
        cell(*reference, Column::Upper).text = input[Input::Upper];
        cell(*reference, Column::Lower).text = input[Input::Lower];
    }
    tipDiameter = {parseNumber(input[Input::DKG], input.locale), input[Input::DKG]};
    rootDiameter = {parseNumber(input[Input::DRG], input.locale), input[Input::DRG]};
}

}  // namespace tamrel
