#include "calculator/decimal_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "geometry/arithmetic_fault.h"
#include "notation/entry_decoding.h"
#include "text/powers_of_ten.h"

namespace orvanto {
namespace {

constexpr int kSignificantDigits = 15;
// Room for the digits of every value a result box shows (and far more), and a carry digit.
constexpr std::size_t kShortNumber = 64;

using Digits = std::array<char, kSignificantDigits>;

constexpr std::uint64_t kTenToThe15 = 1'000'000'000'000'000;

std::uint64_t tenToThe(int power) {
    return kPowersOfTen[static_cast<std::size_t>(power)];
}

// |value| = digits × 10^(exponent − 14) at 15 significant digits, as printf's "%.14e" gives them.
struct Scientific {
    std::uint64_t digits;
    int exponent;
};

#ifdef __SIZEOF_INT128__
__extension__ using Wide = unsigned __int128;

// printf's digits computed exactly by integers: a double is mantissa / 2^shift, so mantissa ×
// 10^k / 2^shift is the value scaled to 15 whole digits, its remainder decides the rounding (to
// nearest, a tie to the even digit, as printf rounds), and no step is inexact. From 10^-4 the
// scale is at most 10^19, which fits 64 bits, and the product 117; below 10^15 the shift is
// positive. Nothing outside that range, where printf does it.
std::optional<Scientific> scientificByIntegers(double magnitude) {
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) {
        return std::nullopt;
    }
    // A normal double: the stored exponent e and 52 fraction bits give
    // (2^52 + fraction) / 2^(1075 − e), and the magnitude lies in [2^(b−1), 2^b) for b = e − 1022.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);  // no std::bit_cast in emscripten's library
    const auto storedExponent = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int shift = 1075 - storedExponent;
    // floor((b − 1) · log10 2) with 78913 / 2^18 just below log10 2: the decimal exponent is this
    // estimate or one more.
    int exponent = ((storedExponent - 1023) * 78913) >> 18;
    Wide scaled = Wide{mantissa} * tenToThe(kSignificantDigits - 1 - exponent);
    if ((scaled >> shift) >= kTenToThe15) {
        ++exponent;
        scaled = Wide{mantissa} * tenToThe(kSignificantDigits - 1 - exponent);
    }
    auto digits = static_cast<std::uint64_t>(scaled >> shift);
    const Wide remainder = scaled & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder > half || (remainder == half && digits % 2 == 1)) {
        ++digits;
    }
    if (digits == kTenToThe15) {  // 9.99…95 rounded up to the next power of ten
        digits /= 10;
        ++exponent;
    }
    return Scientific{digits, exponent};
}
#else
std::optional<Scientific> scientificByIntegers(double) {
    return std::nullopt;
}
#endif

// Where the integer route does not apply. Units are a plain integer rather than an optional one:
// GCC returns an optional integer from a call through memory, its flag written as a byte and read
// back in a word, which stalls every result box.
constexpr std::uint64_t kNoUnits = std::numeric_limits<std::uint64_t>::max();

// The value in units of 10^-decimals, its 15 digits cut after the decimals and rounded half up
// (away from zero, as the sign is not in it): the same as the digit arrays below give, in integers.
// kNoUnits when the units would not fit 64 bits; they stay below 10^19, under kNoUnits.
std::uint64_t unitsByIntegers(const Scientific& scientific, std::size_t decimals) {
    const int scale = scientific.exponent - (kSignificantDigits - 1) + static_cast<int>(decimals);
    if (decimals > 7 || scale > 4 || scale < -18) {
        return kNoUnits;
    }
    if (scale >= 0) {
        return scientific.digits * tenToThe(scale);
    }
    return dividedByTenToThe(scientific.digits + tenToThe(-scale) / 2, -scale);
}

// "00" to "99": a number's digits are written two for each division.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the two digits of `pair` (below 100) just before `at`; returns where they start.
char* putDigitPair(char* at, std::uint64_t pair) {
    at -= 2;
    std::memcpy(at, &kDigitPairs[2 * static_cast<std::size_t>(pair)], 2);
    return at;
}

// Room for the text of any units unitsInto writes: 20 digits, a point and a sign.
constexpr std::size_t kUnitsRoom = 24;

