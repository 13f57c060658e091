#include "python/text_cells.h"

#include <cmath>
#include <utility>

namespace orvanto::python {
namespace {

constexpr std::size_t kShownCharacters = 40;

// What a number, a date or any other object stands for in a column passed through: not blank.
constexpr std::string_view kSomething = "·";

bool isMissing(PyObject* cell, PyObject* missing) {
    return cell == Py_None || cell == missing ||
           (PyFloat_Check(cell) != 0 && std::isnan(PyFloat_AS_DOUBLE(cell)));
}

// The cell as Python shows it, cut short: a whole pasted document would bury the message.
std::string shown(PyObject* cell) {
    std::string text = py::repr(cell);
    if (text.size() > kShownCharacters) {
        text.resize(kShownCharacters);
        // Not in the middle of a UTF-8 sequence.
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0U) == 0x80U) {
            text.pop_back();
        }
        if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0U) {
            text.pop_back();
        }
        text += "…";
    }
    return text;
}

}  // namespace

Utf8Cells::Utf8Cells(py::array cells, std::string argument, py::handle missing, bool passedThrough)
    : cells_(std::move(cells)),
      argument_(std::move(argument)),
      missing_(missing),
      passedThrough_(passedThrough) {
    if (cells_.ndim() != 1 || cells_.dtype().kind() != 'O' ||
        (cells_.flags() & py::array::c_style) == 0) {
        throw py::type_error("须是一维的对象数组（" + argument_ + "）");
    }
}

Utf8Cells::~Utf8Cells() {
    release();
}

Utf8Cells::Utf8Cells(Utf8Cells&& other) noexcept
    : cells_(std::move(other.cells_)),
      argument_(std::move(other.argument_)),
      missing_(other.missing_),
      passedThrough_(other.passedThrough_),
      texts_(std::move(other.texts_)),
      held_(std::move(other.held_)) {
    other.held_.clear();
}

void Utf8Cells::release() noexcept {
    for (PyObject* cell : held_) {
        Py_DECREF(cell);
    }
    held_.clear();
}

std::span<const std::string_view> Utf8Cells::read(RowSpan rows, PyObject** copies) {
    release();
    texts_.assign(rows.count, {});
    auto* const* objects = static_cast<PyObject* const*>(cells_.data()) + rows.first;
    for (std::size_t i = 0; i < rows.count; ++i) {
        PyObject* cell = objects[i];
        if (PyUnicode_Check(cell) != 0 && PyUnicode_IS_COMPACT_ASCII(cell) != 0) {
            // The bytes of an ASCII str are its UTF-8 already: most cells, read without a call.
            texts_[i] = {static_cast<const char*>(PyUnicode_DATA(cell)),
                         static_cast<std::size_t>(PyUnicode_GET_LENGTH(cell))};
        } else if (PyUnicode_Check(cell) != 0) {
            Py_ssize_t size = 0;
            const char* utf8 = PyUnicode_AsUTF8AndSize(cell, &size);
            if (utf8 == nullptr) {
                PyErr_Clear();
                throw py::value_error(argument_ + "第 " + std::to_string(rows.first + i) +
                                      " 格（从 0 数起）" + shown(cell) +
                                      " 含有无法编码为 UTF-8 的字符（单独的代理项）");
            }
            texts_[i] = {utf8, static_cast<std::size_t>(size)};
        } else if (passedThrough_ && !isMissing(cell, missing_.ptr())) {
            texts_[i] = kSomething;
        } else if (!isMissing(cell, missing_.ptr())) {
            throw py::type_error(argument_ + "第 " + std::to_string(rows.first + i) +
                                 " 格（从 0 数起）是 " + std::string{Py_TYPE(cell)->tp_name} + " " +
                                 shown(cell) +
                                 "：格中须是文字（str），或留空（None、NaN、pd.NA）；"
                                 "读取 CSV 时请用 dtype=str, keep_default_na=False");
        }
        // Referenced while it is at hand: a second pass would wait for memory again.
        Py_INCREF(cell);
        if (copies != nullptr) {
            PyObject* old = copies[i];
            copies[i] = cell;
            Py_XDECREF(old);
        } else {
            held_.push_back(cell);
        }
    }
    return texts_;
}

}  // namespace orvanto::python
