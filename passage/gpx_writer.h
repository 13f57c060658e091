// A route for a chart plotter as a GPX 1.1 document: one <rte> with its waypoints in order, each a
// <rtept> in decimal degrees on WGS-84 with its name. The text only; the route command writes it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "passage/route_points.h"

namespace orvanto::passage {

// The whole document, UTF-8, for a route named `routeName`; names and the route's name escaped for
// XML. Never fails.
std::string gpxRoute(std::string_view routeName, std::span<const RoutePoint> points);

// A text as XML character data or attribute value: markup characters as entities, the control
// characters XML 1.0 cannot hold at all as spaces, and bytes that are no UTF-8 as U+FFFD.
std::string xmlEscaped(std::string_view text);

}  // namespace orvanto::passage
