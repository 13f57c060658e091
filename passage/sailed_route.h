// A route as it is sailed. Each leg is one row with both measures, the great circle's and the rhumb
// line's, unless the plan says how its great circle is sailed:
//   - with a step (--every), at waypoints (分点, named 分点1, 分点2, … through the whole route) on
//     the great circle, joined by rhumb lines: a rhumb row each;
//   - with a limiting latitude, a leg whose great circle would go beyond it by composite sailing
//     (混合航线): the great circle to the parallel (its vertex on it, 限制纬度起), the parallel as
//     a rhumb line to 限制纬度止, the great circle from there; a great-circle row each, or the two
//     great circles cut at their 分点 with a step too. A leg that stays within is one great-circle
//     row (or cut at its 分点), a leg with a waypoint beyond the latitude fails.
// A leg its waypoint file says to sail by the rhumb line is one rhumb row whatever the plan; one it
// says to sail by the great circle is one great-circle row unless the plan cuts it as above.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "navigation/courses.h"
#include "navigation/sailing_method.h"
#include "passage/passage_values.h"
#include "passage/route_points.h"
#include "passage/route_waypoints.h"
#include "passage/row_problems.h"

namespace orvanto::passage {

struct SailingPlan {
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;
    std::optional<navigation::WaypointStep> every;
    std::optional<double> limitLatitude;  // degrees north and south, 0 < limit < 90

    bool cutsLegs() const { return every || limitLatitude; }
};

enum class RowKind {
    Leg,          // a whole leg, both measures
    Rhumb,        // sailed along a rhumb line: the rhumb measures only
    GreatCircle,  // sailed along a great circle: the great circle's measures only
};

struct RouteRow {
    RowKind kind = RowKind::Leg;
    std::size_t leg = 0;  // the leg it belongs to, counted from 1
    std::string from;
    std::string to;
    // Where the row starts and ends; empty when the leg's waypoints cannot be read.
    std::optional<ChartPoint> start;
    std::optional<ChartPoint> end;
    // Its measures (those of its kind count); empty when the leg cannot be computed.
    std::optional<navigation::Courses> courses;
    bool lastOfLeg = true;
    // Why the leg fails, on its last row; and why this row's time or course to steer does not
    // come out (route_times.h).
    std::vector<RowProblem> problems;
    std::optional<double> speed;   // knots, from the leg's first waypoint's speed field
    bool speedUnreadable = false;  // that field holds no speed: the leg has no time
    // With a current: the heading through the water that makes good the row's rhumb course, and
    // the speed over ground (knots) it makes. From route_times.h.
    std::optional<double> courseToSteer;
    std::optional<double> speedOverGround;
    // Hours from the speed (or speed over ground), and since the departure while every row before
    // has its time; nautical miles sailed since the start. From route_times.h.
    std::optional<double> hours;
    std::optional<double> elapsedHours;
    std::optional<double> sailedMiles;
};

struct SailedRoute {
    std::vector<RouteRow> rows;
    // The waypoints and the points computed between them in the order sailed, for a plotter's and
    // a map's files; empty when a waypoint cannot be read or a leg cannot be sailed, so that no
    // file leaves part of the route out.
    std::vector<RoutePoint> points;
};

// Never throws; a leg that cannot be computed or sailed carries its error and the route goes on.
SailedRoute sailRoute(std::span<const Waypoint> waypoints, const SailingPlan& plan);

// The route as it is sailed for a map, each row along its own line (a whole leg and a rhumb row
// along the rhumb line, so that a parallel keeps to its latitude; a great-circle row along the
// great circle), a point at least every 10 km, longitudes
// continuous; with a limiting latitude no point beyond it. Empty without points.
std::vector<ChartPoint> sailedLine(const SailedRoute& route, const SailingPlan& plan);

}  // namespace orvanto::passage
