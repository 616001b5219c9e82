#pragma once

#include "conversion/number_locale.h"
#include "inspection/inspection.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace tamrel::cli {

using Json = nlohmann::ordered_json;

// The inspection aids as one JSON object: "span", "ball" and "chordal" with numbers, band values
// under "nominal", "mid", "max" and "min", and "absent", which maps the dotted path of every value
// that cannot be formed (held as null; a whole block is null) to the reason.
Json inspectionJson(const inspection::InspectionInput& input, const inspection::Inspection& result);

// The dotted paths of every value ("span.recommendedTeeth", "ball.protrusion.max" ...), then
// "absent": the batch's columns, each prefixed with "inspection.".
const std::vector<std::string>& inspectionPaths();

// The text of the value at `path`: a number with the locale's decimal separator, true or false, a
// list blank-separated, "path: reason; ..." for "absent"; `missing` for a null or absent value.
std::string inspectionText(const Json& inspection, const std::string& path,
                           const NumberLocale& locale, const std::string& missing);

// "path: reason" for every value that cannot be formed.
std::vector<std::string> absentLines(const Json& inspection);

// The rows of the grid's inspection table: a header and one row per quantity with its value or
// its four band values.
std::vector<std::vector<std::string>> inspectionRows(const Json& inspection,
                                                     const NumberLocale& locale);

}  // namespace tamrel::cli
