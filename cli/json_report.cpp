#include "cli/json_report.h"

#include "cli/result_fields.h"

#include <nlohmann/json.hpp>

namespace tamrel::cli {

void writeJson(const GearConverter& converter, std::ostream& out) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (Field f : resultFields()) {
        object[fieldName(f)] = converter.text(f);
    }
    // The reference row echoes what was typed, which need not be valid UTF-8.
    out << object.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace tamrel::cli
