// The one shape every plain number in an entry is read by: an optional sign, digits with at most
// one decimal point, then optionally an exponent. The lenient reading takes what it finds at the
// start of a text; the strict checks want the whole text to be the shape.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto {

struct NumberShape {
    std::size_t signLength = 0;  // 1 for a leading "+" or "-"
    // Digits with at most one ".", at least one digit; empty when there is no number at all.
    std::string_view mantissa;
    // "E", "e", "D" or "d", an optional sign and at least one digit, as typed; empty when the
    // number has none ("1e" and "1e+" are the number 1 and a stray rest).
    std::string_view exponent;

    // How many characters of the text the number takes (0 when it has no digit).
    std::size_t length() const {
        return mantissa.empty() ? 0 : signLength + mantissa.size() + exponent.size();
    }
};

// The number at the start of `text`; no blank is passed over.
NumberShape scanNumber(std::string_view text);

}  // namespace orvanto
