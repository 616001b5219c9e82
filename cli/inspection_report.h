#pragma once

#include "conversion/number_locale.h"
#include "inspection/inspection.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>

namespace tamrel::cli {

using Json = nlohmann::ordered_json;

// The place of a value given by its dotted path ("ball.protrusion.max").
Json::json_pointer pointerTo(std::string dottedPath);

// The inspection aids as one JSON object: "span", "ball" and "chordal" with numbers, band values
// under "nominal", "mid", "max" and "min", and "absent", which maps the dotted path of every value
// that cannot be formed (held as null; a whole block is null) to the reason.
Json inspectionJson(const inspection::InspectionInput& input, const inspection::Inspection& result);

// Calls cell(quantity, path) for every value in their order: `quantity` names the grid's row
// ("ball.protrusion"), `path` the value ("ball.protrusion.max"), the batch's column after
// "inspection.".
void forEachValue(const std::function<void(const char* quantity, const std::string& path)>& cell);

// The text of the value at `path`: a number with the locale's decimal separator, true or false, a
// list blank-separated; `missing` for a value that is null or inside a null block.
std::string valueText(const Json& inspection, const std::string& path, const NumberLocale& locale,
                      const std::string& missing);

// "path: reason" for every value that cannot be formed, joined by `separator`.
std::string absentText(const Json& inspection, const std::string& separator);

}  // namespace tamrel::cli
