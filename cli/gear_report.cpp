#include "cli/gear_report.h"

#include "cli/text_table.h"
#include "conversion/compute_run.h"
#include "inspection/run_inspection.h"

#include <vector>

namespace tamrel::cli {

namespace {

std::vector<Row> gridRows(const GearConverter& converter) {
    std::vector<Row> rows{{"Thickness", "Reference", "+", "-", "MID", "MAX", "MIN"}};
    for (Quantity q : Quantities) {
        Row row{ReferenceNames[q]};
        for (Field f : {reference(q), upperTolerance(q), lowerTolerance(q), middle(q), maximum(q),
                        minimum(q)}) {
            row.push_back(converter.text(f));
        }
        rows.push_back(std::move(row));
    }
    rows.push_back({"DKG", converter.text(Field::DKG)});
    rows.push_back({"DRG", converter.text(Field::DRG)});
    rows.push_back({"Message", converter.text(Field::Error)});
    return rows;
}

}  // namespace

void GearConverter::convert(const GearInput& input) {
    store_.setText(Field::MN, input.mn);
    store_.setText(Field::PN, input.pn);
    store_.setText(Field::ZG, input.zg);
    store_.setText(Field::BOG, input.bog);
    store_.setText(Field::ZMG, input.zmg);
    store_.setText(Field::DPG, input.dpg);
    store_.selectReference(input.reference);
    store_.setText(reference(input.reference), input.value);
    store_.setText(upperTolerance(input.reference), input.upper);
    store_.setText(lowerTolerance(input.reference), input.lower);
    store_.setAutoDiameter(input.autoDiameter);
    store_.setText(Field::DKG, input.autoDiameter ? startTip_ : input.dkg);
    store_.setText(Field::DRG, input.autoDiameter ? startRoot_ : input.drg);
    // A new window per gear: nothing left for the drawing by an earlier run.
    ProgramState state;
    runConversion(store_, state, locale_);
}

std::optional<Json> GearConverter::inspection() const {
    const auto input = inspection::inspectionInput(store_, locale_);
    if (!input) {
        return std::nullopt;
    }
    return inspectionJson(*input, inspection::inspect(*input));
}

void writeGrid(const GearConverter& converter, const std::optional<Json>& inspection,
               const NumberLocale& locale, std::ostream& out) {
    writeTable(gridRows(converter), out);
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

void writeJson(const GearConverter& converter, const std::optional<Json>& inspection,
               std::ostream& out) {
    Json object = Json::object();
    for (Field f : ResultFields) {
        object[fieldName(f)] = converter.text(f);
    }
    if (inspection) {
        object["inspection"] = *inspection;
    }
    // The reference row echoes what was typed, which need not be valid UTF-8.
    out << object.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace tamrel::cli
