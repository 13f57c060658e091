// orvanto.batch over the columns of a DataFrame: the header checked as a batch file's header is,
// every row through the batch library's row calculator with the GIL released, and the result
// columns back as str objects, the texts orvanto-cli batch writes for the same rows.
#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calculation.h"
#include "calculator/decimal_text.h"

namespace orvanto::python {

namespace py = pybind11;

struct BatchChoices {
    CalculatorInput modes;  // each point's mode where a row leaves its mode field empty
    NumberStyle style = NumberStyle::Plain;
    bool geodesic = false;
    bool navigation = false;
    std::optional<double> variation;  // degrees east: the magnetic course columns
    std::optional<double> deviation;  // degrees east, with a variation: the compass course columns
    bool numbers = false;  // the numeric result columns as float64, unrounded, not as texts
};

struct FrameResults {
    std::size_t width = 0;           // the input columns kept: all but result columns at the end
    std::vector<std::string> names;  // the result columns, in order
    // Objects, a row for each column: the kept input columns' cells, then the result texts (with
    // numbers asked for, the error column's alone).
    py::array values;
    // With numbers asked for: float64, a row for each numeric result column, in their order.
    py::object numbers = py::none();
};

// The positions of the columns the calculator reads in a frame with this header and these
// choices; ValueError with the batch library's message for a header it refuses.
std::vector<std::size_t> columnsRead(const std::vector<std::string>& header,
                                     const BatchChoices& choices);

// `header` names the frame's columns and `columns` holds their cells (one-dimensional arrays of
// objects, all of one length; `missing` is pandas' NA). Throws ValueError with the batch library's
// message for a header it refuses, and Utf8Cells' errors for the cells of the columns it reads.
// The rows go a piece at a time: the cells read and the results handed over with the GIL held,
// the rows computed with it released; another Python thread slows the run by a switch a piece.
FrameResults runFrameBatch(const std::vector<std::string>& header,
                           const std::vector<py::array>& columns, const py::handle& missing,
                           const BatchChoices& choices);

}  // namespace orvanto::python
