#include "navigation/route_points.h"

#include <charconv>

namespace orvanto::navigation {

std::string decimalDegrees(double degrees) {
    char text[32];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), degrees + 0.0, std::chars_format::fixed);
    return {std::begin(text), result.ptr};
}

}  // namespace orvanto::navigation
