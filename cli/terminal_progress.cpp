#include "cli/terminal_progress.h"

#include <string>

namespace tamrel::cli {

namespace {

constexpr std::chrono::milliseconds RefreshInterval{100};

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& terminal, std::uint64_t inputBytes)
    : terminal_(terminal), inputBytes_(inputBytes) {}

void TerminalProgress::rowsDone(std::uint64_t rows, std::uint64_t bytesRead) {
    if (rows <= QuietRows) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - lastShown_ < RefreshInterval) {
        return;
    }
    lastShown_ = now;
    show(rows, bytesRead);
}

void TerminalProgress::finished(std::uint64_t rows) {
    if (!shown_) {
        return;
    }
    terminal_ << "\rtamrel-cli: " << rows << " rows converted\x1b[K\n" << std::flush;
}

void TerminalProgress::show(std::uint64_t rows, std::uint64_t bytesRead) {
    shown_ = true;
    terminal_ << "\rtamrel-cli: " << rows << " rows";
    if (inputBytes_ > 0 && bytesRead <= inputBytes_) {
        terminal_ << " (" << bytesRead * 100 / inputBytes_ << "%)";
    }
    // Erase what a longer earlier line left behind.
    terminal_ << "\x1b[K" << std::flush;
}

}  // namespace tamrel::cli
