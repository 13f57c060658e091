#include "passage/sailed_route.h"

#include <cmath>
#include <utility>

#include "navigation/great_circles.h"
#include "navigation/rhumb_lines.h"
#include "passage/route_legs.h"

namespace orvanto::passage {
namespace {

// Straight segments of 10 km stay within a few metres of the line they draw.
constexpr double kLineStepKilometres = 10;
// A great circle shorter than this (nautical miles) is a point: a waypoint on the limit itself.
constexpr double kNoDistance = 1e-6;
// How far past the limit (degrees, about a centimetre) a point may lie by rounding alone.
constexpr double kRoundingDegrees = 1e-7;

RowProblem sailingProblem(navigation::SailingProblem kind) {
    RowProblem problem = RowProblem::ofLeg(RowProblem::Kind::Sailing, 0);
    problem.sailing = kind;
    return problem;
}

// One part of a leg as it is sailed. `to` names its end: empty for the leg's own last waypoint.
struct Part {
    RowKind kind;
    ChartPoint start;
    ChartPoint end;
    std::string to;
};

// A leg with a waypoint beyond the limit cannot keep within it, however it is sailed.
Expected<void, RowProblem> withinLimit(const RouteLeg& leg, std::size_t from, double limit) {
    for (const auto& [point, waypoint] :
         {std::pair{*leg.start, from}, std::pair{*leg.end, from + 1}}) {
        if (std::fabs(point.latitude) > limit) {
            RowProblem beyond = RowProblem::ofWaypoint(RowProblem::Kind::BeyondLimit, waypoint);
            beyond.limit = limit;
            return unexpected(beyond);
        }
    }
    return {};
}

// How a leg's great circle keeps within the limit: itself, or the composite's three parts. `from`
// is the index of the leg's first waypoint.
Expected<std::vector<Part>, RowProblem> limitedParts(const RouteLeg& leg, std::size_t from,
                                                     const SailingPlan& plan) {
    const ChartPoint& start = *leg.start;
    const ChartPoint& end = *leg.end;
    if (!plan.limitLatitude) {
        return std::vector<Part>{{RowKind::GreatCircle, start, end, ""}};
    }
    const double limit = *plan.limitLatitude;
    if (auto within = withinLimit(leg, from, limit); !within) {
        return unexpected(within.error());
    }
    const auto composite = navigation::compositeLeg(start, end, limit, plan.method);
    if (!composite) {
        return unexpected(sailingProblem(composite.error()));
    }
    if (!composite.value()) {
        return std::vector<Part>{{RowKind::GreatCircle, start, end, ""}};
    }
    const navigation::LimitedLeg& limited = *composite.value();
    std::vector<Part> parts;
    // A waypoint on the limit itself starts or ends the parallel: no great circle to it or from it.
    if (navigation::greatCircleBetween(start, limited.meetsLimit, plan.method).nauticalMiles >
        kNoDistance) {
        parts.push_back({RowKind::GreatCircle, start, limited.meetsLimit, "限制纬度起"});
    }
    parts.push_back({RowKind::Rhumb, parts.empty() ? start : limited.meetsLimit,
                     limited.leavesLimit, "限制纬度止"});
    if (navigation::greatCircleBetween(limited.leavesLimit, end, plan.method).nauticalMiles >
        kNoDistance) {
        parts.push_back({RowKind::GreatCircle, limited.leavesLimit, end, ""});
    } else {
        parts.back().end = end;
        parts.back().to.clear();
    }
    return parts;
}

// The great circles cut at their 分点 into rhumb lines, the points numbered on from `count`.
Expected<std::vector<Part>, RowProblem> cutAtWaypoints(const std::vector<Part>& parts,
                                                       const SailingPlan& plan,
                                                       std::size_t& count) {
    std::vector<Part> cut;
    for (const Part& part : parts) {
        if (part.kind != RowKind::GreatCircle) {
            cut.push_back(part);
            continue;
        }
        auto points =
            navigation::greatCircleWaypoints(part.start, part.end, *plan.every, plan.method);
        if (!points) {
            return unexpected(sailingProblem(points.error()));
        }
        ChartPoint start = part.start;
        for (const ChartPoint& point : points.value()) {
            cut.push_back({RowKind::Rhumb, start, point, "分点" + std::to_string(++count)});
            start = point;
        }
        cut.push_back({RowKind::Rhumb, start, part.end, part.to});
    }
    return cut;
}

// The parts of a leg as its waypoint file and the plan have it sailed; none for a whole leg. A
// rhumb line stays one (its latitude runs one way, so it keeps within a limit its ends keep
// within); a great circle is one row unless the plan cuts it; the plan cuts the others.
Expected<std::vector<Part>, RowProblem> legParts(const RouteLeg& leg, std::size_t from,
                                                 std::optional<LegSailing> sailing,
                                                 const SailingPlan& plan, std::size_t& count) {
    if (sailing == LegSailing::RhumbLine) {
        if (plan.limitLatitude) {
            if (auto within = withinLimit(leg, from, *plan.limitLatitude); !within) {
                return unexpected(within.error());
            }
        }
        return std::vector<Part>{{RowKind::Rhumb, *leg.start, *leg.end, ""}};
    }
    if (!plan.cutsLegs()) {
        return sailing ? std::vector<Part>{{RowKind::GreatCircle, *leg.start, *leg.end, ""}}
                       : std::vector<Part>{};
    }
    auto limited = limitedParts(leg, from, plan);
    if (limited && plan.every) {
        limited = cutAtWaypoints(limited.value(), plan, count);
    }
    return limited;
}

RouteRow wholeLeg(const RouteLeg& leg, std::size_t number, std::span<const Waypoint> waypoints) {
    RouteRow row;
    row.leg = number;
    row.from = waypoints[number - 1].name;
    row.to = waypoints[number].name;
    row.start = leg.start;
    row.end = leg.end;
    row.courses = leg.courses;
    row.problems = leg.problems;
    return row;
}

}  // namespace

SailedRoute sailRoute(std::span<const Waypoint> waypoints, const SailingPlan& plan) {
    const RoutePlan planned = planRoute(waypoints, plan.method);
    // Each leg's parts first, so that the rows are made in memory of their final size: a long
    // route's rows are megabytes, and growing them would copy and touch them twice over.
    std::vector<Expected<std::vector<Part>, RowProblem>> legs;
    legs.reserve(planned.legs.size());
    std::size_t rows = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < planned.legs.size(); ++i) {
        const RouteLeg& leg = planned.legs[i];
        legs.push_back(leg.courses ? legParts(leg, i, waypoints[i].sailing, plan, count)
                                   : std::vector<Part>{});
        rows += legs.back() && !legs.back().value().empty() ? legs.back().value().size() : 1;
    }
    SailedRoute route;
    route.rows.reserve(rows);
    bool sailed = !planned.points.empty();
    for (std::size_t i = 0; i < planned.legs.size(); ++i) {
        const RouteLeg& leg = planned.legs[i];
        RouteRow whole = wholeLeg(leg, i + 1, waypoints);
        whole.speed = waypoints[i].speed;
        whole.speedUnreadable = waypoints[i].speedError.has_value();
        std::vector<Part> parts;
        if (auto& limited = legs[i]; !limited) {
            whole.problems.push_back(limited.error());
            whole.problems.back().leg = i + 1;
            whole.courses.reset();
            sailed = false;
        } else {
            parts = std::move(limited.value());
        }
        if (parts.empty()) {
            route.rows.push_back(std::move(whole));
            continue;
        }
        std::string from = whole.from;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            const Part& part = parts[k];
            RouteRow row = k + 1 == parts.size() ? whole : RouteRow{};
            row.kind = part.kind;
            row.leg = i + 1;
            row.from = std::exchange(from, part.to.empty() ? whole.to : part.to);
            row.to = from;
            row.start = part.start;
            row.end = part.end;
            row.courses = part.kind == RowKind::Rhumb
                              ? navigation::measureRhumbCourses(part.start, part.end, plan.method)
                              : navigation::measureCourses(part.start, part.end, plan.method);
            row.lastOfLeg = k + 1 == parts.size();
            row.speed = whole.speed;
            row.speedUnreadable = whole.speedUnreadable;
            route.rows.push_back(std::move(row));
        }
    }
    if (!sailed) {
        return route;
    }
    // Every waypoint, with the points computed on the legs after it.
    route.points.reserve(route.rows.size() + 1);
    route.points.push_back(planned.points.front());
    std::size_t leg = 1;
    for (const RouteRow& row : route.rows) {
        route.points.push_back(row.lastOfLeg ? planned.points[leg++]
                                             : RoutePoint{row.to, *row.end});
    }
    return route;
}

