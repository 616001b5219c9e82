#pragma once

#include "cli/batch_run.h"

#include <chrono>
#include <cstdint>
#include <ostream>

namespace tamrel::cli {

// Shows on a terminal how far a long batch has come: nothing for the first few thousand rows,
// then one line rewritten at most ten times a second, with a percentage when the size of the
// input is known (0 when it is not).
class TerminalProgress : public BatchProgress {
public:
    TerminalProgress(std::ostream& terminal, std::uint64_t inputBytes);

    void rowsDone(std::uint64_t rows, std::uint64_t bytesRead) override;
    void finished(std::uint64_t rows) override;

    static constexpr std::uint64_t QuietRows = 5000;

private:
    void show(std::uint64_t rows, std::uint64_t bytesRead);

    std::ostream& terminal_;
    std::uint64_t inputBytes_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_;
};

}  // namespace tamrel::cli
