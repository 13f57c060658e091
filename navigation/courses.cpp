#include "navigation/courses.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cmath>

namespace orvanto::navigation {
namespace {

constexpr double kPoleLatitude = 90;

}  // namespace

double normalisedCourse(double degrees) {
    const double course = std::fmod(degrees, 360.0);
    // fmod keeps the sign; -0.0 and a value just below zero must not come out as 360.
    const double positive = course < 0 ? course + 360.0 : course;
    return positive >= 360.0 ? 0.0 : positive + 0.0;
}

Courses measureCourses(const ChartPoint& from, const ChartPoint& to) {
    Courses courses;
    double metres = 0;
    double initial = 0;
    double final = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres, initial, final);
    double rhumbMetres = 0;
    double rhumb = 0;
    GeographicLib::Rhumb::WGS84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude,
                                          rhumbMetres, rhumb);
    courses.greatCircleKilometres = metres / kMetresPerKilometre;
    courses.rhumbKilometres = rhumbMetres / kMetresPerKilometre;
    // The geodesic distance is exactly 0 for one place however written (longitude 180 and -180,
    // any longitude at a pole); its azimuths are then arbitrary.
    const bool atPole =
        std::fabs(from.latitude) == kPoleLatitude || std::fabs(to.latitude) == kPoleLatitude;
    if (metres > 0 && !atPole) {
        courses.initialCourse = normalisedCourse(initial);
        courses.finalCourse = normalisedCourse(final);
        courses.rhumbCourse = normalisedCourse(rhumb);
    }
    return courses;
}

}  // namespace orvanto::navigation
