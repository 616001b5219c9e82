#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tamrel::cli {

using Row = std::vector<std::string>;

// Columns two blanks apart, each as wide as its widest cell (in UTF-8 characters); no blanks at
// the end of a line.
void writeTable(const std::vector<Row>& rows, std::ostream& out);

}  // namespace tamrel::cli
