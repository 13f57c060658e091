// The page has no GeographicLib, so its batch runs ask for no geodesic or course columns. The row
// calculator still names the functions behind them; these stand in for them and are never called.
#include <cmath>
#include <limits>

#include "cli/courses.h"
#include "cli/geodesic_measures.h"

namespace orvanto::cli {

double geodesicKilometres(const ChartPoint& /*from*/, const ChartPoint& /*to*/) {
    return std::numeric_limits<double>::quiet_NaN();
}

double geodesicAngle(const ChartPoint& /*vertex*/, const ChartPoint& /*first*/,
                     const ChartPoint& /*second*/) {
    return std::numeric_limits<double>::quiet_NaN();
}

Courses measureCourses(const ChartPoint& /*from*/, const ChartPoint& /*to*/) {
    return Courses{};
}

double normalisedCourse(double degrees) {
    const double course = std::fmod(degrees, 360.0);
    return course < 0 ? course + 360.0 : course;
}

}  // namespace orvanto::cli
