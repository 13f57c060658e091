#include "navigation/courses.h"

#include <cmath>

#include "navigation/great_circles.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {

double normalisedCourse(double degrees) {
    const double course = std::fmod(degrees, 360.0);
    // fmod keeps the sign; -0.0 and a value just below zero must not come out as 360.
    const double positive = course < 0 ? course + 360.0 : course;
    return positive >= 360.0 ? 0.0 : positive + 0.0;
}

bool finite(const Courses& courses) {
    const auto number = [](std::optional<double> value) { return !value || std::isfinite(*value); };
    return std::isfinite(courses.greatCircleKilometres) && std::isfinite(courses.rhumbKilometres) &&
           number(courses.initialCourse) && number(courses.finalCourse) &&
           number(courses.rhumbCourse);
}

Courses measureCourses(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    const GreatCircle greatCircle = greatCircleBetween(from, to, method);
    const Run rhumb = rhumbBetween(from, to, method);
    Courses courses;
    courses.greatCircleKilometres = greatCircle.nauticalMiles * kKilometresPerNauticalMile;
    courses.rhumbKilometres = rhumb.nauticalMiles * kKilometresPerNauticalMile;
    // The great circle's distance is exactly 0 for one place however written (longitude 180 and
    // -180, any longitude at a pole); its courses are then arbitrary.
    const bool atPole =
        std::fabs(from.latitude) == kPoleLatitude || std::fabs(to.latitude) == kPoleLatitude;
    if (greatCircle.nauticalMiles > 0 && !atPole) {
        courses.initialCourse = greatCircle.initialCourse;
        courses.finalCourse = greatCircle.finalCourse;
        courses.rhumbCourse = rhumb.course;
    }
    return courses;
}

}  // namespace orvanto::navigation