// The text of `units` thousandths (or other decimals) in the style, as formatDecimals writes it,
// put just before `end`; returns where it starts. Written from its last digit back, each digit of
// the units once, since every result box of a batch run comes through here.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a count and its unit, as formatDecimals
char* unitsInto(char* const end, std::uint64_t units, std::size_t decimals, bool negative,
                NumberStyle style) {
    char* at = end;
    if (style == NumberStyle::Plain && units == 0) {
        *--at = '0';
        return at;
    }
    std::uint64_t rest = units;
    std::size_t fractionDigits = decimals;
    for (; style != NumberStyle::Fixed && fractionDigits > 0 && rest % 10 == 0; --fractionDigits) {
        rest /= 10;
    }
    std::size_t left = fractionDigits;
    for (; left >= 2; left -= 2, rest /= 100) {
        at = putDigitPair(at, rest % 100);
    }
    if (left == 1) {
        *--at = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (fractionDigits > 0 || style == NumberStyle::Window) {
        *--at = '.';
    }
    // What is left is the whole part: the window writes none for zero.
    if (rest > 0 || style != NumberStyle::Window) {
        for (; rest >= 100; rest /= 100) {
            at = putDigitPair(at, rest % 100);
        }
        if (rest >= 10) {
            at = putDigitPair(at, rest);
        } else {
            *--at = static_cast<char>('0' + rest);
        }
    }
    if (negative && (style == NumberStyle::Window || units > 0)) {
        *--at = '-';
    }
    return at;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): as unitsInto
std::string unitsText(std::uint64_t units, std::size_t decimals, bool negative, NumberStyle style) {
    std::array<char, kUnitsRoom> buffer;  // filled from its end
    char* const end = buffer.data() + buffer.size();
    return {unitsInto(end, units, decimals, negative, style), end};
}

// Scientific form with 15 significant digits, "d.dddddddddddddde±x", from printf, which rounds
// correctly as to_chars does and, unlike floating-point to_chars, is in every C++ library. Its
// decimal point follows the locale, so only the digits and the exponent are read.
void scientificByPrintf(double magnitude, Digits& digits, int& exponent) {
    std::array<char, 64> scientific{};
    std::snprintf(scientific.data(), scientific.size(), "%.*e", kSignificantDigits - 1, magnitude);
    const char* marker = scientific.data();
    for (std::size_t count = 0; *marker != 'e'; ++marker) {
        if (*marker >= '0' && *marker <= '9' && count < digits.size()) {
            digits[count++] = *marker;
        }
    }
    std::from_chars(marker + (marker[1] == '+' ? 2 : 1), marker + std::strlen(marker), exponent);
}

// The units straight from the magnitude times 10^decimals, where that product lies well away from
// a half unit: the 15 significant digits move the value by at most half their last digit, under
// 5 × 10^-15 of it, and the product's own rounding by less, so a product further than 10^-14 of
// itself from the halfway point rounds as the digits do. Nearly every value is that far; the rest,
// and all outside the integer route's own range, go on to the digits (kNoUnits).
std::uint64_t unitsFromProduct(double magnitude, std::size_t decimals) {
    if (decimals > 7 || !(magnitude >= 1e-4 && magnitude < 1e15)) {
        return kNoUnits;
    }
    const double product = magnitude * kDoublePowersOfTen[decimals];
    if (!(product < 0x1p52)) {
        return kNoUnits;
    }
    // Below 2^52 cutting the fraction off is the floor, and what is cut off is exact.
    const auto whole = static_cast<std::uint64_t>(product);
    const double fraction = product - static_cast<double>(whole);
    if (!(std::fabs(fraction - 0.5) > product * 1e-14)) {
        return kNoUnits;
    }
    return whole + (fraction > 0.5 ? 1 : 0);
}

// The value's units by the integer route, where it applies; kNoUnits sends it to printf's digits.
std::uint64_t unitsIfIntegers(double value, std::size_t decimals) {
    if (!std::isfinite(value)) {
        throw ArithmeticFault("cannot format a value that is not finite");
    }
    const double magnitude = std::fabs(value);
    if (const std::uint64_t units = unitsFromProduct(magnitude, decimals); units != kNoUnits) {
        return units;
    }
    if (const auto scientific = scientificByIntegers(magnitude); scientific) {
        return unitsByIntegers(*scientific, decimals);
    }
    return kNoUnits;
}

}  // namespace

long long decimalUnits(double value, std::size_t decimals) {
    // The rounding is formatDecimals' own, digit by digit; its fixed text has nothing but the
    // sign, the digits and the point.
    const std::string text = formatDecimals(value, decimals, NumberStyle::Fixed);
    long long units = 0;
    for (const char c : text) {
        units = c >= '0' && c <= '9' ? units * 10 + (c - '0') : units;
    }
    return text.starts_with('-') ? -units : units;
}

