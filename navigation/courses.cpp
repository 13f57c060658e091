#include "navigation/courses.h"

#include <cmath>

#include "navigation/great_circles.h"
#include "navigation/measures.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {

bool finite(const Courses& courses) {
    const auto number = [](std::optional<double> value) { return !value || std::isfinite(*value); };
    return std::isfinite(courses.greatCircleMiles) && std::isfinite(courses.rhumbMiles) &&
           number(courses.initialCourse) && number(courses.finalCourse) &&
           number(courses.rhumbCourse);
}

namespace {

bool atPole(const ChartPoint& from, const ChartPoint& to) {
    return std::fabs(from.latitude) == kPoleLatitude || std::fabs(to.latitude) == kPoleLatitude;
}

}  // namespace

Courses measureCourses(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    const GreatCircle greatCircle = greatCircleBetween(from, to, method);
    const Run rhumb = rhumbBetween(from, to, method);
    Courses courses;
    courses.greatCircleMiles = greatCircle.nauticalMiles;
    courses.rhumbMiles = rhumb.nauticalMiles;
    // The great circle's distance is exactly 0 for one place however written (longitude 180 and
    // -180, any longitude at a pole); its courses are then arbitrary.
    if (greatCircle.nauticalMiles > 0 && !atPole(from, to)) {
        courses.initialCourse = greatCircle.initialCourse;
        courses.finalCourse = greatCircle.finalCourse;
        courses.rhumbCourse = rhumb.course;
    }
    return courses;
}

// Both distances are exactly 0 for one place alone, longitudes 180 and -180 included, so the rhumb
// line's tells what the great circle's told.
Courses measureRhumbCourses(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    const Run rhumb = rhumbBetween(from, to, method);
    Courses courses;
    courses.rhumbMiles = rhumb.nauticalMiles;
    if (rhumb.nauticalMiles > 0 && !atPole(from, to)) {
        courses.rhumbCourse = rhumb.course;
    }
    return courses;
}

}  // namespace orvanto::navigation
