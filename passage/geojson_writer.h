// A route as RFC 7946 GeoJSON for a map: a FeatureCollection of the waypoints as Points and the
// route as one line as it is sailed (sailed_route.h). The text only; the route command writes it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "passage/route_points.h"

namespace orvanto::passage {

// Cuts a line whose longitudes are continuous (they may run beyond ±180) into parts that each stay
// within -180..180, as RFC 7946 asks of a line crossing the antimeridian: at each crossing one part
// ends on 180 (or -180) and the next begins on the other side, at the latitude interpolated
// between the two points around it. Parts of fewer than two points are dropped.
std::vector<std::vector<ChartPoint>> splitAtAntimeridian(std::span<const ChartPoint> line);

// `routeLine` is the whole route with continuous longitudes: a LineString, or a MultiLineString
// when it crosses the antimeridian. A route of fewer than two points has no line feature.
std::string geojsonRoute(std::string_view routeName, std::span<const RoutePoint> points,
                         std::span<const ChartPoint> routeLine);

}  // namespace orvanto::passage
