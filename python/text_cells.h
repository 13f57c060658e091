// The cells of a Python column as the calculator reads them: a str is its UTF-8 text, None, NaN and
// pd.NA are empty text, and anything else is refused, naming the argument and the cell.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::python {

namespace py = pybind11;

// Rows a piece: the views and texts of a piece stay in the cache, and the GIL is taken back
// between pieces only to read the next cells and make the texts objects.
inline constexpr std::size_t kPieceRows = 1024;

// Rows [first, first + count) of a column.
struct RowSpan {
    std::size_t first;
    std::size_t count;
};

// A column read a range of rows at a time, with the GIL held. The views stay valid while it is
// released, since each str read is referenced until the next read (Python keeps a str's UTF-8
// form beside it), though another thread may replace the column's cells meanwhile: either by the
// caller's array the cells are copied into, or by the reader itself.
class Utf8Cells {
  public:
    // `cells` is a one-dimensional contiguous array of objects; `missing` is pandas' NA.
    // `argument` begins the messages: "frame 的 “lat1” 列", "texts 的". A column the calculator
    // does not read is `passedThrough`: a cell of any other type reads as a text that is not
    // blank, since all that counts there is whether the row is blank.
    Utf8Cells(py::array cells, std::string argument, py::handle missing,
              bool passedThrough = false);
    ~Utf8Cells();
    Utf8Cells(const Utf8Cells&) = delete;
    Utf8Cells& operator=(const Utf8Cells&) = delete;
    Utf8Cells(Utf8Cells&& other) noexcept;
    Utf8Cells& operator=(Utf8Cells&&) = delete;

    std::size_t size() const { return static_cast<std::size_t>(cells_.size()); }

    // The texts of the rows, each cell also put into `copies` (a slot a row, of an array of
    // objects) when given. Throws TypeError for a cell that is neither text nor
    // empty and ValueError for a str with no UTF-8 form (a lone surrogate), naming the argument
    // and the row.
    std::span<const std::string_view> read(RowSpan rows, PyObject** copies = nullptr);

  private:
    void release() noexcept;

    py::array cells_;
    std::string argument_;
    py::handle missing_;
    bool passedThrough_ = false;
    std::vector<std::string_view> texts_;
    std::vector<PyObject*> held_;
};

}  // namespace orvanto::python
