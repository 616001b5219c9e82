#include "cli/progress.h"

#include <string>

namespace tamrel::cli {

namespace {

// Rows a batch converts before its progress is shown.
constexpr std::uint64_t QuietRows = 5000;
constexpr std::chrono::milliseconds RefreshInterval{100};
// Back to the start of the line, and after the text erase what a longer earlier line left.
constexpr const char* LineStart = "\rtamrel-cli: ";
constexpr const char* LineEnd = "\x1b[K";

}  // namespace

void TerminalProgress::operator()(std::uint64_t rows, std::uint64_t bytesRead) {
    const auto now = std::chrono::steady_clock::now();
    if (rows <= QuietRows || (lastShown_ && now - *lastShown_ < RefreshInterval)) {
        return;
    }
    lastShown_ = now;
    terminal_ << LineStart << rows << " rows";
    if (inputBytes_ > 0 && bytesRead <= inputBytes_) {
        terminal_ << " (" << bytesRead * 100 / inputBytes_ << "%)";
    }
    terminal_ << LineEnd << std::flush;
}

void TerminalProgress::finished(std::uint64_t rows) {
    if (lastShown_) {
        terminal_ << LineStart << rows << " rows converted" << LineEnd << '\n' << std::flush;
    }
}

}  // namespace tamrel::cli
