// The result formatter over every double: a finite value gives "-", digits, ".", at most three
// decimals without a trailing zero; a value that is not finite is an arithmetic fault.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calculator/format_thousandths.h"
#include "geometry/arithmetic_fault.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    try {
        const std::string text =
            orvanto::formatThousandths(value, size > sizeof value ? orvanto::kNauticalMilePattern
                                                                  : orvanto::kKilometrePattern);
        const std::size_t point = text.find('.');
        const std::size_t decimals = text.size() - point - 1;
        const bool shaped = point != std::string::npos && decimals <= 3 &&
                            (decimals == 0 || text.back() != '0') &&
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
