#include "passage/rtz_writer.h"

#include "passage/gpx_writer.h"

namespace orvanto::passage {
namespace {

constexpr double kAntimeridian = 180;
constexpr double kMinutesInHour = 60;

// Each point's time in UTC, as xs:dateTime ("2026-12-08T00:00:00Z"): the departure at the first,
// each row's arrival at its end. Empty when the passage has no departure, a row has no time, or an
// arrival would fall after 9999-12-31.
std::vector<std::string> scheduleTimes(const PassagePlan& plan) {
    const auto& departure = plan.timing.departure;
    if (!departure || !plan.totals.elapsedHours) {
        return {};
    }
    const double offsetHours = departure->offsetMinutes.value_or(0) / kMinutesInHour;
    std::vector<std::string> times;
    const auto add = [&](double hours) {
        // The arrival at +00:00 is the time in UTC; xs:dateTime writes its seconds.
        auto text = arrivalText(departure->clock, 0, hours - offsetHours);
        if (text) {
            text->replace(text->size() - 6, 6, ":00Z");
            times.push_back(std::move(*text));
        }
        return text.has_value();
    };
    if (!add(0)) {
        return {};
    }
    for (const RouteRow& row : plan.route.rows) {
        if (!row.elapsedHours || !add(*row.elapsedHours)) {
            return {};
        }
    }
    return times;
}

}  // namespace

std::string rtzRoute(std::string_view routeName, const PassagePlan& plan, RtzVersion version) {
    const bool first = version == RtzVersion::Rtz10;
    std::string rtz = std::string{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"} +
                      "<route xmlns=\"http://www.cirm.org/RTZ/1/" + (first ? "0" : "1") +
                      "\" version=\"" + (first ? "1.0" : "1.1") + "\">\n" +
                      "  <routeInfo routeName=\"" + xmlEscaped(routeName) + "\"/>\n" +
                      "  <waypoints>\n";
    const auto& points = plan.route.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        // RTZ longitudes run from -180 up to but not including 180: the same meridian.
        const double longitude = points[i].position.longitude == kAntimeridian
                                     ? -kAntimeridian
                                     : points[i].position.longitude;
        rtz += "    <waypoint id=\"" + std::to_string(i + 1) + "\" name=\"" +
               xmlEscaped(points[i].name) + "\">\n      <position lat=\"" +
               decimalDegrees(points[i].position.latitude) + "\" lon=\"" +
               decimalDegrees(longitude) + "\"/>\n";
        // A leg belongs to the waypoint where it ends; the rows run one a point after the first.
        if (i > 0) {
            const bool greatCircle = plan.route.rows[i - 1].kind == RowKind::GreatCircle;
            rtz += std::string{"      <leg geometryType=\""} +
                   (greatCircle ? "Orthodrome" : "Loxodrome") + "\"/>\n";
        }
        rtz += "    </waypoint>\n";
    }
    rtz += "  </waypoints>\n";
    const std::vector<std::string> times = scheduleTimes(plan);
    if (!times.empty()) {
        const std::string element = first ? "sheduleElement" : "scheduleElement";
        rtz += "  <schedules>\n    <schedule id=\"1\">\n      <calculated>\n";
        for (std::size_t i = 0; i < times.size(); ++i) {
            rtz += "        <" + element + " waypointId=\"" + std::to_string(i + 1) + "\" " +
                   (i == 0 ? "etd" : "eta") + "=\"" + times[i] + "\"/>\n";
        }
        rtz += "      </calculated>\n    </schedule>\n  </schedules>\n";
    }
    rtz += "</route>\n";
    return rtz;
}

}  // namespace orvanto::passage
