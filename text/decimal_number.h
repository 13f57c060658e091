// Reading a decimal number into a double the same way on every toolchain. The entries are read
// with fast_float, the algorithm behind libstdc++'s floating-point from_chars, because the C++
// libraries of emscripten and MinGW-w64 have no floating-point from_chars at all.
#pragma once

#include <optional>
#include <string_view>

namespace orvanto {

// Reads "[+|-]digits[.digits][marker[+|-]digits]", with digits on at least one side of the point
// and "e", "E", "d" or "D" as the exponent marker, correctly rounded to the nearest double. A value
// beyond the largest double reads as infinity and one below the smallest as zero, each with its
// sign, which is what the entry rules make of them. Nothing for any other text ("inf", "nan", "1e",
// a blank, anything after the number).
std::optional<double> readDecimalNumber(std::string_view text);

}  // namespace orvanto
