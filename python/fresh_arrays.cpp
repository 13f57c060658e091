#include "python/fresh_arrays.h"

#include <cstdint>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvanto::python {
namespace {

using Shape = std::vector<py::ssize_t>;

Shape shapeOf(std::size_t rows) {
    return {static_cast<py::ssize_t>(rows)};
}

Shape shapeOf(std::size_t columns, std::size_t rows) {
    return {static_cast<py::ssize_t>(columns), static_cast<py::ssize_t>(rows)};
}

// The array must not have been written yet.
void preferHugePages([[maybe_unused]] py::array& array) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21U;
    const auto begin = reinterpret_cast<std::uintptr_t>(array.mutable_data());
    const std::uintptr_t end = begin + static_cast<std::uintptr_t>(array.nbytes());
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (first < last) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

template <typename Array>
Array hinted(Array array) {
    preferHugePages(array);
    return array;
}

}  // namespace

py::array_t<double, py::array::c_style> freshValues(std::size_t rows) {
    return hinted(py::array_t<double, py::array::c_style>(shapeOf(rows)));
}

py::array_t<double, py::array::c_style> freshValues(std::size_t columns, std::size_t rows) {
    return hinted(py::array_t<double, py::array::c_style>(shapeOf(columns, rows)));
}

py::array freshObjects(std::size_t rows) {
    return hinted(py::array{py::dtype("O"), shapeOf(rows)});
}

py::array freshObjects(std::size_t columns, std::size_t rows) {
    return hinted(py::array{py::dtype("O"), shapeOf(columns, rows)});
}

}  // namespace orvanto::python
