// A one-line progress display on standard error while a batch run works through a file: rows done,
// rows a second and the share of the file read. Redrawn at most ten times a second and cleared at
// the end, so that it never mixes with messages or output.
#pragma once

#include <chrono>
#include <cstdint>

namespace orvanto::cli {

class ProgressDisplay {
  public:
    // Shows something only when `enabled` (standard error is a terminal and the input is a file of
    // `totalBytes`).
    ProgressDisplay(bool enabled, std::uint64_t totalBytes);
    ~ProgressDisplay() { clear(); }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    // Called for every row, or for every block of rows; reads the clock only every 1024 rows, so it
    // costs nothing per row.
    void rowDone(std::uint64_t rows, std::uint64_t bytesRead) {
        if (enabled_ && rows >= nextLook_) {
            nextLook_ = rows + kRowsBetweenLooks;
            redraw(rows, bytesRead);
        }
    }
    void clear();

  private:
    static constexpr std::uint64_t kRowsBetweenLooks = 1024;
    void redraw(std::uint64_t rows, std::uint64_t bytesRead);

    bool enabled_;
    std::uint64_t totalBytes_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
    std::uint64_t nextLook_ = kRowsBetweenLooks;
    bool shown_ = false;
};

}  // namespace orvanto::cli
