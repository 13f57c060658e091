// A route's waypoints read as the window reads its boxes (each in the mode its record gives it),
// and the legs between them: their ends, their courses and distances, or why a leg cannot be
// computed.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "navigation/courses.h"
#include "passage/route_points.h"
#include "passage/route_waypoints.h"
#include "passage/row_problems.h"

namespace orvanto::passage {

struct RouteLeg {
    // The waypoints decoded; empty when either cannot be read.
    std::optional<ChartPoint> start;
    std::optional<ChartPoint> end;
    std::optional<navigation::Courses> courses;  // empty when either waypoint cannot be read
    // What stopped the leg, or that its speed cannot be read; empty when all is computed.
    std::vector<RowProblem> problems;
};

struct RoutePlan {
    std::vector<RouteLeg> legs;
    // Every waypoint decoded, in order; empty when any one of them cannot be read (its position,
    // or how its leg is sailed), so that no file for a plotter ever leaves a waypoint out.
    std::vector<RoutePoint> points;
};

// The legs between consecutive waypoints, measured on WGS-84 or by the textbook's methods, each
// waypoint decoded once. A leg that cannot be computed carries its problems and the plan goes on;
// never throws.
RoutePlan planRoute(std::span<const Waypoint> waypoints,
                    navigation::SailingMethod method = navigation::SailingMethod::Wgs84);

}  // namespace orvanto::passage
