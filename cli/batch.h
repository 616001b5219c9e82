#pragma once

#include "conversion/number_locale.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <stdexcept>

namespace tamrel::cli {

// Told the rows converted and the bytes read so far, after every block of rows.
using BatchProgress = std::function<void(std::uint64_t rows, std::uint64_t bytesRead)>;

// Converts one gear per CSV row. The first record is the header: column names like the options
// (mn, pn, zg, bog, ref and value required; zmg, dpg, upper, lower, dkg, drg, rackDedendum and
// rackTipRadius optional), in any order and letter case, each once. Every later record gives one
// output row: its line number, the input columns, every result text of the run and, with
// `inspect`, the inspection values. A row that cannot be read is not run; its message cell says
// why, with its line number.
// Throws std::runtime_error for a missing or unusable header and when the input cannot be read.
// Stops early when `out` fails. Gives the number of rows converted.
std::uint64_t runBatch(std::istream& in, std::ostream& out, const NumberLocale& locale,
                       bool inspect = false, const BatchProgress& progress = {});

}  // namespace tamrel::cli
