// The arrays the compiled functions take: one-dimensional, contiguous float64, all of one length,
// as the Python side hands them over once it has broadcast the arguments.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>

namespace orvanto::python {

namespace py = pybind11;

using Values = py::array_t<double, py::array::c_style>;

// The arrays' common length; a difference is a caller's mistake, the Python side having broadcast
// them already.
template <std::size_t N>
std::size_t commonLength(const std::array<const Values*, N>& arrays) {
    const auto length = static_cast<std::size_t>(arrays.front()->size());
    for (const Values* array : arrays) {
        if (array->ndim() != 1 || static_cast<std::size_t>(array->size()) != length) {
            throw py::value_error("数组须是一维的，且长度相同");
        }
    }
    return length;
}

}  // namespace orvanto::python
