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

namespace tamrel::cli {

// One gear as given on the command line or in a batch row: the text of each input given, passed on
// unchanged so that the compute run does its own checking, and the reference quantity.
struct TypedGear {
    std::array<std::optional<std::string>, InputCount> texts;
    Quantity reference = W;

    std::optional<std::string>& operator[](Input i) { return texts[static_cast<std::size_t>(i)]; }
    const std::optional<std::string>& operator[](Input i) const {
        return texts[static_cast<std::size_t>(i)];
    }
};

// The run's input for the gear: what is given, with the defaults of a new window but for the span
// count and the ball diameter, which stay empty. Typed diameters turn the automatic ones off;
// one of them typed alone leaves the other empty.
ConversionInput conversionInput(const TypedGear& gear, const NumberLocale& locale);

// The inspection aids of a completed run (see inspectionJson); nothing when it stopped.
std::optional<Json> inspectionOf(const ConversionResult& run);

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
