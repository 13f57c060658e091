#include "notation/number_scan.h"

namespace orvanto {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}
bool isExponentMarker(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

}  // namespace

NumberShape scanNumber(std::string_view text) {
    NumberShape shape;
    std::size_t i = 0;
    if (i < text.size() && isSign(text[i])) {
        shape.signLength = 1;
        ++i;
    }
    const std::size_t mantissaStart = i;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            seenDigit = true;
        } else if (text[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return shape;
    }
    shape.mantissa = text.substr(mantissaStart, i - mantissaStart);
    if (i < text.size() && isExponentMarker(text[i])) {
        std::size_t j = i + 1;
        if (j < text.size() && isSign(text[j])) {
            ++j;
        }
        const std::size_t digits = j;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        if (j > digits) {
            shape.exponent = text.substr(i, j - i);
        }
    }
    return shape;
}

}  // namespace orvanto
