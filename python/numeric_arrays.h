// The calculator's numbers over NumPy arrays: entries read to degrees, and the distance and the
// angle from degrees. The Python side broadcasts the arguments and hands over
// one-dimensional contiguous float64 arrays of one length; each function is one C++ loop with the
// GIL released.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

namespace orvanto::python {

namespace py = pybind11;

using Degrees = py::array_t<double, py::array::c_style>;

// Each text read as the point 1 box of its axis reads it: (degrees, NaN where it does not read;
// the message, empty where it does).
py::tuple readEntries(const py::array& texts, const py::handle& missing, bool seconds,
                      bool latitude);

// The calculator's distance in km, unrounded; NaN where it gives none (no match, a point off the
// chart, an arithmetic fault).
Degrees distanceKm(const Degrees& lat1, const Degrees& lon1, const Degrees& lat2,
                   const Degrees& lon2);

// The angle at the reference point in degrees, unrounded; NaN where the calculator gives none.
Degrees angleDeg(const Degrees& lat1, const Degrees& lon1, const Degrees& lat2, const Degrees& lon2,
                 const Degrees& latr, const Degrees& lonr);

}  // namespace orvanto::python
