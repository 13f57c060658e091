// The yardstick of the measurement benchmarks: a plain haversine as anyone would write it, with the
// platform's sin, cos, asin and sqrt.
#pragma once

#include <cmath>
#include <numbers>

#include "geometry/distance.h"

namespace orvanto::bench {

// Degrees in, kilometres out on a 6371 km sphere.
inline double haversineKm(const ChartLeg& leg) {
    constexpr double kRadians = std::numbers::pi / 180;
    const double phi1 = leg.from.latitude * kRadians;
    const double phi2 = leg.to.latitude * kRadians;
    const double halfLatitudeSine = std::sin((phi2 - phi1) / 2);
    const double halfLongitudeSine =
        std::sin((leg.to.longitude - leg.from.longitude) * kRadians / 2);
    const double h = halfLatitudeSine * halfLatitudeSine +
                     std::cos(phi1) * std::cos(phi2) * halfLongitudeSine * halfLongitudeSine;
    return 2 * 6371.0 * std::asin(std::sqrt(h));
}

}  // namespace orvanto::bench
