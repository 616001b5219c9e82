#pragma once

#include "conversion/number_locale.h"

#include <cstdint>
#include <istream>
#include <ostream>

namespace tamrel::cli {

// Told how far a batch has come, after every block of rows and once at the end.
class BatchProgress {
public:
    virtual ~BatchProgress() = default;
    virtual void rowsDone(std::uint64_t rows, std::uint64_t bytesRead) = 0;
    virtual void finished(std::uint64_t rows) = 0;
};

struct BatchSummary {
    std::uint64_t rows = 0;
    // Rows whose run ended with a message in TextError.
    std::uint64_t messages = 0;
    // Rows that could not be read and were not run.
    std::uint64_t unreadable = 0;
};

// Converts one gear per CSV row. The first record is the header (see BatchColumns); every later
// record gives one output row: its line number, the input columns and the text of every result
// field after the run. A row that cannot be read is not run; its TextError cell says why, with
// its line number. Throws HeaderError for a missing or unusable header and std::runtime_error when
// the input cannot be read. Stops early when `out` fails. Warnings of the geometry go to
// `warnings` when given.
BatchSummary runBatch(std::istream& in, std::ostream& out, const NumberLocale& locale,
                      BatchProgress* progress = nullptr, std::ostream* warnings = nullptr);

}  // namespace tamrel::cli
