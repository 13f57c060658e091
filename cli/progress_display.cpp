#include "cli/progress_display.h"

#include <unistd.h>

#include <string>

namespace orvanto::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::string_view kClearLine = "\r\033[K";

void writeToStandardError(std::string_view text) {
    // A lost progress line is no failure worth stopping for.
    [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, text.data(), text.size());
}

}  // namespace

ProgressDisplay::ProgressDisplay(bool enabled, std::uint64_t totalBytes)
    : enabled_(enabled),
      totalBytes_(totalBytes),
      start_(std::chrono::steady_clock::now()),
      lastDrawn_(start_) {}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): passed on from rowDone as they come
void ProgressDisplay::redraw(std::uint64_t rows, std::uint64_t bytesRead) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDrawn_ < kRedrawInterval) {
        return;
    }
    lastDrawn_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const auto rowsPerSecond = static_cast<std::uint64_t>(static_cast<double>(rows) / seconds);
    const std::uint64_t percent = totalBytes_ == 0 ? 100 : bytesRead * 100 / totalBytes_;
    std::string line{kClearLine};
    line += "已处理 " + std::to_string(rows) + " 行，每秒 " + std::to_string(rowsPerSecond) +
            " 行，已读 " + std::to_string(percent) + "%";
    writeToStandardError(line);
    shown_ = true;
}

void ProgressDisplay::clear() {
    if (shown_) {
        writeToStandardError(kClearLine);
        shown_ = false;
    }
}

}  // namespace orvanto::cli
