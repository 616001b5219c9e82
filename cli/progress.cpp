#include "cli/progress.h"

namespace tamrel::cli {

namespace {

constexpr std::chrono::milliseconds RefreshInterval{100};
// Back to the start of the line, and after the text erase what a longer earlier line left.
constexpr const char* LineStart = "\rtamrel-cli: ";
constexpr const char* LineEnd = "\x1b[K";

}  // namespace

std::optional<std::string> progressLine(std::uint64_t rows, std::uint64_t bytesRead,
                                        std::uint64_t inputBytes) {
    if (rows <= QuietRows) {
        return std::nullopt;
    }
    std::string line = LineStart + std::to_string(rows) + " rows";
    if (inputBytes > 0 && bytesRead <= inputBytes) {
        line += " (" + std::to_string(bytesRead * 100 / inputBytes) + "%)";
    }
    return line + LineEnd;
}

std::string finishedLine(std::uint64_t rows) {
    return LineStart + std::to_string(rows) + " rows converted" + LineEnd + "\n";
}

void TerminalProgress::rowsDone(std::uint64_t rows, std::uint64_t bytesRead) {
    const auto now = std::chrono::steady_clock::now();
    if (lastShown_ && now - *lastShown_ < RefreshInterval) {
        return;
    }
    if (const auto line = progressLine(rows, bytesRead, inputBytes_)) {
        lastShown_ = now;
        terminal_ << *line << std::flush;
    }
}

void TerminalProgress::finished(std::uint64_t rows) {
    if (lastShown_) {
        terminal_ << finishedLine(rows) << std::flush;
    }
}

}  // namespace tamrel::cli
