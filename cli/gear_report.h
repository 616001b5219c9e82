#pragma once

#include "cli/inspection_report.h"
#include "conversion/conversion_result.h"
#include "conversion/inputs.h"
#include "conversion/number_locale.h"

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

namespace tamrel::cli {

// The basic rack the inspection assumes, given as an option and a batch column of its own each.
struct RackInput {
    const char* option;
    const char* column;
    double inspection::BasicRack::*factor;
    const char* help;
};
inline constexpr std::array<RackInput, 2> RackInputs{{
    {"--rack-dedendum", "rackDedendum", &inspection::BasicRack::dedendum,
     "the hob's addendum (the gear's dedendum) in\nmodules (default 1.25, ISO 53 A)"},
    {"--rack-tip-radius", "rackTipRadius", &inspection::BasicRack::tipRadius,
     "the radius of the hob's tip in modules\n(default 0.38, ISO 53 A)"},
}};

// One gear as given on the command line or in a batch row: the text of each input given, passed on
// unchanged so that the compute run does its own checking, the reference quantity, and the rack's
// factors where given.
struct TypedGear {
    std::array<std::optional<std::string>, InputCount> texts;
    Quantity reference = W;
    std::array<std::optional<std::string>, RackInputs.size()> rack;

    std::optional<std::string>& operator[](Input i) { return texts[static_cast<std::size_t>(i)]; }
    const std::optional<std::string>& operator[](Input i) const {
        return texts[static_cast<std::size_t>(i)];
    }
};

// The run's input for the gear: what is given, with the defaults of a new window but for the span
// count and the ball diameter, which stay empty. Typed diameters turn the automatic ones off;
// one of them typed alone leaves the other empty.
ConversionInput conversionInput(const TypedGear& gear, const NumberLocale& locale);

// The rack of the gear: ISO 53 A where its factors are not given. Gives the problem instead, the
// factor named by `name` (its option or its column), when a given factor is not a number, the
// dedendum not positive or the tip radius negative.
std::variant<inspection::BasicRack, std::string>
basicRack(const TypedGear& gear, const NumberLocale& locale, const char* RackInput::*name);

// The inspection aids of a completed run cut by the rack (see inspectionJson); nothing when the run
// stopped.
std::optional<Json> inspectionOf(const ConversionResult& run, const inspection::BasicRack& rack);

// The reference grid as the English window shows it after a run: a header row, one row per
// quantity (reference value, both deviations, MID, MAX, MIN), then the tip and root diameters
// and the message line, and the inspection table when given. Columns are aligned with blanks;
// every cell is the field's exact text.
void writeGrid(const ConversionResult& run, const std::optional<Json>& inspection,
               const NumberLocale& locale, std::ostream& out);

// One JSON object: the reference quantity, per quantity its columns by name ("reference",
// "upper", "lower", "mid", "max", "min"), the diameters and the message, every value the text the
// window shows; then "inspection" when given.
void writeJson(const ConversionResult& run, const std::optional<Json>& inspection,
               std::ostream& out);

// Calls visit(name, text) for each value writeJson gives a text, by its dotted name
// ("Xn.reference" ... "Sn.min", "tipDiameter", "rootDiameter", "message"): the batch's result
// columns.
void forEachResultText(const ConversionResult& run,
                       const std::function<void(const std::string&, const std::string&)>& visit);

}  // namespace tamrel::cli