std::vector<ChartPoint> sailedLine(const SailedRoute& route, const SailingPlan& plan) {
    std::vector<ChartPoint> line;
    if (route.points.empty()) {
        return line;
    }
    for (const RouteRow& row : route.rows) {
        // A whole leg is sailed, and its distance added, along its rhumb line.
        auto part = row.kind == RowKind::GreatCircle
                        ? navigation::greatCirclePath(*row.start, *row.end, kLineStepKilometres,
                                                      plan.method)
                        : navigation::rhumbPath(*row.start, *row.end, kLineStepKilometres);
        const double shift = line.empty() ? 0.0 : line.back().longitude - part.front().longitude;
        for (std::size_t j = line.empty() ? 0 : 1; j < part.size(); ++j) {
            line.push_back({part[j].latitude, part[j].longitude + shift});
        }
    }
    if (plan.limitLatitude) {
        // The great circles touch the limit at their vertices: their last bits stay on this side.
        // Only rounding is mended, so that a line that truly crossed the limit would still show it.
        const double limit = *plan.limitLatitude;
        for (ChartPoint& point : line) {
            const double beyond = std::fabs(point.latitude) - limit;
            if (beyond > 0 && beyond < kRoundingDegrees) {
                point.latitude = std::copysign(limit, point.latitude);
            }
        }
    }
    return line;
}

}  // namespace orvanto::passage
