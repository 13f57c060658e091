// The seam without the navigation library: nothing to add and nothing to measure. The Python side
// checks hasNavigation() and refuses what needs the library, so only the empty answers are used.
#include <limits>

#include "python/navigation_seam.h"

namespace orvanto::python {

bool hasNavigation() noexcept {
    return false;
}

std::vector<std::unique_ptr<const batch::ColumnProvider>> navigationColumns(
    NumberStyle /*style*/, bool /*geodesic*/, bool /*navigation*/,
    std::optional<double> /*variation*/) {
    return {};
}

std::vector<std::string_view> everyNavigationColumn() {
    return {};
}

std::optional<double> readVariationText(std::string_view /*text*/) {
    return std::nullopt;
}

LegCourses measureLegCourses(const ChartPoint& /*from*/, const ChartPoint& /*to*/) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    return {kNone, kNone, kNone, kNone, kNone};
}

}  // namespace orvanto::python
