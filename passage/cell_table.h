// A table's cells kept in one buffer, row after row, and the columns a reader is shown of them.
// A long route has tens of thousands of rows of twenty-odd cells: a string for each cell took
// several times the memory of their text, and allocating and touching it was most of a large
// plan's time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanto::passage {

class CellTable {
  public:
    // Every row stores `stored` cells.
    explicit CellTable(std::size_t stored = 0) : stored_(stored) {}

    // Adds the next cell; a row ends after every `stored` cells. Throws std::length_error past
    // 4 GiB of text.
    void add(std::string_view cell);
    // Adds the cell with every character that would act on a terminal written out (printable()
    // in text/printable.h).
    void addPrintable(std::string_view cell);
    void reserveRows(std::size_t rows) { ends_.reserve(rows * stored_); }

    // Shows the stored cells at these places, in this order (a place may come twice); until
    // then every stored cell is shown.
    void show(std::vector<std::size_t> places) { shown_ = std::move(places); }

    std::size_t rows() const { return stored_ == 0 ? 0 : ends_.size() / stored_; }
    std::size_t columns() const { return shown_.empty() ? stored_ : shown_.size(); }
    bool empty() const { return rows() == 0; }
    // The bytes of every stored cell.
    std::size_t bytes() const { return bytes_.size(); }
    // The stored cell at (row, place), whatever is shown.
    std::string_view stored(std::size_t row, std::size_t place) const;
    // The shown cell at (row, column).
    std::string_view at(std::size_t row, std::size_t column) const {
        return stored(row, shown_.empty() ? column : shown_[column]);
    }
    // The shown cells as strings, for a front end that hands them on.
    std::vector<std::vector<std::string>> nested() const;

  private:
    std::size_t stored_;
    std::string bytes_;
    std::vector<std::uint32_t> ends_;  // where each cell ends in bytes_
    std::vector<std::size_t> shown_;
};

}  // namespace orvanto::passage
