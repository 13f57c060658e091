#include "cli/variation.h"

#include <charconv>
#include <cmath>

namespace orvanto::cli {
namespace {

constexpr double kLargestVariation = 180;

}  // namespace

std::optional<double> readVariation(std::string_view text) {
    double sign = 1;
    if (!text.empty() &&
        (text.back() == 'W' || text.back() == 'w' || text.back() == 'E' || text.back() == 'e')) {
        sign = text.back() == 'W' || text.back() == 'w' ? -1 : 1;
        text.remove_suffix(1);
        // "-3W" says west twice, or contradicts itself: refused rather than guessed.
        if (text.starts_with('-') || text.starts_with('+')) {
            return std::nullopt;
        }
    } else if (text.starts_with('+')) {
        text.remove_prefix(1);  // from_chars takes "-" but not "+"
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    double degrees = 0;
    // Plain decimal digits only: no exponent, no "inf" or "nan".
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), degrees, std::chars_format::fixed);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        std::fabs(degrees) > kLargestVariation) {
        return std::nullopt;
    }
    return sign * degrees;
}

}  // namespace orvanto::cli
