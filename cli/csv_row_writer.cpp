#include "cli/csv_row_writer.h"

#include <csv.h>

namespace tamrel::cli {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One pass over the cell: most cells are short numbers that need nothing.
bool needsQuotes(std::string_view cell) {
    if (cell.empty()) {
        return false;
    }
    // A reader trims blanks around unquoted fields.
    if (isBlank(cell.front()) || isBlank(cell.back())) {
        return true;
    }
    for (char c : cell) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

void CsvRowWriter::addCell(std::string_view cell) {
    if (rowStarted_) {
        text_.push_back(',');
    }
    rowStarted_ = true;
    if (!needsQuotes(cell)) {
        text_.append(cell);
        return;
    }
    const std::size_t start = text_.size();
    const std::size_t quotedSize = csv_write(nullptr, 0, cell.data(), cell.size());
    text_.resize(start + quotedSize);
    csv_write(text_.data() + start, quotedSize, cell.data(), cell.size());
}

void CsvRowWriter::endRow() {
    text_.push_back('\n');
    rowStarted_ = false;
}

}  // namespace tamrel::cli
