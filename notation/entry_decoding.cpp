#include "notation/entry_decoding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "notation/entry_errors.h"
#include "notation/number_scan.h"
#include "text/code_points.h"
#include "text/decimal_number.h"
#include "text/powers_of_ten.h"
#include "text/trimming.h"

namespace orvanto {
namespace {

// The blanks of the fixed rule; readEntry has turned every other blank into a space before.
bool isRuleBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

constexpr const char* kNotANumber = "not a number";

constexpr double kNotPlain = std::numeric_limits<double>::quiet_NaN();

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

bool fitsInt16(double wholeNumber) {
    return wholeNumber >= kInt16Min && wholeNumber <= kInt16Max;  // false for NaN too
}

// Each byte of a word repeated: SWAR constants.
constexpr std::uint64_t everyByte(std::uint8_t byte) {
    return byte * std::uint64_t{0x0101010101010101};
}

// A number text of 4 to 8 bytes, as nearly every entry is, read a word at a time: its digits'
// value, and where its one point is (npos without one). False when a byte is neither a digit nor
// that one point. A loop over the digits takes ten instructions a digit and mispredicts where it
// ends, as entries differ in length from row to row; this takes the same few steps for any text.
// Little-endian only: the text's first byte is the word's lowest.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the two results, in the text's order
bool readShortDigits(std::string_view text, bool pointAllowed, std::uint64_t& digits,
                     std::size_t& point) {
    const std::size_t size = text.size();
    // Two loads that overlap in the middle for a text under 8 bytes; the bytes past it are zero.
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    std::memcpy(&low, text.data(), sizeof low);
    std::memcpy(&high, text.data() + size - sizeof high, sizeof high);
    const std::uint64_t word = low | std::uint64_t{high} << (8 * (size - sizeof high));
    // Bytes '0' to '9' become 0 to 9; a byte is another when its high half is not zero or its low
    // half is above 9, which bit 4 of each byte marks (no sum carries into the next byte).
    const std::uint64_t values = word ^ everyByte('0');
    const std::uint64_t low4 = everyByte(0x0F);
    const std::uint64_t inText =
        size == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1;
    const std::uint64_t others =
        ((((values >> 4) & low4) + low4) | ((values & low4) + everyByte(6))) & everyByte(0x10) &
        inText;
    std::uint64_t packed = values;
    std::size_t count = size;
    point = std::string_view::npos;
    if (others != 0) {
        point = static_cast<std::size_t>(std::countr_zero(others)) / 8;
        if (!pointAllowed || (others & (others - 1)) != 0 || text[point] != '.') {
            return false;
        }
        // The point taken out: the bytes after it move down one.
        const std::uint64_t before = (std::uint64_t{1} << (8 * point)) - 1;
        packed = (values & before) | ((values >> 8) & ~before);
        --count;
    }
    // Zeros in front make eight digits; what lay past the text leaves the word.
    packed <<= 8 * (8 - count);
    // Pairs, then fours, then the eight (the first digit is the lowest byte, the most significant).
    packed = packed * 10 + (packed >> 8);
    packed = ((packed & 0x000000FF000000FF) * (100 + (std::uint64_t{1000000} << 32)) +
              ((packed >> 16) & 0x000000FF000000FF) * (1 + (std::uint64_t{10000} << 32))) >>
             32;
    digits = packed;
    return true;
}

// Reads the magnitude of a number already cut to its shape: digits with at most one point and an
// optional exponent as typed, a marker ("E", "e", "D" or "d"), an optional sign and digits.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the number's two pieces in reading order
double parseMagnitude(std::string_view mantissa, std::string_view exponent) {
    // Up to 15 digits without an exponent, as chart entries are: the digits form an exact integer
    // and the power of ten is exact, so one division rounds exactly as from_chars would.
    const std::size_t point = mantissa.find('.');
    const std::size_t digitCount = mantissa.size() - (point == std::string_view::npos ? 0 : 1);
    if (exponent.empty() && digitCount <= 15) {
        std::int64_t digits = 0;
        for (const char c : mantissa) {
            if (c != '.') {
                digits = digits * 10 + (c - '0');
            }
        }
        const std::size_t decimals =
            point == std::string_view::npos ? 0 : mantissa.size() - point - 1;
        return static_cast<double>(digits) / kDoublePowersOfTen[decimals];
    }
    // Out of range, the reading gives infinity or zero, as the rules for such entries want.
    std::string number{mantissa};
    number += exponent;
    // The shape was cut by scanNumber: digits, a point, an exponent.
    return readDecimalNumber(number).value_or(0);
}

// The "-" that makes an entry negative, when the entry has one.
std::size_t negativeSignPosition(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isRuleBlank(text[i])) {
            return text[i] == '-' ? i : std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

EntryReading decodeMinutes(std::string_view text) {
    const double x = leadingNumber(text);
    const double wholeDegrees = std::floor(x / 100);
    if (!fitsInt16(wholeDegrees)) {
        return entryFailure(EntryFailure::Kind::Overflow, "whole degrees do not fit 16 bits");
    }
    // The degrees are a 16-bit integer, and so is their product with 100: this is what limits
    // minutes-mode degrees to -327..327.
    const auto degrees = static_cast<std::int16_t>(wholeDegrees);
    const int hundreds = degrees * 100;
    if (!fitsInt16(hundreds)) {
        return entryFailure(EntryFailure::Kind::Overflow, "degrees × 100 does not fit 16 bits");
    }
    return (x - hundreds) / 60 + degrees;
}

EntryReading decodeSeconds(std::string_view text) {
    // Where the characters start; in plain ASCII, the usual entry, every byte is one.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::vector<std::size_t> offsets =
        ascii ? std::vector<std::size_t>{} : codePointOffsets(text);
    const std::size_t count = ascii ? text.size() : offsets.size();
    const auto start = [&](std::size_t character) {
        return ascii ? character : offsets[character];
    };
    // Pieces by character position: seconds are the last two characters; minutes the two before
    // them, or the first two of a shorter text. Short texts make the pieces overlap ("123": "12",
    // "23").
    const std::string_view secondsPiece = count < 2 ? text : text.substr(start(count - 2));
    std::string_view minutesPiece = text;
    if (count >= 4) {
        minutesPiece = text.substr(start(count - 4), start(count - 2) - start(count - 4));
    } else if (count >= 2) {
        minutesPiece = text.substr(0, count == 2 ? text.size() : start(2));
    }

    const double x = leadingNumber(text);
    const std::optional<double> minutes = strictNumberIfAny(minutesPiece);
    const std::optional<double> seconds = minutes ? strictNumberIfAny(secondsPiece) : std::nullopt;
    if (!seconds) {
        return entryFailure(EntryFailure::Kind::TypeMismatch, kNotANumber);
    }
    // For a well-formed entry the quotient is whole already; rounding (half to even, the default
    // rounding mode) only matters for texts whose pieces do not line up with the digits.
    const double wholeDegrees = std::nearbyint((x - *minutes * 100 - *seconds) / 10000);
    if (!fitsInt16(wholeDegrees)) {
        return entryFailure(EntryFailure::Kind::Overflow, "whole degrees do not fit 16 bits");
    }
    return (leadingNumber(minutesPiece) / 60 + wholeDegrees) + leadingNumber(secondsPiece) / 3600;
}

EntryReading decodeUnsigned(std::string_view text, EntryMode mode) {
    return mode == EntryMode::Minutes ? decodeMinutes(text) : decodeSeconds(text);
}

}  // namespace

double leadingNumber(std::string_view text) {
    // Digits with at most one point and nothing else, as a result text read back is: the whole
    // text is the mantissa, with no blank, sign or exponent around it, and read in this one pass
    // as parseMagnitude reads it.
    std::uint64_t digits = 0;  // wraps beyond 19 digits, used only up to 15
    std::size_t points = 0;
    std::size_t decimals = 0;
    bool plain = true;
    for (const char c : text) {
        if (const auto digit = static_cast<unsigned char>(c - '0'); digit < 10) {
            digits = digits * 10 + digit;
            decimals += points;
        } else {
            points += c == '.' ? 1 : 0;
            plain = plain && c == '.';
        }
    }
    if (plain && points <= 1 && text.size() > points) {
        if (text.size() - points <= 15) {
            return static_cast<double>(digits) / kDoublePowersOfTen[decimals];
        }
        return parseMagnitude(text, {});
    }
    std::string compact;
    if (std::any_of(text.begin(), text.end(), isRuleBlank)) {
        for (char c : text) {
            if (!isRuleBlank(c)) {
                compact.push_back(c);
            }
        }
        text = compact;
    }
    const NumberShape number = scanNumber(text);
    if (number.mantissa.empty()) {
        return 0.0;
    }
    const double magnitude = parseMagnitude(number.mantissa, number.exponent);
    return text.starts_with('-') ? -magnitude : magnitude;
}

std::optional<double> strictNumberIfAny(std::string_view text) {
    const std::string_view number = trimmed(text, " \t");
    const NumberShape shape = scanNumber(number);
    if (shape.mantissa.empty() || !shape.exponent.empty() || shape.length() != number.size()) {
        return std::nullopt;
    }
    const double magnitude = parseMagnitude(shape.mantissa, {});
    return number.starts_with('-') ? -magnitude : magnitude;
}

double strictNumber(std::string_view text) {
    if (const std::optional<double> number = strictNumberIfAny(text)) {
        return *number;
    }
    throw TypeMismatchError(kNotANumber);
}

EntryReading decodeEntryOrFailure(std::string_view text, EntryMode mode) {
    const std::size_t sign = negativeSignPosition(text);
    if (sign == std::string_view::npos) {
        return decodeUnsigned(text, mode);
    }
    std::string unsignedText{text};
    unsignedText.erase(sign, 1);
    const EntryReading magnitude = decodeUnsigned(unsignedText, mode);
    return magnitude ? EntryReading{-magnitude.value()} : magnitude;
}

double decodeEntry(std::string_view text, EntryMode mode) {
    return valueOrThrow(decodeEntryOrFailure(text, mode));
}

// The same operations, in the same order, as decodeMinutes and decodeSeconds do on such a text,
// so that every bit agrees; the only difference is that the digits are read once.
double plainEntryDegrees(std::string_view text, EntryMode mode) noexcept {
    const bool negative = text.starts_with('-');
    const std::string_view number = text.substr(negative ? 1 : 0);
    std::uint64_t digits = 0;  // wraps beyond 19 digits, used only up to 15
    std::size_t point = std::string_view::npos;
    if (std::endian::native == std::endian::little && number.size() >= 4 && number.size() <= 8) {
        if (!readShortDigits(number, mode == EntryMode::Minutes, digits, point)) {
            return kNotPlain;
        }
    } else {
        const char* at = number.data();
        const char* const end = at + number.size();
        // The digits up to the end or a stop; each byte takes one test on the way.
        const auto readDigits = [&] {
            for (; at < end; ++at) {
                const auto digit = static_cast<unsigned char>(*at - '0');
                if (digit >= 10) {
                    return;
                }
                digits = digits * 10 + digit;
            }
        };
        readDigits();
        if (at < end) {
            if (*at != '.' || mode != EntryMode::Minutes) {
                return kNotPlain;
            }
            point = static_cast<std::size_t>(at - number.data());
            ++at;
            readDigits();
            if (at < end) {
                return kNotPlain;
            }
        }
    }
    const std::size_t digitCount = number.size() - (point == std::string_view::npos ? 0 : 1);
    const std::size_t fewest = mode == EntryMode::Minutes ? 1 : 4;
    if (digitCount < fewest || digitCount > 15) {
        return kNotPlain;
    }
    const std::size_t decimals = point == std::string_view::npos ? 0 : number.size() - point - 1;
    const double x = static_cast<double>(digits) / kDoublePowersOfTen[decimals];
    double degrees = 0;
    if (mode == EntryMode::Minutes) {
        // The whole degrees, the fraction of x / 100 cut off, from the digits in integers: x's
        // rounding moves it by less than a hundredth of its last decimal at 15 digits, so it never
        // crosses a hundred, and nothing waits on two divisions in a row.
        const std::uint64_t wholeNumber = dividedByTenToThe(digits, static_cast<int>(decimals) + 2);
        if (wholeNumber >= 328) {
            return kNotPlain;  // the full route names the overflow
        }
        const auto whole = static_cast<std::int16_t>(wholeNumber);
        const int hundreds = whole * 100;
        degrees = (x - hundreds) / 60 + whole;
    } else {
        const auto minutes = static_cast<double>(digits / 100 % 100);
        const auto seconds = static_cast<double>(digits % 100);
        // x − minutes × 100 − seconds is the whole degrees times 10000, every step exact below
        // 2^53: the quotient is that whole number, which rounding leaves as it is.
        const std::uint64_t wholeNumber = digits / 10000;
        const auto wholeDegrees = static_cast<double>(wholeNumber);
        if (!fitsInt16(wholeDegrees)) {
            return kNotPlain;
        }
        degrees = (minutes / 60 + wholeDegrees) + seconds / 3600;
    }
    return negative ? -degrees : degrees;
}

}  // namespace orvanto
