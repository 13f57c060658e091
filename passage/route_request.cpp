#include "passage/route_request.h"

#include "batch/memory_streams.h"
#include "passage/geojson_writer.h"
#include "passage/gpx_waypoints.h"
#include "passage/gpx_writer.h"
#include "passage/nmea_waypoints.h"
#include "passage/nmea_writer.h"
#include "passage/rtz_waypoints.h"
#include "passage/rtz_writer.h"

namespace orvanto::passage {
namespace {

PassageProblem waypointProblem(std::string text) {
    return {PassageProblem::Kind::Waypoints, std::move(text)};
}

// The waypoints of the source, each with the line it stands on there.
Expected<WaypointFile, PassageProblem> readSource(const PassageRequest& request,
                                                  std::optional<std::string>& note) {
    const WaypointSource& source = request.waypoints;
    if (source.kind == WaypointSource::Kind::Gpx) {
        auto gpx = waypointsFromGpx(source.bytes);
        if (!gpx) {
            return unexpected(waypointProblem(source.name + "：" + gpx.error()));
        }
        note = gpx.value().note;
        return WaypointFile{std::move(gpx.value().waypoints), false};
    }
    if (source.kind == WaypointSource::Kind::Nmea) {
        auto nmea = waypointsFromNmea(source.bytes);
        if (!nmea) {
            return unexpected(waypointProblem(source.name + "：" + nmea.error()));
        }
        note = nmea.value().note;
        return WaypointFile{std::move(nmea.value().waypoints), false};
    }
    if (source.kind == WaypointSource::Kind::Rtz) {
        auto rtz = waypointsFromRtz(source.bytes);
        if (!rtz) {
            return unexpected(waypointProblem(source.name + "：" + rtz.error()));
        }
        return WaypointFile{std::move(rtz.value()), false};
    }
    Expected<WaypointFile, std::string> read = unexpected(std::string{});
    if (source.reader != nullptr) {
        read = readWaypoints(*source.reader, *source.codec, request.defaultMode);
    } else {
        batch::MemorySource bytes{source.bytes};
        batch::CsvReader reader{bytes};
        batch::Utf8Codec utf8;
        read = readWaypoints(reader, utf8, request.defaultMode);
    }
    if (!read) {
        return unexpected(waypointProblem(read.error()));
    }
    return std::move(read.value());
}

// Whether a leg is to be sailed by the great circle: the last waypoint starts none.
bool hasGreatCircleLeg(const std::vector<Waypoint>& waypoints) {
    for (std::size_t i = 0; i + 1 < waypoints.size(); ++i) {
        if (waypoints[i].sailing == LegSailing::GreatCircle) {
            return true;
        }
    }
    return false;
}

GivenOptions givenBy(const PassageRequest& request, bool speedColumn) {
    GivenOptions given;
    given.variation = request.correction.variation.has_value();
    given.deviation = request.correction.deviation.has_value();
    given.card = request.correction.card.has_value();
    given.speed = request.speed.has_value();
    given.speedColumn = speedColumn;
    given.departure = request.departure.has_value();
    given.current = request.current.has_value();
    given.step = request.every.has_value();
    given.limitLatitude = request.limitLatitude.has_value();
    return given;
}

}  // namespace

Expected<PassagePlan, PassageProblem> planPassage(const PassageRequest& request) {
    PassagePlan plan;
    auto file = readSource(request, plan.note);
    if (!file) {
        return unexpected(file.error());
    }
    if (auto counted = enoughWaypoints(file.value(), request.waypoints.name); !counted) {
        return unexpected(waypointProblem(counted.error()));
    }
    plan.waypoints = std::move(file.value().waypoints);
    plan.speedColumn = file.value().speedColumn;
    GivenOptions given = givenBy(request, plan.speedColumn);
    given.greatCircleLegs = hasGreatCircleLeg(plan.waypoints);
    if (const auto rule = brokenRouteRule(given)) {
        return unexpected(PassageProblem{PassageProblem::Kind::Rule, {}, *rule});
    }
    plan.timing = {request.speed, request.speed || plan.speedColumn, request.current,
                   request.departure};
    if (auto& departure = plan.timing.departure; departure && !departure->offsetMinutes) {
        const auto local = request.localOffset(departure->clock);
        if (!local) {
            return unexpected(PassageProblem{PassageProblem::Kind::LocalTime, local.error()});
        }
        departure->offsetMinutes = local.value();
    }
    plan.correction = request.correction;
    plan.sailing = {request.method, request.every, request.limitLatitude};
    plan.route = sailRoute(plan.waypoints, plan.sailing);
    plan.totals = timeRoute(plan.route.rows, plan.timing);
    if (request.files && !plan.route.points.empty()) {
        plan.gpx = gpxRoute(request.routeName, plan.route.points);
        plan.geojson = geojsonRoute(request.routeName, plan.route.points,
                                    sailedLine(plan.route, plan.sailing));
    }
    if (request.rtz && !plan.route.points.empty()) {
        plan.rtz = rtzRoute(request.rtzName, plan, *request.rtz);
    }
    if (request.nmeaNameLength && !plan.route.points.empty()) {
        auto nmea = nmeaRoute(request.nmeaName, plan.route.points, *request.nmeaNameLength);
        if (nmea) {
            plan.nmea = std::move(nmea.value());
        } else {
            plan.nmeaProblem = nmea.error();
        }
    }
    return plan;
}

}  // namespace orvanto::passage
