// The page has no GeographicLib, so its batch runs ask for no geodesic columns. The row calculator
// still names the geodesic functions; these stand in for them and are never called.
#include <limits>

#include "cli/geodesic_measures.h"

namespace orvanto::cli {

double geodesicKilometres(const ChartPoint& /*from*/, const ChartPoint& /*to*/) {
    return std::numeric_limits<double>::quiet_NaN();
}

double geodesicAngle(const ChartPoint& /*vertex*/, const ChartPoint& /*first*/,
                     const ChartPoint& /*second*/) {
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace orvanto::cli
