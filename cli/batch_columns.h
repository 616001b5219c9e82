#pragma once

#include "cli/gear_input.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamrel::cli {

// The input columns of a batch, named like the command-line options.
enum class Column { Mn, Pn, Zg, Bog, Zmg, Dpg, Ref, Value, Upper, Lower, Dkg, Drg };
inline constexpr std::size_t ColumnCount = 12;
const std::array<const char*, ColumnCount>& columnNames();

// A header that names no usable set of columns.
class HeaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where each input column sits in the rows of one batch, taken from its header row.
class BatchColumns {
public:
    // Column names are matched without regard to case or surrounding blanks; mn, pn, zg, bog, ref
    // and value are required, each name may appear once, and no other name is allowed.
    explicit BatchColumns(const std::vector<std::string>& header);

    std::size_t width() const { return width_; }

    // Fills `gear` from one row; gives the reason when the row cannot be read.
    std::optional<std::string> readRow(const std::vector<std::string>& cells,
                                       GearInput& gear) const;

    // The cell of `column` in a row of the right width, or the empty text when the batch has no
    // such column.
    std::string_view cell(const std::vector<std::string>& cells, Column column) const;

private:
    std::size_t width_ = 0;
    std::array<std::optional<std::size_t>, ColumnCount> positions_{};
};

}  // namespace tamrel::cli
