#include "navigation/rhumb_lines.h"

#include <GeographicLib/Rhumb.hpp>

#include <algorithm>
#include <cmath>

#include "navigation/measures.h"
#include "navigation/mercator_sailing.h"

namespace orvanto::navigation {

using GeographicLib::Rhumb;
using GeographicLib::RhumbLine;

Run rhumbBetween(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    if (method == SailingMethod::Textbook) {
        return mercatorSailing(from, to).run;
    }
    double metres = 0;
    double course = 0;
    Rhumb::WGS84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude, metres,
                           course);
    return {normalisedCourse(course), metres / kMetresPerNauticalMile};
}

std::optional<ChartPoint> sailRhumbLine(const ChartPoint& from, const Run& run,
                                        SailingMethod method) {
    if (method == SailingMethod::Textbook) {
        return mercatorReckoning(from, run);
    }
    ChartPoint reached{};
    Rhumb::WGS84().Direct(from.latitude, from.longitude, run.course,
                          run.nauticalMiles * kMetresPerNauticalMile, reached.latitude,
                          reached.longitude);
    // GeographicLib gives no longitude for a line that reaches or passes a pole.
    if (!std::isfinite(reached.longitude) || !std::isfinite(reached.latitude)) {
        return std::nullopt;
    }
    reached.longitude = wrappedLongitude(reached.longitude);
    return reached;
}

std::vector<ChartPoint> rhumbPath(const ChartPoint& from, const ChartPoint& to,
                                  double maxStepKilometres) {
    double metres = 0;
    double course = 0;
    Rhumb::WGS84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude, metres,
                           course);
    const RhumbLine line = Rhumb::WGS84().Line(from.latitude, from.longitude, course);
    const auto steps = static_cast<std::size_t>(
        std::max(1.0, std::ceil(metres / (maxStepKilometres * kMetresPerKilometre))));
    std::vector<ChartPoint> path;
    path.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i) {
        ChartPoint point{};
        double unused = 0;
        line.GenPosition(metres * static_cast<double>(i) / static_cast<double>(steps),
                         RhumbLine::LATITUDE | RhumbLine::LONGITUDE | RhumbLine::LONG_UNROLL,
                         point.latitude, point.longitude, unused);
        path.push_back(point);
    }
    // A parallel exactly on its latitude, and the ends as given.
    if (from.latitude == to.latitude) {
        for (ChartPoint& point : path) {
            point.latitude = from.latitude;
        }
    }
    path.front() = from;
    // At a pole a rhumb line's longitude is undetermined (NaN): the pole is one point, whatever
    // the meridian, so it keeps the longitude the line came in on.
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (!std::isfinite(path[i].longitude)) {
            path[i].longitude = path[i - 1].longitude;
        }
    }
    ChartPoint& end = path.back();
    end.latitude = to.latitude;
    end.longitude = to.longitude + 360.0 * std::round((end.longitude - to.longitude) / 360.0);
    return path;
}

}  // namespace orvanto::navigation
