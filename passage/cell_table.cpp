#include "passage/cell_table.h"

#include <limits>
#include <stdexcept>

#include "text/printable.h"

namespace orvanto::passage {

void CellTable::add(std::string_view cell) {
    if (cell.size() > std::numeric_limits<std::uint32_t>::max() - bytes_.size()) {
        throw std::length_error("table over 4 GiB");
    }
    bytes_ += cell;
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

void CellTable::addPrintable(std::string_view cell) {
    const std::size_t before = bytes_.size();
    appendPrintable(bytes_, cell);
    if (bytes_.size() > std::numeric_limits<std::uint32_t>::max()) {
        bytes_.resize(before);
        throw std::length_error("table over 4 GiB");
    }
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

std::string_view CellTable::stored(std::size_t row, std::size_t place) const {
    const std::size_t index = row * stored_ + place;
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view{bytes_}.substr(begin, ends_[index] - begin);
}

std::vector<std::vector<std::string>> CellTable::nested() const {
    std::vector<std::vector<std::string>> rows(this->rows());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row].reserve(columns());
        for (std::size_t column = 0; column < columns(); ++column) {
            rows[row].emplace_back(at(row, column));
        }
    }
    return rows;
}

}  // namespace orvanto::passage
