#include "calculator/format_thousandths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "geometry/calculation_errors.h"

namespace orvanto {
namespace {

constexpr int kSignificantDigits = 15;

std::size_t decimalsOf(std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    return point == std::string_view::npos
               ? 0
               : static_cast<std::size_t>(
                     std::count(pattern.begin() + static_cast<long>(point), pattern.end(), '#'));
}

// Adds one unit in the last place of a string of decimal digits; returns false on a carry out.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

}  // namespace

std::string formatThousandths(double value, std::string_view pattern) {
    if (!std::isfinite(value)) {
        throw ArithmeticFault("cannot format a value that is not finite");
    }
    // Locale-independent scientific form with 15 significant digits: "d.dddddddddddddde±x".
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    std::string digits{scientific.substr(0, 1)};
    digits += scientific.substr(2, e - 2);
    const int exponent = std::atoi(std::string{scientific.substr(e + 1)}.c_str());

    // Split into whole digits and decimals, then round at the wanted decimal, half away from zero.
    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
        whole = digits.substr(0, std::min(wholeLength, digits.size()));
        whole.resize(wholeLength, '0');
        if (wholeLength < digits.size()) {
            fraction = digits.substr(wholeLength);
        }
    } else {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const std::size_t decimals = decimalsOf(pattern);
    const bool roundsUp = fraction.size() > decimals && fraction[decimals] >= '5';
    if (fraction.size() > decimals) {
        fraction.resize(decimals);
    }
    std::string number = whole + fraction;
    if (roundsUp && !incrementDigits(number)) {
        number.insert(number.begin(), '1');
    }
    whole = number.substr(0, number.size() - fraction.size());
    fraction = number.substr(whole.size());

    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(std::min(fraction.find_last_not_of('0') + 1, fraction.size()));
    return (value < 0 ? "-" : "") + whole + "." + fraction;
}

}  // namespace orvanto
