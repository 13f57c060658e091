// Result texts gathered row by row while the GIL is released, then made Python str objects in one
// pass once it is held again: no Python call per row while the rows are computed.
#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::python {

namespace py = pybind11;

// A new array of dtype object (None) for `rows` objects, or `columns` rows of `rows` each, to be
// filled by TextColumn. NumPy zeroes it with calloc, which maps fresh pages for a large one and,
// unlike for its other arrays, does not ask the kernel for huge pages: each 4 KiB page then faults
// in on its first write, and on a virtual machine a fault costs more than the rows it holds (a
// million rows' results, some 20,000 faults). These ask for huge pages before the first write.
py::array objectArray(std::size_t rows);
py::array objectArray(std::size_t columns, std::size_t rows);

class TextColumn {
  public:
    void clear() {
        bytes_.clear();
        ends_.clear();
    }
    void append(std::string_view text) {
        bytes_ += text;
        ends_.push_back(bytes_.size());
    }

    // Puts a str for each text into `slots` (of an objectArray, in order), with the GIL held.
    // Equal neighbours share one str, as a column of repeated messages does.
    void putObjects(PyObject** slots) const;
    // The same into slots[rows[0]], slots[rows[1]], …: a column that is mostly empty keeps only
    // the rows that have a text.
    void putObjectsAt(PyObject** slots, std::span<const std::size_t> rows) const;

  private:
    template <typename SlotOf>
    void putEach(PyObject** slots, SlotOf slotOf) const;

    std::string bytes_;              // every text, one after the other
    std::vector<std::size_t> ends_;  // where each ends in `bytes_`
};

}  // namespace orvanto::python
