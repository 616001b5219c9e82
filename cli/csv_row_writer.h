#pragma once

#include <string>
#include <string_view>

namespace tamrel::cli {

// Builds CSV text row by row: a cell that holds a comma, a quote, a line break or blanks at
// either end is quoted (by libcsv), every other cell is written as it is. Rows collect in one
// buffer until it is taken.
class CsvRowWriter {
public:
    void addCell(std::string_view cell);
    // Ends the row with a line feed.
    void endRow();

    const std::string& text() const { return text_; }
    // Empties the buffer and keeps its memory.
    void clear() { text_.clear(); }

private:
    std::string text_;
    bool rowStarted_ = false;
};

}  // namespace tamrel::cli