// Works on the 15 significant digits as text, never on the double again, so that rounding happens
// exactly once and in decimal. Every result box is written through here, a million times in a
// batch run, so the digits live in fixed arrays instead of temporary strings.
std::string formatDecimals(double value, std::size_t decimals, NumberStyle style) {
    // The integer route gives the same text for the values results have, several times faster;
    // the tests prove the two alike.
    if (const std::uint64_t units = unitsIfIntegers(value, decimals); units != kNoUnits) {
        return unitsText(units, decimals, value < 0, style);
    }
    Digits digits{};
    int exponent = 0;
    scientificByPrintf(std::fabs(value), digits, exponent);

    // The digit sequence with the point after `wholeLength` digits: zeros pad the significant
    // digits on the left (for values below 1) and on the right (for values of 10^15 and more).
    const std::size_t wholeLength = exponent >= 0 ? static_cast<std::size_t>(exponent) + 1 : 0;
    const long shift = exponent >= 0 ? 0 : -exponent - 1;  // zeros in front of the first digit
    const auto digitAt = [&](std::size_t position) {
        const long index = static_cast<long>(position) - shift;
        return index >= 0 && index < kSignificantDigits ? digits[static_cast<std::size_t>(index)]
                                                        : '0';
    };

    // Cut after the wanted decimals, then round half away from zero: add one in the last place
    // when the first digit cut off is 5 or more. A carry out of the first digit adds a digit in
    // front; the point stays where it was, counted from the right.
    const std::size_t length = wholeLength + decimals;
    std::array<char, kShortNumber> shortNumber;
    std::string longNumber;  // for very many decimals or values beyond 10^60
    if (length + 1 > shortNumber.size()) {
        longNumber.resize(length + 1);
    }
    char* const carry = longNumber.empty() ? shortNumber.data() : longNumber.data();
    char* const digitsBegin = carry + 1;
    for (std::size_t i = 0; i < length; ++i) {
        digitsBegin[i] = digitAt(i);
    }
    const char* wholeBegin = digitsBegin;
    if (digitAt(length) >= '5') {
        char* at = digitsBegin + length;
        while (at > digitsBegin && at[-1] == '9') {
            *--at = '0';
        }
        if (at > digitsBegin) {
            ++at[-1];
        } else {
            *carry = '1';
            wholeBegin = carry;
        }
    }
    const char* const point = digitsBegin + wholeLength;
    const char* fractionEnd = point + decimals;
    while (wholeBegin < point && *wholeBegin == '0') {
        ++wholeBegin;
    }
    while (style != NumberStyle::Fixed && fractionEnd > point && fractionEnd[-1] == '0') {
        --fractionEnd;
    }

    std::string text;
    text.reserve(static_cast<std::size_t>(fractionEnd - wholeBegin) + 3);
    if (style == NumberStyle::Window) {
        if (value < 0) {
            text += '-';
        }
        text.append(wholeBegin, point);
        text += '.';
        text.append(point, fractionEnd);
        return text;
    }
    const bool zero = std::all_of(wholeBegin, fractionEnd, [](char c) { return c == '0'; });
    if (zero && style == NumberStyle::Plain) {
        return "0";  // no "-0": the sign of a value too small to show says nothing
    }
    if (value < 0 && !zero) {
        text += '-';
    }
    if (wholeBegin == point) {
        text += '0';
    }
    text.append(wholeBegin, point);
    if (fractionEnd > point) {
        text += '.';
        text.append(point, fractionEnd);
    }
    return text;
}

void assignDecimals(std::string& text, double value, std::size_t decimals, NumberStyle style) {
    if (const std::uint64_t units = unitsIfIntegers(value, decimals); units != kNoUnits) {
        std::array<char, kUnitsRoom> buffer;
        char* const end = buffer.data() + buffer.size();
        text.assign(unitsInto(end, units, decimals, value < 0, style), end);
        return;
    }
    text = formatDecimals(value, decimals, style);
}

double assignShownDecimals(std::string& text, double value, std::size_t decimals,
                           NumberStyle style) {
    // Units below 2^53 and a power of ten are exact doubles, so their quotient is the decimal
    // rounded once, as reading the text rounds it. The integer route takes at most 7 decimals.
    constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53U;
    if (const std::uint64_t units = unitsIfIntegers(value, decimals);
        units != kNoUnits && !(value < 0) && units < kExactIntegers) {
        std::array<char, kUnitsRoom> buffer;
        char* const end = buffer.data() + buffer.size();
        text.assign(unitsInto(end, units, decimals, false, style), end);
        return static_cast<double>(units) / kDoublePowersOfTen[decimals];
    }
    text = formatDecimals(value, decimals, style);
    return leadingNumber(text);
}

ShownDecimal formatShownDecimals(double value, std::size_t decimals, NumberStyle style) {
    ShownDecimal shown;
    shown.value = assignShownDecimals(shown.text, value, decimals, style);
    return shown;
}

}  // namespace orvanto
