// The random points every measurement benchmark and the instruction counts run over, so that the
// haversine, the distance and the angle are timed on the same points.
#pragma once

#include <cstddef>
#include <random>
#include <vector>

#include "geometry/three_point_angle.h"

namespace orvanto::bench {

// Points within a chart of 160 by 100 degrees, from a fixed seed; enough of them that neither the
// branch predictor nor the cache sees one input only.
inline std::vector<ChartPoint> typicalPoints(std::size_t count = 3072) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> latitude(-80, 80);
    std::uniform_real_distribution<double> longitude(-50, 50);
    std::vector<ChartPoint> points(count);
    for (ChartPoint& point : points) {
        point.latitude = latitude(random);
        point.longitude = longitude(random);
    }
    return points;
}

// Consecutive points taken two at a time for a distance, three at a time for an angle.
inline ChartLeg legAt(const std::vector<ChartPoint>& points, std::size_t i) {
    return {points[i], points[i + 1]};
}

inline AngleCorners cornersAt(const std::vector<ChartPoint>& points, std::size_t i) {
    return {points[i], points[i + 1], points[i + 2]};
}

}  // namespace orvanto::bench
