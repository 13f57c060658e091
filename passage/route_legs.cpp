#include "passage/route_legs.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <variant>

#include "calculator/decoded_points.h"
#include "text/code_points.h"

namespace orvanto::passage {
namespace {

// The calculator's message about a leg told of its waypoints, whichever end of which leg they
// stand at: point 1 is the waypoint the leg starts from, point 2 the one it goes to, and a box's
// label becomes the waypoint's latitude or longitude. One pass, so that a waypoint named like a
// box stays as it is named.
std::string aboutWaypoints(std::string_view text, const Waypoint& from, const Waypoint& to) {
    const std::string start = waypointName(from);
    const std::string end = waypointName(to);
    const std::pair<std::string_view, std::string> words[] = {
        {"点Ⅰ纬度", start + "的纬度"},
        {"点Ⅰ经度", start + "的经度"},
        {"点Ⅱ纬度", end + "的纬度"},
        {"点Ⅱ经度", end + "的经度"},
        {"点Ⅰ", start},
        {"点Ⅱ", end},
        // The window chooses a point's mode with its buttons; a waypoint with its mode column.
        {"选择“秒”", "选择“秒”（mode 列写 s）"},
        {"选择“分”", "选择“分”（mode 列写 m）"},
    };
    std::string told;
    for (std::size_t at = 0; at < text.size();) {
        const auto* word = std::find_if(std::begin(words), std::end(words), [&](const auto& each) {
            return text.substr(at).starts_with(each.first);
        });
        if (word != std::end(words)) {
            told += word->second;
            at += word->first.size();
        } else {
            told += text[at++];
        }
    }
    return told;
}

// "航点“B”（第 3 行）缺少纬度": a waypoint's empty latitude or longitude said of it, where the
// calculator would only ask for the whole of its boxes; nothing when both are there.
std::optional<std::string> missingEntries(const Waypoint& waypoint) {
    const bool latitude = isBlankText(waypoint.entries.latitude);
    const bool longitude = isBlankText(waypoint.entries.longitude);
    if (!latitude && !longitude) {
        return std::nullopt;
    }
    return waypointName(waypoint) + "缺少" +
           (latitude && longitude ? "纬度和经度"
            : latitude            ? "纬度"
                                  : "经度");
}

RouteLeg planLeg(const Waypoint& from, const Waypoint& to, navigation::SailingMethod method) {
    RouteLeg leg;
    leg.from = from.name;
    leg.to = to.name;
    if (from.recordError || to.recordError) {
        const Waypoint& faulty = from.recordError ? from : to;
        leg.error = waypointName(faulty) + "：" + *faulty.recordError;
        return leg;
    }
    std::string missing;
    for (const auto& told : {missingEntries(from), missingEntries(to)}) {
        missing += told ? (missing.empty() ? "" : "；") + *told : "";
    }
    if (!missing.empty()) {
        leg.error = missing;
        return leg;
    }
    const CalculatorInput input{from.entries, to.entries, {}};
    const auto decoded = decodePoints(input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        leg.error = aboutWaypoints(message->text, from, to);
        return leg;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    leg.start = points.point1;
    leg.end = points.point2;
    leg.courses = navigation::measureCourses(points.point1, points.point2, method);
    if (from.speedError) {
        leg.error =
            (leg.error ? *leg.error + "；" : "") + waypointName(from) + "的" + *from.speedError;
    }
    return leg;
}

}  // namespace

std::string waypointName(const Waypoint& waypoint) {
    return "航点“" + waypoint.name + "”（第 " + std::to_string(waypoint.line) + " 行）";
}

RoutePlan planRoute(std::span<const Waypoint> waypoints, navigation::SailingMethod method) {
    RoutePlan plan;
    for (std::size_t i = 1; i < waypoints.size(); ++i) {
        plan.legs.push_back(planLeg(waypoints[i - 1], waypoints[i], method));
    }
    for (const Waypoint& waypoint : waypoints) {
        const CalculatorInput input{waypoint.entries, {}, {}};
        const auto decoded = decodePoints(input, 1);
        const auto* points = std::get_if<DecodedPoints>(&decoded);
        if (points == nullptr || waypoint.recordError) {
            plan.points.clear();
            break;
        }
        plan.points.push_back({waypoint.name, points->point1});
    }
    return plan;
}

}  // namespace orvanto::passage
