#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>

namespace tamrel::cli {

// Shows on a terminal how far a long batch has come: one line, rewritten at most ten times a
// second, with the part of the input read when its size `inputBytes` is known (0: a pipe) and
// not outgrown (a file still written to). A short batch shows nothing.
class TerminalProgress {
public:
    TerminalProgress(std::ostream& terminal, std::uint64_t inputBytes)
        : terminal_(terminal), inputBytes_(inputBytes) {}

    // Told the rows converted and the bytes read so far.
    void operator()(std::uint64_t rows, std::uint64_t bytesRead);
    // The last line, when progress was shown.
    void finished(std::uint64_t rows);

private:
    std::ostream& terminal_;
    std::uint64_t inputBytes_;
    std::optional<std::chrono::steady_clock::time_point> lastShown_;
};

}  // namespace tamrel::cli
