// The angles and units every sailing computation shares, apart from any one of them so that each
// includes only this: a course brought onto the compass, a longitude onto the chart, and the
// metres, kilometres and nautical miles between GeographicLib's measures and the navigator's.
#pragma once

#include <cmath>

#include "geometry/chart_constants.h"

namespace orvanto::navigation {

inline constexpr double kMetresPerKilometre = 1000;
inline constexpr double kKilometresPerNauticalMile = chart::kKilometresPerNauticalMile;
inline constexpr double kMetresPerNauticalMile = 1852;
inline constexpr double kPoleLatitude = 90;

// Any angle in degrees brought into 0 <= course < 360 (GeographicLib's azimuths run -180..180).
inline double normalisedCourse(double degrees) {
    const double course = std::fmod(degrees, 360.0);
    // fmod keeps the sign; -0.0 and a value just below zero must not come out as 360.
    const double positive = course < 0 ? course + 360.0 : course;
    return positive >= 360.0 ? 0.0 : positive + 0.0;
}

// A longitude brought into -180 < λ <= 180.
inline double wrappedLongitude(double degrees) {
    const double wrapped = std::remainder(degrees, 360.0);
    return wrapped <= -180.0 ? wrapped + 360.0 : wrapped + 0.0;
}

}  // namespace orvanto::navigation
