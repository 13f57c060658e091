// A route's waypoints as the GPX and GeoJSON files carry them: a name and the decoded position.
#pragma once

#include <string>

#include "calculator/decoded_points.h"

namespace orvanto::navigation {

struct RoutePoint {
    std::string name;
    ChartPoint position;
};

// Signed decimal degrees in the shortest plain decimal that reads back as the same double: no
// exponent (neither XML's decimal type nor every GeoJSON reader takes one), no needless digits.
std::string decimalDegrees(double degrees);

}  // namespace orvanto::navigation
