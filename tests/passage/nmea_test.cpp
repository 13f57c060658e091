// NMEA 0183 routes for a GPS: written sentence by sentence within the limits a GPS reads, and read
// back, from our own files and from other talkers', refusing what would be read wrong.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "passage/gpx_waypoints.h"
#include "passage/nmea_waypoints.h"
#include "passage/nmea_writer.h"
#include "passage/passage_values.h"
#include "passage/route_request.h"

namespace orvanto::passage {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end + 1 - at));
        at = end + 1;
    }
    return lines;
}

// The fields of a sentence between its "$" and its checksum.
std::vector<std::string> fieldsOf(const std::string& sentence) {
    std::vector<std::string> fields;
    const std::string body = sentence.substr(1, sentence.find('*') - 1);
    for (std::size_t at = 0;;) {
        const std::size_t comma = body.find(',', at);
        fields.push_back(body.substr(at, comma - at));
        if (comma == std::string::npos) {
            return fields;
        }
        at = comma + 1;
    }
}

std::vector<RoutePoint> pointsNamed(std::initializer_list<const char*> names) {
    std::vector<RoutePoint> points;
    for (const char* name : names) {
        points.push_back({name, {31.5, -122.25}});
    }
    return points;
}

// --every and --limit-latitude as typed, or not given.
struct Cutting {
    const char* every = nullptr;
    const char* limit = nullptr;
};

PassagePlan pacificPlan(Cutting cutting, std::size_t nameLength) {
    const auto [every, limit] = cutting;
    PassageRequest request;
    const std::string csv =
        "name,lat,lon\n长江口,3100.0,12230.0\nOsumi-Kaikyo,3050.0,13100.0\n"
        "San Francisco,3748.0,12230.0W\n";
    request.waypoints.bytes = csv;
    request.every = every ? readStep(every) : std::nullopt;
    request.limitLatitude = limit ? readLimitLatitude(limit) : std::nullopt;
    request.nmeaNameLength = nameLength;
    request.nmeaName = "Pacific 2026";
    auto plan = planPassage(request);
    return plan ? std::move(plan.value()) : PassagePlan{};
}

TEST(NmeaWriter, EverySentenceFitsAGpsAndListsTheRouteInOrder) {
    const struct {
        Cutting cutting;
        std::size_t nameLength;
        const char* routeId;
    } rows[] = {{{}, 6, "Pacifi"},
                {{"1°", nullptr}, 6, "Pacifi"},
                {{"5°", "45"}, 20, "Pacific2026"},
                {{"2°", "45"}, 2, "Pa"}};
    for (const auto& row : rows) {
        const PassagePlan plan = pacificPlan(row.cutting, row.nameLength);
        ASSERT_TRUE(plan.nmea) << row.nameLength;
        std::vector<std::string> waypoints;
        std::vector<std::string> listed;
        std::size_t sentences = 0;
        for (const std::string& line : linesOf(*plan.nmea)) {
            EXPECT_LE(line.size(), 82U) << line;
            ASSERT_TRUE(line.starts_with("$") && line.ends_with("\r\n")) << line;
            const std::size_t star = line.size() - 5;
            EXPECT_EQ(line.substr(star, 3), nmeaChecksum(line.substr(1, star - 1))) << line;
            for (const char c : line) {
                EXPECT_TRUE(c > 0 && c < 0x7F) << line;
            }
            const auto fields = fieldsOf(line);
            if (fields[0] == "GPWPL") {
                ASSERT_EQ(fields.size(), 6U) << line;
                EXPECT_TRUE(listed.empty()) << "a waypoint after the route: " << line;
                waypoints.push_back(fields[5]);
            } else {
                ASSERT_EQ(fields[0], "GPRTE") << line;
                ++sentences;
                EXPECT_EQ(fields[2], std::to_string(sentences));
                EXPECT_EQ(fields[3], "c");
                EXPECT_EQ(fields[4], row.routeId);
                listed.insert(listed.end(), fields.begin() + 5, fields.end());
            }
        }
        const auto last = fieldsOf(linesOf(*plan.nmea).back());
        EXPECT_EQ(last[1], std::to_string(sentences));
        EXPECT_EQ(waypoints.size(), plan.route.points.size());
        EXPECT_EQ(listed, waypoints);
        EXPECT_EQ(std::set<std::string>(waypoints.begin(), waypoints.end()).size(),
                  waypoints.size());
        for (const std::string& name : waypoints) {
            EXPECT_TRUE(!name.empty() && name.size() <= row.nameLength &&
                        name.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                               "abcdefghijklmnopqrstuvwxyz") == std::string::npos)
                << name;
        }
    }
}

