#include "python/text_column.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvanto::python {
namespace {

// A str of ASCII text, copied straight into a new object: digits are what most cells hold, and
// this skips the UTF-8 decoder.
PyObject* asciiString(std::string_view text) {
    PyObject* string = PyUnicode_New(static_cast<Py_ssize_t>(text.size()), 127);
    if (string != nullptr && !text.empty()) {
        std::copy(text.begin(), text.end(), static_cast<char*>(PyUnicode_DATA(string)));
    }
    return string;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80U; });
}

// Only a hint: where the kernel declines, the pages fault in as before.
py::array withHugePages(py::array array) {
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
    return array;
}

}  // namespace

py::array objectArray(std::size_t rows) {
    return withHugePages(
        py::array{py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(rows)}});
}

py::array objectArray(std::size_t columns, std::size_t rows) {
    return withHugePages(
        py::array{py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(columns),
                                                           static_cast<py::ssize_t>(rows)}});
}

template <typename SlotOf>
void TextColumn::putEach(PyObject** slots, SlotOf slotOf) const {
    std::string_view previous;
    PyObject* previousObject = nullptr;
    std::size_t start = 0;
    for (std::size_t row = 0; row < ends_.size(); ++row) {
        const std::string_view text{bytes_.data() + start, ends_[row] - start};
        start = ends_[row];
        PyObject* object = nullptr;
        if (previousObject != nullptr && text == previous) {
            Py_INCREF(previousObject);
            object = previousObject;
        } else {
            // The calculator writes valid UTF-8; "replace" keeps any surprise from raising here.
            object = isAscii(text)
                         ? asciiString(text)
                         : PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()),
                                                "replace");
            if (object == nullptr) {
                throw py::error_already_set();
            }
        }
        PyObject*& slot = slots[slotOf(row)];
        PyObject* old = slot;
        slot = object;
        Py_XDECREF(old);
        previous = text;
        previousObject = object;
    }
}

void TextColumn::putObjects(PyObject** slots) const {
    putEach(slots, [](std::size_t row) { return row; });
}

void TextColumn::putObjectsAt(PyObject** slots, std::span<const std::size_t> rows) const {
    putEach(slots, [rows](std::size_t row) { return rows[row]; });
}

}  // namespace orvanto::python
