#include "passage/route_points.h"

#include "calculator/decimal_text.h"

namespace orvanto::passage {
namespace {

constexpr std::size_t kCoordinateDecimals = 7;

}  // namespace

std::string decimalDegrees(double degrees) {
    return formatDecimals(degrees, kCoordinateDecimals, NumberStyle::Fixed);
}

}  // namespace orvanto::passage
