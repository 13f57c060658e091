// A route's legs, waypoint to waypoint in order: the courses and distances a navigator plans with,
// or why a leg cannot be computed.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "navigation/courses.h"
#include "passage/route_points.h"
#include "passage/route_waypoints.h"

namespace orvanto::passage {

struct RouteLeg {
    std::string from;
    std::string to;
    std::optional<ChartPoint> start;  // the waypoints decoded; empty when either cannot be read
    std::optional<ChartPoint> end;
    std::optional<navigation::Courses> courses;  // empty when either waypoint cannot be read
    // The message that stopped the leg, or says that its speed cannot be read; nothing when all is
    // computed. It names each waypoint it is about and its line
    // ("航点“B”（第 3 行）的纬度…"), never a box.
    std::optional<std::string> error;
};

struct RoutePlan {
    std::vector<RouteLeg> legs;
    // Every waypoint decoded, in order; empty when any one of them cannot be read, so that no file
    // for a plotter ever leaves a waypoint out.
    std::vector<RoutePoint> points;
};

// "航点“B”（第 3 行）": how every message of a route calls a waypoint.
std::string waypointName(const Waypoint& waypoint);

// The legs between consecutive waypoints, each read as the window reads its boxes (a waypoint's
// mode as its record gives it), measured on WGS-84 or by the textbook's methods. A leg that cannot
// be computed carries its error and the plan goes on; never throws.
RoutePlan planRoute(std::span<const Waypoint> waypoints,
                    navigation::SailingMethod method = navigation::SailingMethod::Wgs84);

}  // namespace orvanto::passage
