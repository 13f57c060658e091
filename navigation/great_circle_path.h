// The great circle between two points as a line a map can draw: points along the geodesic close
// enough together that straight segments between them stay on it to within a few metres.
#pragma once

#include <vector>

#include <span>

#include "geometry/chart_point.h"
#include "navigation/route_points.h"

namespace orvanto::navigation {

// Points from `from` to `to` along the WGS-84 geodesic, both ends included, at equal steps of at
// most `maxStepKilometres`. Longitudes are continuous rather than wrapped: the first is `from`'s,
// and each differs from the one before by the path's own change, so a path across the antimeridian
// runs on beyond ±180 (splitAtAntimeridian in geojson_writer.h cuts it for the map).
std::vector<ChartPoint> greatCirclePath(const ChartPoint& from, const ChartPoint& to,
                                        double maxStepKilometres);

// The great circles from waypoint to waypoint as one line for a map, in steps of at most 10 km:
// each leg's longitudes shifted by whole turns so that it starts where the one before ended.
std::vector<ChartPoint> greatCircleRoute(std::span<const RoutePoint> points);

}  // namespace orvanto::navigation
