#include "calculator/format_thousandths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "geometry/arithmetic_fault.h"

namespace orvanto {
namespace {

constexpr int kSignificantDigits = 15;
// Room for the digits of every value a result box shows (and far more), and a carry digit.
constexpr std::size_t kShortNumber = 64;

using Digits = std::array<char, kSignificantDigits>;

#ifdef __SIZEOF_INT128__
__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t kTenToThe15 = 1'000'000'000'000'000;

constexpr std::uint64_t tenToThe(int power) {
    std::uint64_t result = 1;
    for (int i = 0; i < power; ++i) {
        result *= 10;
    }
    return result;
}

// The digits printf gives, computed exactly by integers: a double is mantissa / 2^shift, so
// mantissa × 10^k / 2^shift is the value scaled to 15 whole digits, its remainder decides the
// rounding (to nearest, a tie to the even digit, as printf rounds), and no step is inexact. From
// 10^-4 the scale is at most 10^19, which fits 64 bits, and the product 117; below 10^15 the shift
// is positive. False outside that range, where printf does it.
bool scientificByIntegers(double magnitude, Digits& digits, int& exponent) {
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) {
        return false;
    }
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);  // in [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent;
    // The magnitude lies in [2^(b-1), 2^b): its decimal exponent is this estimate or one more.
    exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    Wide scaled = Wide{mantissa} * tenToThe(kSignificantDigits - 1 - exponent);
    if ((scaled >> shift) >= kTenToThe15) {
        ++exponent;
        scaled = Wide{mantissa} * tenToThe(kSignificantDigits - 1 - exponent);
    }
    auto whole = static_cast<std::uint64_t>(scaled >> shift);
    const Wide remainder = scaled & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder > half || (remainder == half && whole % 2 == 1)) {
        ++whole;
    }
    if (whole == kTenToThe15) {  // 9.99…95 rounded up to the next power of ten
        whole /= 10;
        ++exponent;
    }
    for (auto at = digits.rbegin(); at != digits.rend(); ++at, whole /= 10) {
        *at = static_cast<char>('0' + whole % 10);
    }
    return true;
}
#else
bool scientificByIntegers(double, Digits&, int&) {
    return false;
}
#endif

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

}  // namespace

// Works on the 15 significant digits as text, never on the double again, so that rounding happens
// exactly once and in decimal. Every result box is written through here, a million times in a
// batch run, so the digits live in fixed arrays instead of temporary strings.
std::string formatDecimals(double value, std::size_t decimals, NumberStyle style) {
    if (!std::isfinite(value)) {
        throw ArithmeticFault("cannot format a value that is not finite");
    }
    // The integer route gives printf's digits for the values results have, several times faster;
    // the tests prove the two alike.
    Digits digits{};
    int exponent = 0;
    if (!scientificByIntegers(std::fabs(value), digits, exponent)) {
        scientificByPrintf(std::fabs(value), digits, exponent);
    }

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
    while (fractionEnd > point && fractionEnd[-1] == '0') {
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
    if (wholeBegin == fractionEnd) {
        return "0";  // no "-0": the sign of a value too small to show says nothing
    }
    if (value < 0) {
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

}  // namespace orvanto
