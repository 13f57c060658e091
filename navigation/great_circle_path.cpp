#include "navigation/great_circle_path.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>

#include "navigation/courses.h"

namespace orvanto::navigation {
namespace {

// Straight segments of 10 km stay within a few metres of the geodesic.
constexpr double kLineStepKilometres = 10;

}  // namespace

std::vector<ChartPoint> greatCirclePath(const ChartPoint& from, const ChartPoint& to,
                                        double maxStepKilometres) {
    using GeographicLib::Geodesic;
    const GeographicLib::GeodesicLine line = Geodesic::WGS84().InverseLine(
        from.latitude, from.longitude, to.latitude, to.longitude,
        Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::DISTANCE_IN);
    const double metres = line.Distance();
    const auto steps = static_cast<std::size_t>(
        std::max(1.0, std::ceil(metres / (maxStepKilometres * kMetresPerKilometre))));
    std::vector<ChartPoint> path;
    path.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i) {
        ChartPoint point{};
        double unused = 0;
        // LONG_UNROLL: the longitude counts whole turns instead of wrapping at ±180.
        line.GenPosition(false, metres * static_cast<double>(i) / static_cast<double>(steps),
                         Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::LONG_UNROLL,
                         point.latitude, point.longitude, unused, unused, unused, unused, unused,
                         unused);
        path.push_back(point);
    }
    // The ends exactly as given, free of the solution's last-digit noise.
    path.front().latitude = from.latitude;
    path.back().latitude = to.latitude;
    path.front().longitude = from.longitude;
    ChartPoint& end = path.back();
    end.longitude = to.longitude + 360.0 * std::round((end.longitude - to.longitude) / 360.0);
    return path;
}

std::vector<ChartPoint> greatCircleRoute(std::span<const RoutePoint> points) {
    std::vector<ChartPoint> line;
    for (std::size_t i = 1; i < points.size(); ++i) {
        auto leg = greatCirclePath(points[i - 1].position, points[i].position, kLineStepKilometres);
        const double shift = line.empty() ? 0.0 : line.back().longitude - leg.front().longitude;
        for (std::size_t j = line.empty() ? 0 : 1; j < leg.size(); ++j) {
            line.push_back({leg[j].latitude, leg[j].longitude + shift});
        }
    }
    return line;
}

}  // namespace orvanto::navigation
