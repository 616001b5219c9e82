#include "cli/text_table.h"

#include <algorithm>

namespace tamrel::cli {

namespace {

// The number of characters of a UTF-8 text: continuation bytes 10xxxxxx do not count.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

void writeTable(const std::vector<Row>& rows, std::ostream& out) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += (c > 0 ? "  " : "") + row[c];
            line.append(widths[c] - displayWidth(row[c]), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

}  // namespace tamrel::cli
