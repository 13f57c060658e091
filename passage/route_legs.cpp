#include "passage/route_legs.h"

#include <variant>

#include "calculator/decoded_points.h"
#include "text/code_points.h"

namespace orvanto::passage {
namespace {

using Kind = RowProblem::Kind;

// A waypoint as read: where it lies, or the first thing that keeps it from being read.
struct ReadWaypoint {
    std::optional<ChartPoint> position;
    std::optional<RowProblem> problem;
};

ReadWaypoint readWaypoint(const Waypoint& waypoint, std::size_t index) {
    const auto problem = [index](Kind kind, std::string detail) {
        return ReadWaypoint{std::nullopt, RowProblem::ofWaypoint(kind, index, std::move(detail))};
    };
    if (waypoint.recordError) {
        return problem(Kind::Record, *waypoint.recordError);
    }
    if (waypoint.unreadMode) {
        return problem(Kind::Mode, *waypoint.unreadMode);
    }
    // An empty latitude or longitude is said of the waypoint, where the calculator would only ask
    // for the whole of its boxes.
    const bool latitude = isBlankText(waypoint.entries.latitude);
    const bool longitude = isBlankText(waypoint.entries.longitude);
    if (latitude || longitude) {
        return problem(Kind::Missing, latitude && longitude ? "纬度和经度"
                                      : latitude            ? "纬度"
                                                            : "经度");
    }
    const auto decoded = decodePoints(CalculatorInput{waypoint.entries, {}, {}}, 1);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        return problem(Kind::Entry, message->text);
    }
    return {std::get<DecodedPoints>(decoded).point1, std::nullopt};
}

RouteLeg planLeg(const ReadWaypoint& from, const ReadWaypoint& to, const Waypoint& first,
                 std::size_t index, navigation::SailingMethod method) {
    RouteLeg leg;
    const bool recordFails = from.problem && from.problem->kind <= Kind::Mode;
    if (recordFails || (to.problem && to.problem->kind <= Kind::Mode)) {
        leg.problems.push_back(recordFails ? *from.problem : *to.problem);
        return leg;
    }
    // Both missing entries are told; of entries that do not read, the first.
    const bool fromMissing = from.problem && from.problem->kind == Kind::Missing;
    const bool toMissing = to.problem && to.problem->kind == Kind::Missing;
    if (fromMissing || toMissing) {
        for (const ReadWaypoint* end : {&from, &to}) {
            if (end->problem && end->problem->kind == Kind::Missing) {
                leg.problems.push_back(*end->problem);
            }
        }
        return leg;
    }
    if (from.problem || to.problem) {
        leg.problems.push_back(from.problem ? *from.problem : *to.problem);
        return leg;
    }
    if (first.sailingError) {
        // Sailed otherwise than its file asks, the leg would be a wrong answer: it fails.
        leg.problems.push_back(RowProblem::ofWaypoint(Kind::LegField, index, *first.sailingError));
        return leg;
    }
    leg.start = from.position;
    leg.end = to.position;
    leg.courses = navigation::measureCourses(*from.position, *to.position, method);
    if (first.speedError) {
        leg.problems.push_back(RowProblem::ofWaypoint(Kind::Speed, index, *first.speedError));
    }
    return leg;
}

}  // namespace

RoutePlan planRoute(std::span<const Waypoint> waypoints, navigation::SailingMethod method) {
    std::vector<ReadWaypoint> read;
    read.reserve(waypoints.size());
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
        read.push_back(readWaypoint(waypoints[i], i));
    }
    RoutePlan plan;
    for (std::size_t i = 1; i < waypoints.size(); ++i) {
        plan.legs.push_back(planLeg(read[i - 1], read[i], waypoints[i - 1], i - 1, method));
        for (RowProblem& problem : plan.legs.back().problems) {
            problem.leg = i;
        }
    }
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
        const bool sailingUnread = i + 1 < waypoints.size() && waypoints[i].sailingError;
        if (!read[i].position || sailingUnread) {
            plan.points.clear();
            break;
        }
        plan.points.push_back({waypoints[i].name, *read[i].position});
    }
    return plan;
}

}  // namespace orvanto::passage
