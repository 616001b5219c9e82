#include "cli/gear_report.h"

#include "cli/text_table.h"
#include "conversion/numeric_text.h"
#include "inspection/run_inspection.h"

#include <vector>

namespace tamrel::cli {

namespace {

std::vector<Row> gridRows(const ConversionResult& run) {
    std::vector<Row> rows{{"Thickness", "Reference", "+", "-", "MID", "MAX", "MIN"}};
    for (Quantity q : Quantities) {
        Row row{describe(q).name};
        for (Column c : Columns) {
            row.push_back(run.cell(q, c).text);
        }
        rows.push_back(std::move(row));
    }
    rows.push_back({"DKG", run.tipDiameter.text});
    rows.push_back({"DRG", run.rootDiameter.text});
    rows.push_back({"Message", run.message.text()});
    return rows;
}

}  // namespace

ConversionInput conversionInput(const TypedGear& gear, const NumberLocale& locale) {
    ConversionInput input(locale);
    input.selectReference(gear.reference);
    input.automaticDiameters = !gear[Input::DKG] && !gear[Input::DRG];
    for (Input i : Inputs) {
        const bool diameter = i == Input::DKG || i == Input::DRG;
        if (gear[i]) {
            input[i] = *gear[i];
        } else if (i == Input::ZMG || i == Input::DPG || (diameter && !input.automaticDiameters)) {
            input[i].clear();
        }
    }
    return input;
}

std::variant<inspection::BasicRack, std::string>
basicRack(const TypedGear& gear, const NumberLocale& locale, const char* RackInput::*name) {
    inspection::BasicRack rack;
    for (std::size_t i = 0; i < RackInputs.size(); ++i) {
        if (!gear.rack[i]) {
            continue;
        }
        const auto factor = parseNumber(*gear.rack[i], locale);
        const bool dedendum = RackInputs[i].factor == &inspection::BasicRack::dedendum;
        if (!factor || (dedendum ? !(*factor > 0) : *factor < 0)) {
            return std::string(RackInputs[i].*name) + " \"" + *gear.rack[i] + "\" is not a " +
                   (dedendum ? "positive number" : "number of 0 or more");
        }
        rack.*RackInputs[i].factor = *factor;
    }
    return rack;
}

std::optional<Json> inspectionOf(const ConversionResult& run, const inspection::BasicRack& rack) {
    auto input = inspection::inspectionInput(run);
    if (!input) {
        return std::nullopt;
    }
    input->rack = rack;
    return inspectionJson(*input, inspection::inspect(*input));
}

void forEachResultText(const ConversionResult& run,
                       const std::function<void(const std::string&, const std::string&)>& visit) {
    for (Quantity q : Quantities) {
        for (Column c : Columns) {
            visit(std::string(describe(q).name) + "." + columnKey(c), run.cell(q, c).text);
        }
    }
    visit("tipDiameter", run.tipDiameter.text);
    visit("rootDiameter", run.rootDiameter.text);
    visit("message", run.message.text());
}

void writeGrid(const ConversionResult& run, const std::optional<Json>& inspection,
               const NumberLocale& locale, std::ostream& out) {
    writeTable(gridRows(run), out);
    if (!inspection) {
        return;
    }
    std::vector<Row> rows{{"Inspection", "Nominal", "MID", "MAX", "MIN"}};
    forEachValue([&](const char* quantity, const std::string& path) {
        if (rows.back()[0] != quantity) {
            rows.push_back({quantity});
        }
        rows.back().push_back(valueText(*inspection, path, locale, Placeholder));
    });
    out << '\n';
    writeTable(rows, out);
    if (const std::string absent = absentText(*inspection, "\nabsent "); !absent.empty()) {
        out << "absent " << absent << '\n';
    }
}

void writeJson(const ConversionResult& run, const std::optional<Json>& inspection,
               std::ostream& out) {
    Json object = Json::object();
    object["reference"] = run.reference ? describe(*run.reference).name : "";
    forEachResultText(run, [&](const std::string& name, const std::string& text) {
        object[pointerTo(name)] = text;
    });
    if (inspection) {
        object["inspection"] = *inspection;
    }
    // The reference row echoes what was typed, which need not be valid UTF-8.
    out << object.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace tamrel::cli
