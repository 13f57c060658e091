// The powers of ten that fit 64 bits, and division by them at the speed of a multiplication: the
// result texts and the entries' whole degrees take one for every number.
#pragma once

#include <array>
#include <cstdint>

namespace orvanto {

// 10^0 to 10^19.
inline constexpr auto kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// 10^0 to 10^15 as doubles, every one exact.
inline constexpr std::array<double, 16> kDoublePowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// value / 10^power for a power from 0 to 19, each a constant divisor that the compiler turns into a
// multiplication: a division by a variable takes several times as long.
inline std::uint64_t dividedByTenToThe(std::uint64_t value, int power) {
    switch (power) {
        case 1:
            return value / kPowersOfTen[1];
        case 2:
            return value / kPowersOfTen[2];
        case 3:
            return value / kPowersOfTen[3];
        case 4:
            return value / kPowersOfTen[4];
        case 5:
            return value / kPowersOfTen[5];
        case 6:
            return value / kPowersOfTen[6];
        case 7:
            return value / kPowersOfTen[7];
        case 8:
            return value / kPowersOfTen[8];
        case 9:
            return value / kPowersOfTen[9];
        case 10:
            return value / kPowersOfTen[10];
        case 11:
            return value / kPowersOfTen[11];
        case 12:
            return value / kPowersOfTen[12];
        case 13:
            return value / kPowersOfTen[13];
        case 14:
            return value / kPowersOfTen[14];
        case 15:
            return value / kPowersOfTen[15];
        case 16:
            return value / kPowersOfTen[16];
        case 17:
            return value / kPowersOfTen[17];
        case 18:
            return value / kPowersOfTen[18];
        case 19:
            return value / kPowersOfTen[19];
        default:
            return value;
    }
}

}  // namespace orvanto
