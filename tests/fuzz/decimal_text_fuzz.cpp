// The result formatter over every double, in both styles: a finite value gives "-", digits, ".",
// at most three decimals without a trailing zero (the plain style with a digit in front of the
// point and no point without decimals); a value that is not finite is an arithmetic fault.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calculator/decimal_text.h"
#include "geometry/arithmetic_fault.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    try {
        // A longer input asks for the plain style: no point without decimals, none in front.
        const bool plain = size > sizeof value;
        const std::string text = orvanto::formatDecimals(
            value, orvanto::kResultDecimals,
            plain ? orvanto::NumberStyle::Plain : orvanto::NumberStyle::Window);
        const std::size_t point = std::min(text.find('.'), text.size());
        const std::size_t decimals = text.size() - std::min(point + 1, text.size());
        const bool shaped =
            (plain ? point > 0 && text[point - 1] != '-' && text != "-0" : point < text.size()) &&
            decimals <= 3 && (decimals == 0 || text.back() != '0') &&
            (!plain || text.back() != '.') &&
            text.find_first_not_of("-0123456789.") == std::string::npos;
        if (!shaped || !std::isfinite(value)) {
            std::abort();
        }
    } catch (const orvanto::ArithmeticFault&) {
        if (std::isfinite(value)) {
            std::abort();
        }
    }
    return 0;
}
