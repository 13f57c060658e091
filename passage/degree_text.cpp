#include "passage/degree_text.h"

#include "text/decimal_number.h"
#include "text/trimming.h"

namespace orvanto::passage {

std::optional<std::string> degreeMarkText(std::string_view value, double limit) {
    std::string text{trimmed(value, " \t\r\n")};
    const std::size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    const std::size_t point = text.find('.');
    const bool decimal = !text.empty() && text.find_first_of("+-", digits) == std::string::npos &&
                         text.find_first_not_of("0123456789.", digits) == std::string::npos &&
                         text.find('.', point + 1) == std::string::npos &&
                         text.find_first_of("0123456789") != std::string::npos;
    const auto degrees = decimal ? readDecimalNumber(text) : std::nullopt;
    if (!degrees || *degrees < -limit || *degrees > limit) {
        return std::nullopt;
    }
    if (text[0] == '+') {
        text.erase(0, 1);
    }
    // The entries want a digit before the point.
    if (const std::size_t first = text[0] == '-' ? 1 : 0; text[first] == '.') {
        text.insert(first, "0");
    }
    if (point != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    if (*degrees == 0) {
        text = "0";
    }
    return text + "°";
}

}  // namespace orvanto::passage
