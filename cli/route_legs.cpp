#include "cli/route_legs.h"

#include <variant>

#include "calculator/decoded_points.h"

namespace orvanto::cli {
namespace {

std::string waypointLabel(const Waypoint& waypoint) {
    return "航点“" + waypoint.name + "”（第 " + std::to_string(waypoint.line) + " 行）：";
}

bool namesPointTwo(const Message& message) {
    return message.box == EntryBox::Point2Latitude || message.box == EntryBox::Point2Longitude;
}

RouteLeg planLeg(const Waypoint& from, const Waypoint& to) {
    RouteLeg leg{from.name, to.name, std::nullopt, {}, {}, {}};
    if (!from.recordError.empty() || !to.recordError.empty()) {
        const Waypoint& faulty = from.recordError.empty() ? to : from;
        leg.error = waypointLabel(faulty) + faulty.recordError;
        return leg;
    }
    const CalculatorInput input{from.entries, to.entries, {}};
    const auto decoded = decodePoints(input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        leg.error = waypointLabel(namesPointTwo(*message) ? to : from) + message->text;
        return leg;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    leg.courses = measureCourses(points.point1, points.point2);
    const auto measured = measurePoint1ToPoint2(points);
    const DistanceOutcome distance =
        std::holds_alternative<Message>(measured)
            ? DistanceOutcome{std::get<Message>(measured)}
            : distanceTexts(std::get<DistanceMeasurement>(measured), NumberStyle::Plain);
    if (const auto* texts = std::get_if<DistanceTexts>(&distance)) {
        leg.kilometres = texts->kilometres;
        leg.nauticalMiles = texts->nauticalMiles;
    } else {
        leg.error = std::get<Message>(distance).text;
    }
    return leg;
}

}  // namespace

RoutePlan planRoute(std::span<const Waypoint> waypoints) {
    RoutePlan plan;
    for (std::size_t i = 1; i < waypoints.size(); ++i) {
        plan.legs.push_back(planLeg(waypoints[i - 1], waypoints[i]));
    }
    for (const Waypoint& waypoint : waypoints) {
        const CalculatorInput input{waypoint.entries, {}, {}};
        const auto decoded = decodePoints(input, 1);
        const auto* points = std::get_if<DecodedPoints>(&decoded);
        if (points == nullptr || !waypoint.recordError.empty()) {
            plan.points.clear();
            break;
        }
        plan.points.push_back({waypoint.name, points->point1});
    }
    return plan;
}

}  // namespace orvanto::cli