TEST(NmeaWriter, NamesAndPositionsAsAGpsKeepsThem) {
    const struct {
        std::vector<RoutePoint> points;
        std::size_t nameLength;
        const char* sentences;  // each sentence's fields after the talker, checksums left out
    } rows[] = {
        {pointsNamed({"长江口", "大隅海峡"}), 6,
         "WPL,3130.0000,N,12215.0000,W,WP1 WPL,3130.0000,N,12215.0000,W,WP2 "
         "RTE,1,1,c,Pacifi,WP1,WP2"},
        // Collisions take a number in place of their last characters; "Pt 1,*$" loses what a
        // sentence cannot carry.
        {pointsNamed({"ABCDEFGH", "ABCDEFXY", "A", "A", "Pt 1,*$"}), 6,
         "WPL,3130.0000,N,12215.0000,W,ABCDEF WPL,3130.0000,N,12215.0000,W,ABCDE1 "
         "WPL,3130.0000,N,12215.0000,W,A WPL,3130.0000,N,12215.0000,W,A1 "
         "WPL,3130.0000,N,12215.0000,W,Pt1 RTE,1,1,c,Pacifi,ABCDEF,ABCDE1,A,A1,Pt1"},
        // Hemispheres, padding, the antimeridian, a minute rounded up into the next degree, and
        // -0 north and east.
        {{{"a", {-0.5, 180}}, {"b", {10.99999999, -7.000001}}, {"c", {-1e-9, -1e-9}}},
         1,
         "WPL,0030.0000,S,18000.0000,E,a WPL,1100.0000,N,00700.0001,W,b "
         "WPL,0000.0000,N,00000.0000,E,c RTE,1,1,c,P,a,b,c"},
    };
    for (const auto& row : rows) {
        const auto written = nmeaRoute("Pacific 2026", row.points, row.nameLength);
        ASSERT_TRUE(written);
        std::string shown;
        for (const std::string& line : linesOf(written.value())) {
            shown += (shown.empty() ? "" : " ") + line.substr(3, line.find('*') - 3);
        }
        EXPECT_EQ(shown, row.sentences);
    }
}

TEST(NmeaWriter, RouteIdsAndNamesThatCannotBeMadeUnique) {
    EXPECT_EQ(fieldsOf(linesOf(nmeaRoute("太平洋", pointsNamed({"A"}), 6).value()).back())[4],
              "ROUTE");
    std::vector<RoutePoint> eleven(11, RoutePoint{"X", {0, 0}});
    EXPECT_EQ(nmeaRoute("r", eleven, 1).error(),
              "航点太多，1 个字符以内无法给每个航点不同的 NMEA 名称");
}

// Each waypoint as "name lat lon;", and the note, or the error.
std::string readNmea(const std::string& nmea) {
    const auto read = waypointsFromNmea(nmea);
    if (!read) {
        return read.error();
    }
    std::string text;
    for (const Waypoint& waypoint : read.value().waypoints) {
        text += waypoint.name + " " + waypoint.entries.latitude + " " + waypoint.entries.longitude +
                " " + std::to_string(waypoint.line) + ";";
    }
    return text + read.value().note.value_or("");
}

TEST(NmeaWaypoints, RoutesAndWaypointsFromAnyTalker) {
    const std::string a = "$GPWPL,3130.5000,N,12215.0000,W,A*";
    const struct {
        std::string nmea;
        const char* read;
    } rows[] = {
        // No route: the waypoints in order; no checksum, another talker, a lower-case checksum,
        // a byte-order mark, CR LF and other sentences are read as a GPS reads them.
        {"\xEF\xBB\xBF\r\n$IIWPL,0030.5,S,00000,E,B\r\n$GPGGA,1*4B\r\n!AIVDM,x\r\n"
         "$GPWPL,4807.038,N,01131.000,E,C*0a\r\n",
         "B -0°30.5′ 0°00′ 2;C 48°07.038′ 11°31.000′ 5;"},
        // The first route in its sentences' order, a waypoint given twice alike is one.
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPWPL,2000.0,N,2000.0,E,B\n$GPWPL,1000.0,N,1000.0,E,A\n"
         "$GPRTE,3,2,c,R2,B\n$GPRTE,2,1,c,R1,B\n$GPRTE,2,2,c,R1,A,B\n$GPRTE,1,1,c,R2,A\n",
         "B 20°00.0′ 20°00.0′ 2;A 10°00.0′ 10°00.0′ 1;B 20°00.0′ 20°00.0′ 2;"
         "文件中有 2 条航线，只读取了第一条“R1”（第 5 行）"},
        {"$GPWPL,45.5,N,000,E,B\n", "B 0°45.5′ 0°00′ 1;"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readNmea(row.nmea), row.read) << row.nmea;
    }
}

