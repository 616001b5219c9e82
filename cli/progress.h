#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace tamrel::cli {

// Rows a batch converts before its progress is shown: a short batch shows none.
inline constexpr std::uint64_t QuietRows = 5000;

// The progress line of a batch after `rows` rows and `bytesRead` of `inputBytes` bytes (0: the
// size is unknown, as for a pipe), to be written over the last one; nothing for a short batch.
// The percentage is left out when the size is unknown or was outgrown (a file still written to).
std::optional<std::string> progressLine(std::uint64_t rows, std::uint64_t bytesRead,
                                        std::uint64_t inputBytes);

// The last line of a batch whose progress was shown.
std::string finishedLine(std::uint64_t rows);

// Shows on a terminal how far a long batch has come: one line rewritten at most ten times a second.
class TerminalProgress {
public:
    TerminalProgress(std::ostream& terminal, std::uint64_t inputBytes)
        : terminal_(terminal), inputBytes_(inputBytes) {}

    void rowsDone(std::uint64_t rows, std::uint64_t bytesRead);
    void finished(std::uint64_t rows);

private:
    std::ostream& terminal_;
    std::uint64_t inputBytes_;
    std::optional<std::chrono::steady_clock::time_point> lastShown_;
};

}  // namespace tamrel::cli
