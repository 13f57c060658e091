#include "text/decimal_number.h"

#include <fast_float/fast_float.h>

#include <string>

namespace orvanto {

std::optional<double> readDecimalNumber(std::string_view text) {
    // fast_float takes neither a leading "+" nor the "D" exponent marker of Fortran-style numbers;
    // both are mapped to what it takes. Its other edges match from_chars, except that it reports
    // no error out of range: it gives infinity or zero there, exactly what is wanted.
    std::string number;
    number.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && i == 0) {
            continue;
        }
        number += c == 'd' || c == 'D' ? 'e' : c;
    }
    // fast_float also reads "inf" and "nan", which are no decimal numbers here.
    const std::size_t first = number.starts_with('-') ? 1 : 0;
    if (first == number.size() ||
        (number[first] != '.' && (number[first] < '0' || number[first] > '9'))) {
        return std::nullopt;
    }
    double value = 0;
    const char* const end = number.data() + number.size();
    const auto result = fast_float::from_chars(number.data(), end, value);
    if (result.ec != std::errc{} || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace orvanto
