// The arrays the compiled functions return, made to be written once from start to end.
#pragma once

#include <pybind11/numpy.h>

#include <cstddef>

namespace orvanto::python {

namespace py = pybind11;

// A new array of float64 or of objects (None), of `rows`, or of `columns` rows of `rows` each,
// with huge pages asked of the kernel under its data. A large array is mapped fresh and each
// 4 KiB page faults in on its first write: a million rows of results are thousands of faults, on
// a virtual machine each dearer than the rows it holds. NumPy asks so for some of its own arrays,
// not for those made through its C API with a dtype of objects. Only a hint: where the kernel
// declines, the pages fault in as before.
py::array_t<double, py::array::c_style> freshValues(std::size_t rows);
py::array_t<double, py::array::c_style> freshValues(std::size_t columns, std::size_t rows);
py::array freshObjects(std::size_t rows);
py::array freshObjects(std::size_t columns, std::size_t rows);

}  // namespace orvanto::python
