// RTZ files read into waypoints and legs, refused where they are unsafe or malformed, and written
// with the structure the RTZ 1.0 and 1.1 schemas require.
#include <gtest/gtest.h>

#include <string>

#include "passage/gpx_waypoints.h"
#include "passage/passage_values.h"
#include "passage/route_request.h"
#include "passage/rtz_waypoints.h"
#include "passage/rtz_writer.h"

namespace orvanto::passage {
namespace {

// Each waypoint as "name lat lon leg", or the start of the error.
std::string readRtz(const std::string& rtz) {
    const auto read = waypointsFromRtz(rtz);
    if (!read) {
        return read.error();
    }
    std::string text;
    for (const Waypoint& waypoint : read.value()) {
        text += waypoint.name + " " + waypoint.entries.latitude + " " + waypoint.entries.longitude +
                " " + (waypoint.sailing ? std::string{legSailingCode(*waypoint.sailing)} : "-") +
                ";";
    }
    return text;
}

std::string route(const char* version, const std::string& waypoints) {
    return std::string{"<?xml version='1.0' encoding='UTF-8'?>\n<route version='"} + version +
           "' xmlns='http://www.cirm.org/RTZ/1/" + version[2] + "'>\n<routeInfo routeName='r'/>\n" +
           waypoints + "</route>\n";
}

TEST(RtzWaypoints, VersionsDefaultLegsAndExtensionsReadAsWaypointsAndLegs) {
    const std::string waypoints =
        "<waypoints><defaultWaypoint><leg geometryType='Orthodrome'/></defaultWaypoint>\n"
        "<waypoint id='1' name=' A &amp; B '><position lat='31.5000000' lon='-122.25'/>"
        "<leg geometryType='Loxodrome'/></waypoint>\n"
        "<waypoint id='7' name=''><position lat='30' lon='130'/><extensions><extension>"
        "<leg geometryType='Loxodrome'/></extension></extensions></waypoint>\n"
        "<waypoint id='8' name='C'><position lat='-1.5' lon='179.9'/>"
        "<leg geometryType='Loxodrome'/></waypoint>\n"
        "<x:waypoint xmlns:x='urn:other' id='9'/></waypoints>"
        "<schedules><schedule id='1'/></schedules>\n";
    for (const char* version : {"1.0", "1.1", "1.2"}) {
        EXPECT_EQ(readRtz(route(version, waypoints)),
                  "A & B 31.5° -122.25° GC;7 30° 130° RL;C -1.5° 179.9° -;")
            << version;
    }
}

TEST(RtzWaypoints, UnsafeOrMalformedFilesAreRefusedNamingTheLine) {
    const struct {
        std::string rtz;
        const char* error;
    } rows[] = {
        // An entity that would expand a billion times is never expanded: the DTD is refused.
        {"<?xml version='1.0'?>\n<!DOCTYPE route [<!ENTITY a 'aaaaaaaa'><!ENTITY b '&a;&a;'>]>\n"
         "<route xmlns='http://www.cirm.org/RTZ/1/0'>&b;</route>",
         "RTZ 文件第 2 行有文档类型定义"},
        {"<!DOCTYPE route SYSTEM 'file:///etc/passwd'><route/>", "RTZ 文件第 1 行有文档类型定义"},
        {route("1.0", "<waypoints>\n<waypoint id='1'><position lat='1' lon='2'>\n</waypoints>"),
         "RTZ 文件第 6 行不是格式正确的 XML"},
        {route("1.0", "<waypoints><waypoint id='1'>&nbsp;</waypoint></waypoints>"),
         "RTZ 文件第 4 行不是格式正确的 XML"},
        {route("1.0",
               "<waypoints>\n<waypoint id='1'><position lat='91' lon='2'/></waypoint>"
               "</waypoints>"),
         "RTZ 文件第 5 行的 <position> 的 lat 属性“91”"},
        {route("1.0",
               "<waypoints><waypoint id='1'><leg geometryType='Rhumb'/></waypoint>"
               "</waypoints>"),
         "RTZ 文件第 4 行的 <leg> 的 geometryType 属性“Rhumb”"},
        {"<gpx xmlns='http://www.topografix.com/GPX/1/1'/>", "RTZ 文件第 1 行的根元素不是"},
        {route("1.0", "<waypoints/>"), "RTZ 文件中没有航点"},
        {std::string(kLargestRtzFile + 1, ' '), "RTZ 文件超过 64 MiB"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readRtz(row.rtz).substr(0, std::string{row.error}.size()), row.error)
            << row.rtz.substr(0, 200);
    }
}

// --every and --limit-latitude as typed, or not given.
struct Cutting {
    const char* every = nullptr;
    const char* limit = nullptr;
};

PassagePlan pacificPlan(Cutting cutting) {
    const char* every = cutting.every;
    const char* limit = cutting.limit;
    PassageRequest request;
    const std::string csv =
        "name,lat,lon,leg\nA<&\",3100.0,12230.0,\nB,3050.0,13100.0,GC\nC,3748.0,12230.0W,\n";
    request.waypoints.bytes = csv;
    request.every = every ? readStep(every) : std::nullopt;
    request.limitLatitude = limit ? readLimitLatitude(limit) : std::nullopt;
    request.speed = 14;
    request.departure = readDeparture("2026-12-08T08:00+08:00");
    request.rtz = RtzVersion::Rtz10;
    return planPassage(request).value();
}

TEST(RtzWriter, TheSchemasStructureAndTheRouteReadBackAsSailed) {
    for (const auto& [every, limit] : {std::pair<const char*, const char*>{nullptr, nullptr},
                                       {"30°", nullptr},
                                       {nullptr, "45"},
                                       {"10°", "45"}}) {
        const PassagePlan plan = pacificPlan({every, limit});
        for (const RtzVersion version : {RtzVersion::Rtz10, RtzVersion::Rtz11}) {
            const bool first = version == RtzVersion::Rtz10;
            const std::string rtz = rtzRoute("航线 1", plan, version);
            EXPECT_TRUE(rtz.starts_with(
                std::string{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<route "
                            "xmlns=\"http://www.cirm.org/RTZ/1/"} +
                (first ? "0\" version=\"1.0\">\n" : "1\" version=\"1.1\">\n") +
                "  <routeInfo routeName=\"航线 1\"/>\n  <waypoints>\n    <waypoint id=\"1\" "
                "name=\"A&lt;&amp;&quot;\">\n"));
            const std::string element = first ? "<sheduleElement " : "<scheduleElement ";
            EXPECT_NE(
                rtz.find("<schedules>\n    <schedule id=\"1\">\n      <calculated>\n        " +
                         element + "waypointId=\"1\" etd=\"2026-12-08T00:00:00Z\"/>"),
                std::string::npos);
            const auto read = waypointsFromRtz(rtz);
            ASSERT_TRUE(read);
            const auto& rows = plan.route.rows;
            ASSERT_EQ(read.value().size(), rows.size() + 1);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(read.value()[i + 1].name, plan.route.points[i + 1].name);
                EXPECT_EQ(read.value()[i].sailing == LegSailing::GreatCircle,
                          rows[i].kind == RowKind::GreatCircle);
                EXPECT_NE(rtz.find(element + "waypointId=\"" + std::to_string(i + 2) + "\" eta="),
                          std::string::npos);
            }
            // Read back and routed with no options, the same rows and distances.
            PassageRequest again;
            const std::string lines = waypointLines(read.value());
            again.waypoints.bytes = lines;
            const PassagePlan back = planPassage(again).value();
            ASSERT_EQ(back.route.rows.size(), rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_NEAR(*back.route.rows[i].sailedMiles, *rows[i].sailedMiles, 0.002)
                    << i << (every ? every : "") << (limit ? limit : "");
            }
        }
    }
}

}  // namespace
}  // namespace orvanto::passage