TEST(NmeaWaypoints, DamagedOrAmbiguousFilesAreRefusedNamingTheLine) {
    const struct {
        std::string nmea;
        const char* error;
    } rows[] = {
        {"$GPWPL,1000.0,N,1000.0,E,A*00\n", "NMEA 文件第 1 行的校验和“*00”与语句不符（应为 *"},
        {"$GPWPL,1000.0,N,1000.0,E,A\n\nname,lat,lon\n", "NMEA 文件第 3 行不是 NMEA 语句"},
        {"$GPWPL,1060.0,N,1000.0,E,A\n", "NMEA 文件第 1 行的 WPL 语句的纬度“1060.0,N”不是"},
        {"$GPWPL,9000.1,N,1000.0,E,A\n", "NMEA 文件第 1 行的 WPL 语句的纬度“9000.1,N”不是"},
        {"$GPWPL,1000.0,N,1000.0,N,A\n", "NMEA 文件第 1 行的 WPL 语句的经度“1000.0,N”不是"},
        {"$GPWPL,1000.0,N,18000.5,E,A\n", "NMEA 文件第 1 行的 WPL 语句的经度“18000.5,E”不是"},
        {"$GPWPL,1000.0,N,1000.0,E\n", "NMEA 文件第 1 行的 WPL 语句应有"},
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPWPL,1000.1,N,1000.0,E,A\n",
         "NMEA 文件第 2 行的航点“A”与第 1 行的同名航点位置不同"},
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPRTE,2,1,c,R,A\n$GPRTE,2,1,c,R,A\n",
         "NMEA 文件第 3 行的 RTE 语句是航线“R”共 2 句中的第 1 句，应为共 2 句中的第 2 句"},
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPRTE,2,1,c,R,A\n", "NMEA 文件中航线“R”的 RTE 语句不全"},
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPRTE,1,1,c,R,A,Z\n",
         "NMEA 文件第 2 行的航线中的航点“Z”没有 WPL 语句给出位置"},
        {"$GPRTE,1,2,c,R,A\n", "NMEA 文件第 1 行的 RTE 语句应以"},
        // Found by the fuzz target: a route that names no waypoint gave none, not a refusal.
        {"$GPWPL,1000.0,N,1000.0,E,A\n$GPRTE,1,1,c,R,,\n", "NMEA 文件第 2 行的航线“R”中没有航点"},
        {"$GPGGA,1\n", "NMEA 文件中没有航点"},
        {"$GPWPL,1000.0,N,1000.0,E,\xFF\n", "NMEA 文件第 1 行有不是文字的字节"},
        {"$" + std::string(kLargestNmeaFile, ' '), "NMEA 文件超过 512 KiB"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readNmea(row.nmea).substr(0, std::string{row.error}.size()), row.error)
            << row.nmea.substr(0, 200);
    }
    for (const auto& [text, nmea] : {std::pair{" \r\n\t$GPWPL", true},
                                     {"\xEF\xBB\xBF!AIVDM", true},
                                     {"name,lat,lon\n$", false},
                                     {"", false}}) {
        EXPECT_EQ(isNmeaText(text), nmea) << text;
    }
}

TEST(NmeaWaypoints, TheWrittenRouteReadsBackAsSailed) {
    for (const Cutting cutting : {Cutting{}, Cutting{"10°", "45"}}) {
        const PassagePlan plan = pacificPlan(cutting, 6);
        const auto read = waypointsFromNmea(*plan.nmea);
        ASSERT_TRUE(read);
        PassageRequest again;
        const std::string lines = waypointLines(read.value().waypoints);
        again.waypoints.bytes = lines;
        const PassagePlan back = planPassage(again).value();
        ASSERT_EQ(back.route.rows.size(), plan.route.rows.size());
        for (std::size_t i = 0; i < plan.route.rows.size(); ++i) {
            // Four decimals of a minute move a point by 0.2 m at most.
            EXPECT_NEAR(*back.route.rows[i].sailedMiles, *plan.route.rows[i].sailedMiles, 0.002)
                << i;
        }
    }
}

}  // namespace
}  // namespace orvanto::passage
