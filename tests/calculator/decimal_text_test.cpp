#include "calculator/decimal_text.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "geometry/arithmetic_fault.h"
#include "notation/entry_decoding.h"

namespace orvanto {
namespace {

TEST(FormatDecimals, WritesTheResultTextInEitherStyle) {
    // clang-format off
    const std::pair<double, const char*> rows[] = {
        {123.4567, "123.457"}, {111.19492469, "111.195"}, {60.0404968, "60.04"}, {0.5, ".5"},
        {12, "12."}, {12345.6789, "12345.679"}, {0.0004, "."}, {0.0005, ".001"}, {-0.0005, "-.001"},
        {0, "."}, {-0.0, "."}, {-0.111, "-.111"}, {1e20, "100000000000000000000."},
        {1.0005, "1.001"},      // stored as 1.000499…, rounded up at 15 significant digits
        {-0.000000055, "-."},   // a negative value keeps its sign even when it rounds to zero
        {9.9995, "10."}, {999.9996, "1000."},  // the carry runs into the whole digits
        {179.99899999999, "179.999"},
    };
    // clang-format on
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(formatDecimals(value, kResultDecimals, NumberStyle::Window), text);
    }
    const std::pair<double, const char*> plainRows[] = {{0.5, "0.5"},       {12, "12"},
                                                        {0, "0"},           {-0.000000055, "0"},
                                                        {-0.111, "-0.111"}, {9.9995, "10"}};
    for (const auto& [value, text] : plainRows) {
        EXPECT_EQ(formatDecimals(value, kResultDecimals, NumberStyle::Plain), text);
    }
    // Coordinates for other programs: every decimal written, the sign only on a value not zero.
    const std::pair<double, const char*> fixedRows[] = {
        {31.5, "31.5000000"},      {-121.48333333333, "-121.4833333"},
        {180, "180.0000000"},      {-0.00000004, "0.0000000"},
        {0.00000005, "0.0000001"}, {1e16, "10000000000000000.0000000"},
        {-1e-20, "0.0000000"}};
    for (const auto& [value, text] : fixedRows) {
        EXPECT_EQ(formatDecimals(value, 7, NumberStyle::Fixed), text);
    }
    EXPECT_THROW(formatDecimals(INFINITY, kResultDecimals, NumberStyle::Window), ArithmeticFault);
    EXPECT_THROW(formatDecimals(NAN, kResultDecimals, NumberStyle::Plain), ArithmeticFault);
}

// The same text by integer arithmetic on the 15 significant digits (valid below 10^15): the digits
// D and exponent E give |value| = D × 10^(E−14), and D × 10^(E−14+decimals) rounded half up is the
// value in units of the last decimal.
std::string windowTextByIntegers(double value, int decimals) {
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
    std::uint64_t digits = 0;
    for (const char* c = scientific; *c != 'e'; ++c) {
        digits = *c == '.' ? digits : digits * 10 + static_cast<std::uint64_t>(*c - '0');
    }
    const int shift = std::atoi(std::strchr(scientific, 'e') + 1) - 14 + decimals;
    std::uint64_t units = digits;
    for (int i = 0; i < shift; ++i) {
        units *= 10;
    }
    std::uint64_t unit = 1;
    for (int i = 0; i < -shift && i <= 16; ++i) {  // 10^17 is more than twice any D: 0 remains
        unit *= 10;
    }
    units = shift < 0 ? (digits + unit / 2) / unit : units;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    std::string fraction = std::to_string(units % scale + scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const std::uint64_t whole = units / scale;
    return (value < 0 ? "-" : "") + (whole == 0 ? "" : std::to_string(whole)) + "." + fraction;
}

// The digits are handled in fixed arrays and, away from a half unit, straight from the value
// times a power of ten, for speed; this proves them against plain arithmetic on random
// magnitudes with 0 to 7 decimals, and on both sides of every rounding boundary in the thousands
// of kilometres and of the tenths of degrees.
TEST(FormatDecimals, AgreesWithIntegerArithmetic) {
    std::mt19937_64 random(2024);
    std::uniform_real_distribution<double> unit(0, 1);
    int differing = 0;
    const auto check = [&](double value, int decimals) {
        const std::string expected = windowTextByIntegers(value, decimals);
        const std::string actual =
            formatDecimals(value, static_cast<std::size_t>(decimals), NumberStyle::Window);
        if (actual != expected && ++differing <= 5) {
            ADD_FAILURE() << value << " to " << decimals << " decimals gives " << actual << ", not "
                          << expected;
        }
    };
    for (int i = 0; i < 400'000; ++i) {
        check((unit(random) - 0.5) * std::pow(10.0, unit(random) * 20 - 8), i % 8);
    }
    for (const auto& [decimals, scale, last] :
         {std::tuple{3, 1000.0, 25'000'000}, {1, 10.0, 3'600}}) {
        for (int k = -100'000; k < last; k += decimals == 3 ? 37 : 1) {
            const double boundary = k / scale + 0.5 / scale;
            check(boundary, decimals);
            check(std::nextafter(boundary, -1e9), decimals);
            check(std::nextafter(boundary, 1e9), decimals);
        }
    }
    for (double tie = 1e14 + 0.5; tie < 1e14 + 20; tie += 1) {  // printf takes the even digit
        check(tie, 3);
        check(tie, 0);
    }
}

// The fixed style is the plain text with its decimals filled up with zeros, on both routes (the
// integers below 10^15, printf beyond).
TEST(FormatDecimals, FixedIsPlainFilledWithZeros) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 200'000; ++i) {
        const double value = (unit(random) - 0.5) * std::pow(10.0, unit(random) * 24 - 9);
        std::string plain = formatDecimals(value, 7, NumberStyle::Plain);
        const std::size_t point = plain.find('.');
        plain += std::string(point == std::string::npos ? 1 : 0, '.');
        plain += std::string(7 - (plain.size() - plain.find('.') - 1), '0');
        ASSERT_EQ(formatDecimals(value, 7, NumberStyle::Fixed), plain) << value;
    }
}

// The shown value is taken from the units instead of the text: it must be what reading the text
// gives, bit for bit, on both routes and for either sign. Written over a used string, the text is
// the same.
TEST(FormatDecimals, ShownValueIsTheTextReadBack) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 200'000; ++i) {
        const double value = (unit(random) - 0.1) * std::pow(10.0, unit(random) * 24 - 9);
        for (const NumberStyle style : {NumberStyle::Window, NumberStyle::Plain}) {
            const ShownDecimal shown = formatShownDecimals(value, kResultDecimals, style);
            ASSERT_EQ(shown.text, formatDecimals(value, kResultDecimals, style)) << value;
            std::string reused = "a longer text that the result is written over";
            assignDecimals(reused, value, kResultDecimals, style);
            ASSERT_EQ(reused, shown.text) << value;
            const double read = leadingNumber(shown.text);
            ASSERT_TRUE(shown.value == read && std::signbit(shown.value) == std::signbit(read))
                << value;
        }
    }
}

}  // namespace
}  // namespace orvanto
