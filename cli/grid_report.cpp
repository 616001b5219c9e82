#include "cli/grid_report.h"

#include "cli/gear_input.h"
#include "cli/text_helpers.h"
#include "conversion/fields.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tamrel::cli {

namespace {

using Row = std::vector<std::string>;

std::vector<Row> gridRows(const GearConverter& converter) {
    std::vector<Row> rows{{"Thickness", "Reference", "+", "-", "MID", "MAX", "MIN"}};
    for (int i = 0; i < QuantityCount; ++i) {
        const auto q = static_cast<Quantity>(i);
        Row row{referenceName(q), converter.text(reference(q)), converter.text(upperTolerance(q)),
                converter.text(lowerTolerance(q))};
        for (Field result : {middle(q), maximum(q), minimum(q)}) {
            row.push_back(converter.text(result));
        }
        rows.push_back(std::move(row));
    }
    rows.push_back({"DKG", converter.text(Field::DKG)});
    rows.push_back({"DRG", converter.text(Field::DRG)});
    rows.push_back({"Message", converter.text(Field::Error)});
    return rows;
}

std::vector<std::size_t> columnWidths(const std::vector<Row>& rows) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    }
    return widths;
}

}  // namespace

void writeGrid(const GearConverter& converter, std::ostream& out) {
    const std::vector<Row> rows = gridRows(converter);
    const std::vector<std::size_t> widths = columnWidths(rows);
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                line += "  ";
            }
            line += row[c];
            line.append(widths[c] - displayWidth(row[c]), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

}  // namespace tamrel::cli
