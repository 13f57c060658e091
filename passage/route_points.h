// A route's waypoints as the GPX and GeoJSON files carry them: a name and the decoded position.
#pragma once

#include <string>

#include "geometry/chart_point.h"

namespace orvanto::passage {

struct RoutePoint {
    std::string name;
    ChartPoint position;
};

// Signed decimal degrees with 7 fixed decimals ("31.5000000", about a centimetre): no exponent
// (neither XML's decimal type nor every GeoJSON reader takes one), and the same text from every
// build, whatever the last bits of its sines.
std::string decimalDegrees(double degrees);

}  // namespace orvanto::passage
