// The courses a navigator plans a leg with, on the WGS-84 ellipsoid: the great circle (大圆航线,
// strictly the geodesic: shortest, its course changing along the way) and the rhumb line (恒向线,
// one constant course, a straight line on a Mercator chart). Beside the calculator's own chord
// estimate, never in place of it; computed by GeographicLib from the same decoded degrees.
#pragma once

#include <optional>

#include "geometry/chart_point.h"
#include "navigation/sailing_method.h"

namespace orvanto::navigation {

// Courses are true courses in degrees clockwise from north, 0 <= course < 360. They are empty when
// there is no direction to speak of: for identical points, and when either point is a pole (every
// direction from a pole is south, or north, and the longitude there is arbitrary).
struct Courses {
    double greatCircleMiles = 0;          // nautical miles
    std::optional<double> initialCourse;  // at point 1
    std::optional<double> finalCourse;    // the heading on arrival at point 2
    double rhumbMiles = 0;
    std::optional<double> rhumbCourse;
};

// The courses and distances (nautical miles) from one point to another, each in signed decimal
// degrees with latitudes within ±90, on WGS-84 or by the textbook's methods. Never throws.
Courses measureCourses(const ChartPoint& from, const ChartPoint& to,
                       SailingMethod method = SailingMethod::Wgs84);

// The rhumb line's distance and course alone, for a part of a route sailed along it, whose
// great-circle figures nobody reads: those stay 0 and empty, and the great circle's inverse problem
// (the dearer half of measureCourses) is not solved. The rhumb course is empty as measureCourses
// leaves it: for one place however written, and at a pole.
Courses measureRhumbCourses(const ChartPoint& from, const ChartPoint& to, SailingMethod method);

// Whether every distance and course is a number: what a front end may write.
bool finite(const Courses& courses);

}  // namespace orvanto::navigation
