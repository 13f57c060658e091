#include "geometry/entry_decoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "geometry/calculation_errors.h"
#include "geometry/code_points.h"

namespace orvanto {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}
bool isExponentMarker(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

bool fitsInt16(double wholeNumber) {
    return wholeNumber >= kInt16Min && wholeNumber <= kInt16Max;  // false for NaN too
}

// Power of ten of the leading nonzero digit of mantissa × 10^exponent. Only used to tell an
// overflow from an underflow, so saturating the exponent is harmless.
long long decimalMagnitude(std::string_view mantissa, std::string_view exponent) {
    long long exponentValue = 0;
    bool exponentNegative = false;
    for (char c : exponent) {
        if (c == '-') {
            exponentNegative = true;
        } else if (isDigit(c) && exponentValue < 1'000'000'000) {
            exponentValue = exponentValue * 10 + (c - '0');
        }
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstNonZero = mantissa.find_first_of("123456789");
    const long long position = firstNonZero < point
                                   ? static_cast<long long>(point - firstNonZero) - 1
                                   : -static_cast<long long>(firstNonZero - point);
    return position + (exponentNegative ? -exponentValue : exponentValue);
}

// Reads the magnitude of a number already cut to its shape: digits with at most one point and an
// optional exponent "e[sign]digits".
double parseMagnitude(std::string_view mantissa, std::string_view exponent) {
    std::string number{mantissa};
    number += exponent;
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return decimalMagnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity()
                                                        : 0.0;
    }
    return value;
}

// The "-" that makes an entry negative, when the entry has one.
std::size_t negativeSignPosition(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isBlank(text[i])) {
            return text[i] == '-' ? i : std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

double decodeMinutes(std::string_view text) {
    const double x = leadingNumber(text);
    const double wholeDegrees = std::floor(x / 100);
    if (!fitsInt16(wholeDegrees)) {
        throw OverflowError("whole degrees do not fit 16 bits");
    }
    // The degrees are a 16-bit integer, and so is their product with 100: this is what limits
    // minutes-mode degrees to -327..327.
    const auto degrees = static_cast<std::int16_t>(wholeDegrees);
    const int hundreds = degrees * 100;
    if (!fitsInt16(hundreds)) {
        throw OverflowError("degrees × 100 does not fit 16 bits");
    }
    return (x - hundreds) / 60 + degrees;
}

double decodeSeconds(std::string_view text) {
    const std::vector<std::size_t> starts = codePointOffsets(text);
    const std::size_t count = starts.size();
    // Pieces by character position: seconds are the last two characters; minutes the two before
    // them, or the first two of a shorter text. Short texts make the pieces overlap ("123": "12",
    // "23").
    const std::string_view secondsPiece = count < 2 ? text : text.substr(starts[count - 2]);
    std::string_view minutesPiece = text;
    if (count >= 4) {
        minutesPiece = text.substr(starts[count - 4], starts[count - 2] - starts[count - 4]);
    } else if (count >= 2) {
        minutesPiece = text.substr(0, count == 2 ? text.size() : starts[2]);
    }

    const double x = leadingNumber(text);
    const double minutes = strictNumber(minutesPiece);
    const double seconds = strictNumber(secondsPiece);
    // For a well-formed entry the quotient is whole already; rounding (half to even, the default
    // rounding mode) only matters for texts whose pieces do not line up with the digits.
    const double wholeDegrees = std::nearbyint((x - minutes * 100 - seconds) / 10000);
    if (!fitsInt16(wholeDegrees)) {
        throw OverflowError("whole degrees do not fit 16 bits");
    }
    return (leadingNumber(minutesPiece) / 60 + wholeDegrees) + leadingNumber(secondsPiece) / 3600;
}

double decodeUnsigned(std::string_view text, EntryMode mode) {
    return mode == EntryMode::Minutes ? decodeMinutes(text) : decodeSeconds(text);
}

}  // namespace

double leadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c)) {
            compact.push_back(c);
        }
    }
    const std::string_view s = compact;
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && isSign(s[i])) {
        ++i;
    }
    const std::size_t mantissaStart = i;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            seenDigit = true;
        } else if (s[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }
    const std::string_view mantissa = s.substr(mantissaStart, i - mantissaStart);

    // An exponent counts only when it has digits: "1e" and "1e+" read as 1.
    std::string exponent;
    if (i < s.size() && isExponentMarker(s[i])) {
        std::size_t j = i + 1;
        std::string sign;
        if (j < s.size() && isSign(s[j])) {
            sign = s[j++];
        }
        if (j < s.size() && isDigit(s[j])) {
            exponent = "e" + sign;
            for (; j < s.size() && isDigit(s[j]); ++j) {
                exponent.push_back(s[j]);
            }
        }
    }
    const double magnitude = parseMagnitude(mantissa, exponent);
    return negative ? -magnitude : magnitude;
}

double strictNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        throw TypeMismatchError("not a number");
    }
    const std::string_view trimmed = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    std::size_t i = 0;
    if (isSign(trimmed[i])) {
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < trimmed.size(); ++i) {
        if (isDigit(trimmed[i])) {
            seenDigit = true;
        } else if (trimmed[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            throw TypeMismatchError("not a number");
        }
    }
    if (!seenDigit) {
        throw TypeMismatchError("not a number");
    }
    return leadingNumber(trimmed);
}

double decodeEntry(std::string_view text, EntryMode mode) {
    const std::size_t sign = negativeSignPosition(text);
    if (sign == std::string_view::npos) {
        return decodeUnsigned(text, mode);
    }
    std::string unsignedText{text};
    unsignedText.erase(sign, 1);
    return -decodeUnsigned(unsignedText, mode);
}

}  // namespace orvanto
