#include "cli/batch_columns.h"

#include "cli/text_helpers.h"

namespace tamrel::cli {

namespace {

constexpr std::array<Column, 6> RequiredColumns{Column::Mn,  Column::Pn,  Column::Zg,
                                                Column::Bog, Column::Ref, Column::Value};

std::size_t indexOf(Column column) {
    return static_cast<std::size_t>(column);
}

std::optional<Column> columnNamed(std::string_view name) {
    name = trimBlanks(name);
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (equalsIgnoringCase(name, columnNames()[i])) {
            return static_cast<Column>(i);
        }
    }
    return std::nullopt;
}

// A file saved by some editors starts with a UTF-8 byte order mark.
std::string_view withoutByteOrderMark(std::string_view name) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (name.substr(0, mark.size()) == mark) {
        name.remove_prefix(mark.size());
    }
    return name;
}

}  // namespace

const std::array<const char*, ColumnCount>& columnNames() {
    static const std::array<const char*, ColumnCount> names{
        "mn", "pn", "zg", "bog", "zmg", "dpg", "ref", "value", "upper", "lower", "dkg", "drg"};
    return names;
}

BatchColumns::BatchColumns(const std::vector<std::string>& header) : width_(header.size()) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = i == 0 ? withoutByteOrderMark(header[i]) : header[i];
        const auto column = columnNamed(name);
        if (!column) {
            throw HeaderError("unknown column \"" + std::string(name) + "\" in the header");
        }
        auto& position = positions_[indexOf(*column)];
        if (position) {
            throw HeaderError("column \"" + std::string(columnNames()[indexOf(*column)]) +
                              "\" appears twice in the header");
        }
        position = i;
    }
    for (Column required : RequiredColumns) {
        if (!positions_[indexOf(required)]) {
            throw HeaderError("the header has no column \"" +
                              std::string(columnNames()[indexOf(required)]) + "\"");
        }
    }
}

std::string_view BatchColumns::cell(const std::vector<std::string>& cells, Column column) const {
    const auto& position = positions_[indexOf(column)];
    return position && *position < cells.size() ? std::string_view(cells[*position])
                                                : std::string_view();
}

std::optional<std::string> BatchColumns::readRow(const std::vector<std::string>& cells,
                                                 GearInput& gear) const {
    if (cells.size() != width_) {
        return std::to_string(cells.size()) + " fields where the header has " +
               std::to_string(width_);
    }
    const auto reference = parseReference(cell(cells, Column::Ref));
    if (!reference) {
        return "ref \"" + std::string(cell(cells, Column::Ref)) + "\" is not Xn, W, M or Sn";
    }
    gear.reference = *reference;
    gear.mn.assign(cell(cells, Column::Mn));
    gear.pn.assign(cell(cells, Column::Pn));
    gear.zg.assign(cell(cells, Column::Zg));
    gear.bog.assign(cell(cells, Column::Bog));
    gear.zmg.assign(cell(cells, Column::Zmg));
    gear.dpg.assign(cell(cells, Column::Dpg));
    gear.value.assign(cell(cells, Column::Value));
    // Without tolerance columns the tolerances are 0, as in a new window.
    gear.upper.assign(positions_[indexOf(Column::Upper)] ? cell(cells, Column::Upper) : "0");
    gear.lower.assign(positions_[indexOf(Column::Lower)] ? cell(cells, Column::Lower) : "0");
    gear.dkg.assign(cell(cells, Column::Dkg));
    gear.drg.assign(cell(cells, Column::Drg));
    // Typed diameters switch AUTO off; a row that leaves both empty keeps it on.
    gear.autoDiameter = gear.dkg.empty() && gear.drg.empty();
    return std::nullopt;
}

}  // namespace tamrel::cli
