// Which figure of the earth a passage is planned on, and a run: the course held and the distance
// sailed on it.
#pragma once

#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {

enum class SailingMethod {
    // Great circles as geodesics and rhumb lines on the WGS-84 ellipsoid, by GeographicLib.
    Wgs84,
    // The deck officer's textbook (航海学): great circles on the sphere on which one minute of arc
    // is one nautical mile, rhumb lines by Mercator sailing (mercator_sailing.h).
    Textbook,
};

struct Run {
    double course = 0;  // true, degrees clockwise from north
    double nauticalMiles = 0;
};

// The textbook sphere's radius: 10800 minutes of arc, each a nautical mile of 1852 m, make half a
// great circle.
inline constexpr double kTextbookRadiusMetres = 10800 / std::numbers::pi * kMetresPerNauticalMile;

}  // namespace orvanto::navigation
