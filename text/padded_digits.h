// Whole numbers written as printf's "%0Nd" writes them, for the small fixed fields of positions,
// courses, durations and clock times: a route table has several in every row, and parsing a format
// string for each costs more than the arithmetic that found the value.
#pragma once

#include <charconv>
#include <string>

namespace orvanto {

// `value` with at least `width` characters, zeros after a minus sign making up the width.
inline void appendPadded(std::string& out, long long value, int width = 1) {
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const char* first = digits;
    if (*first == '-') {
        out += '-';
        ++first;
        --width;
    }
    for (auto length = static_cast<int>(end - first); length < width; ++length) {
        out += '0';
    }
    out.append(first, static_cast<std::size_t>(end - first));
}

}  // namespace orvanto
