// Results compared bit for bit: -0 is not 0, and NaN equals itself.
#pragma once

#include <cstdint>
#include <cstring>

namespace orvanto {

// The bits copied out, for emscripten's libc++ 13 has no std::bit_cast.
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline bool sameBits(double a, double b) {
    return bitsOf(a) == bitsOf(b);
}

}  // namespace orvanto
