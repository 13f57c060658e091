// Passage planning's values as typed and its texts: positions, times, courses, the deviation card
// and the route's line cut at the antimeridian for GeoJSON.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/memory_streams.h"
#include "passage/course_text.h"
#include "passage/deviation_card.h"
#include "passage/geojson_writer.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/position_text.h"

namespace orvanto::passage {
namespace {

// Each reader's value as a text ("" for nothing), so that one table holds them all.
std::string shown(std::optional<double> value) {
    return value ? std::to_string(*value).substr(0, 8) : "";
}

// Each part as "lon,lat lon,lat …", parts separated by " | ".
std::string shown(const std::vector<std::vector<ChartPoint>>& parts) {
    std::string text;
    for (const auto& part : parts) {
        text += text.empty() ? "" : " | ";
        for (const ChartPoint& point : part) {
            text += (&point == &part.front() ? "" : " ") +
                    std::to_string(point.longitude).substr(0, 6) + "," +
                    std::to_string(point.latitude).substr(0, 4);
        }
    }
    return text;
}

TEST(PassageValues, ReadWhatANavigatorTypesAndNothingElse) {
    const auto course = [](const char* text) {
        const auto read = readCourse(text);
        return read ? shown(read->degrees) + "TMC"[static_cast<int>(read->reference)] : "";
    };
    const auto step = [](const char* text) {
        const auto read = readStep(text);
        return read ? shown(read->alongMeridians ? read->degrees : read->nauticalMiles) +
                          (read->alongMeridians ? "°" : "nmi")
                    : "";
    };
    const auto current = [](const char* text) {
        const auto read = readCurrent(text);
        return read ? shown(read->set) + "/" + shown(read->drift) : "";
    };
    const struct {
        std::string got;
        const char* wanted;
    } rows[] = {
        {course("241"), "241.0000T"},
        {course("241°T"), "241.0000T"},
        {course("２３６Ｍ"), "236.0000M"},
        {course("236 c"), "236.0000C"},
        {course("360"), "0.000000T"},
        {course("360.1"), ""},
        {course("-1"), ""},
        {course("241X"), ""},
        {course("T241"), ""},
        {course("nan"), ""},
        {shown(readDistance("300")), "300.0000"},
        {shown(readDistance("300 NMI")), "300.0000"},
        {shown(readDistance("１８５.２公里")), "100.0000"},
        {shown(readDistance("37040km")), "20000.00"},
        {shown(readDistance("37041km")), ""},
        {shown(readDistance("300nm")), ""},  // nanometres or nautical miles: neither is guessed
        {shown(readDistance("3e2")), ""},
        {shown(readDistance("300°")), ""},
        {shown(readSpeed("12.5kn")), "12.50000"},
        {shown(readSpeed("12 节")), "12.00000"},
        {shown(readSpeed("0")), ""},
        {shown(readSpeed("100.1")), ""},
        {shown(readHours("6:30")), "6.500000"},
        {shown(readHours("６：０５")), "6.083333"},
        {shown(readHours("6.5小时")), "6.500000"},
        {shown(readHours("6:60")), ""},
        {shown(readHours("6.5:30")), ""},
        {shown(readHours("10000:01")), ""},
        {shown(readHours("inf")), ""},
        {step("5°"), "5.000000°"},
        {step("5度"), "5.000000°"},
        {step("5DEG"), "5.000000°"},
        {step("0°30′"), "0.500000°"},
        {step("300nmi"), "300.0000nmi"},
        {step("500公里"), "269.9784nmi"},
        {step("5"), ""},
        {step("0.05°"), ""},
        {step("91°"), ""},
        {step("0.5nmi"), ""},
        {current("045/1.5"), "45.00000/1.500000"},
        {current("４５°／1.5kn"), "45.00000/1.500000"},
        {current("360/0"), "0.000000/0.000000"},
        {current("045/20.5"), ""},
        {current("045"), ""},
        {current("045/1.5/2"), ""},
        {current("-45/1"), ""},
        {shown(readLimitLatitude("45°30′")), "45.50000"},
        {shown(readLimitLatitude("90")), ""},
        {shown(readLimitLatitude("-45")), ""},
        {shown(readLimitLatitude("45N")), ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.got, row.wanted);
    }
}

TEST(PositionText, MinutesRoundHalfUpAndCarry) {
    const struct {
        double latitude;
        double longitude;
        const char* text;
    } rows[] = {
        {21.4716666667, -117.5416666667, "2128.30N 11732.50W 21.471667 -117.541667"},
        {-1.0 / 12, 0, "005.00S 000.00E -0.083333 0.000000"},
        {-0.00004, -0.00004, "000.00N 000.00E -0.000040 -0.000040"},  // no hemisphere for zero
        {10 + 59.996 / 60, 181, "1100.00N 17900.00W 10.999933 -179.000000"},  // a carry
        {0, -179.9999999, "000.00N 18000.00E 0.000000 180.000000"},  // 180°W is written east
        {0, 540, "000.00N 18000.00E 0.000000 180.000000"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(latitudeText(row.latitude) + " " + longitudeText(row.longitude) + " " +
                      latitudeDegreesText(row.latitude) + " " + longitudeDegreesText(row.longitude),
                  row.text);
    }
}

TEST(PassageTimes, DurationsAndArrivalsAcrossDaysAndOffsets) {
    const struct {
        double hours;
        const char* inHours;
        const char* inDays;
    } durations[] = {
        {123 + 5.0 / 60, "123:05", "5天03:05"},
        {29.5 / 60, "0:30", "0:30"},  // half a minute rounds up
        {0, "0:00", "0:00"},
        {23 + 59.5 / 60, "24:00", "1天00:00"},  // the days counted after the rounding
        {376 + 59.0 / 60, "376:59", "15天16:59"},
    };
    for (const auto& row : durations) {
        EXPECT_EQ(durationText(row.hours), row.inHours);
        EXPECT_EQ(durationText(row.hours, DurationForm::Days), row.inDays);
    }
    const struct {
        const char* departure;
        double hours;
        const char* arrival;
    } rows[] = {
        {"2026-12-08T08:00+08:00", 30.0833333333, "2026-12-09T14:05+08:00"},
        {"2026-12-31 23:59:30Z", 0, "2027-01-01T00:00+00:00"},  // seconds count before rounding
        {"２０２４－02－28Ｔ22:00－05:30", 26, "2024-03-01T00:00-05:30"},  // a leap day
        {"2026-12-08T08:00+14:00", 10000, "2028-01-29T00:00+14:00"},
    };
    for (const auto& row : rows) {
        const auto departure = readDeparture(row.departure);
        ASSERT_TRUE(departure && departure->offsetMinutes) << row.departure;
        EXPECT_EQ(arrivalText(departure->clock, *departure->offsetMinutes, row.hours), row.arrival);
    }
    // The last minute a four-digit year writes, and the arrival half a minute later.
    EXPECT_EQ(arrivalText({9999, 12, 31, 23, 0, 0}, 0, 59.4 / 60), "9999-12-31T23:59+00:00");
    EXPECT_EQ(arrivalText({9999, 12, 31, 23, 0, 0}, 0, 59.5 / 60), std::nullopt);
    EXPECT_EQ(arrivalText({2026, 12, 8, 8, 0, 0}, 0, 1e300), std::nullopt);
    const auto local = readDeparture("2026-12-08 08:00");
    EXPECT_TRUE(local && !local->offsetMinutes);
    // Why a departure is refused: empty when the text is not of the form at all.
    const struct {
        const char* text;
        const char* reason;
    } wrong[] = {
        {"2026-02-29 08:00", "2026 年 2 月没有 29 日"},
        {"2026-12-08T24:00", "时须是 0 到 23（午夜写作次日 00:00）"},
        {"2026-12-08T08:00+15:00", "时区须在 -14:00 到 +14:00 之间"},
        {"2026-12-08T08:00+08:60", "时区的分须是 0 到 59"},
        {"2026-00-08T08:00", "月须是 1 到 12"},
        {"2026-12-08T08:00:60", "秒须是 0 到 59"},
        {"2026-12-08", ""},
        {"2026-12-08T08:00 PST", ""},
        {"08:00", ""},
    };
    for (const auto& row : wrong) {
        const auto departure = parseDeparture(row.text);
        ASSERT_FALSE(departure) << row.text;
        EXPECT_EQ(departure.error(), row.reason);
        EXPECT_FALSE(readDeparture(row.text)) << row.text;
    }
}

// Worked as the textbook does, its meridional parts from 7915.70447 lg tan(45° + φ/2) −
// 3437.74677 (e² sin φ + e⁴/3 sin³ φ + e⁶/5 sin⁵ φ) on WGS-84, to the decimals it writes.

TEST(DeviationCard, ReadsEachHeadingOnceAndAtLeastTwo) {
    batch::Utf8Codec codec;
    const auto read = [&codec](const std::string& file) {
        batch::MemorySource source{file};
        batch::CsvReader reader{source};
        return readDeviationCard(reader, codec);
    };
    const auto card = read("航向,自差\r\n015,1.0E\r\n345,1°W\r\n000,0\r\n090,3E\r\n180,0\r\n");
    ASSERT_TRUE(card) << card.error();
    EXPECT_EQ(card.value().entries.size(), 5U);
    EXPECT_EQ(card.value().entries.back().deviation, -1);
    for (const char* wrong : {"heading,deviation\n0,1\n360,2\n", "heading,deviation\n0,1\n",
                              "heading,deviation\n0,1\n90,2X\n", "heading\n0\n"}) {
        EXPECT_FALSE(read(wrong)) << wrong;
    }
    // A change of deviation as large as the change of heading, between rows far apart in the file
    // and across 000: a compass course there would have two magnetic courses, or none.
    const auto steep = read("heading,deviation\n180,0\n359,1W\n090,0\n001,1E\n");
    ASSERT_FALSE(steep);
    EXPECT_EQ(steep.error().substr(0, steep.error().find("之间")), "自差表第 3 行与第 5 行");
}

TEST(AntimeridianSplit, CutsWhereTheLineCrossesAndNowhereElse) {
    const struct {
        std::vector<ChartPoint> line;  // latitude, continuous longitude
        const char* parts;
    } rows[] = {
        {{{0, 170}, {10, 175}}, "170.00,0.00 175.00,10.0"},
        // East across 180 and on beyond it; the latitude at the cut is interpolated.
        {{{0, 170}, {10, 190}, {20, 200}},
         "170.00,0.00 180.00,5.00 | -180.0,5.00 -170.0,10.0 -160.0,20.0"},
        // West across -180.
        {{{0, -170}, {10, -190}}, "-170.0,0.00 -180.0,5.00 | 180.00,5.00 170.00,10.0"},
        // Ending on 180 exactly is no crossing; starting there and going on east leaves no stub.
        {{{0, 170}, {10, 180}}, "170.00,0.00 180.00,10.0"},
        {{{0, 180}, {10, 190}}, "-180.0,0.00 -170.0,10.0"},
        // Out and back: two cuts, three parts.
        {{{0, 175}, {0, 185}, {0, 175}},
         "175.00,0.00 180.00,0.00 | -180.0,0.00 -175.0,0.00 -180.0,0.00 | 180.00,0.00 175.00,0.00"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(shown(splitAtAntimeridian(row.line)), row.parts) << row.parts;
    }
}

// The map's line must follow the great circle: no step longer than 10 km, ends exactly as given,
// longitudes continuous across 180.

TEST(CourseText, RoundsHalfUpAndNeverWrites360) {
    const struct {
        double course;
        const char* text;
    } rows[] = {{0, "000.0"}, {5.25, "005.3"}, {359.94, "359.9"}, {359.96, "000.0"}, {45, "045.0"}};
    for (const auto& row : rows) {
        EXPECT_EQ(courseText(row.course), row.text) << row.course;
    }
}

TEST(Variation, WestIsNegativeBySignOrLetter) {
    const struct {
        const char* text;
        std::optional<double> degrees;
    } rows[] = {{"3.5W", -3.5},  {"-3.5", -3.5},   {"2E", 2},        {"2", 2},
                {"+2", 2},       {"2e", 2},        {"W5.5", -5.5},   {"5.5 W", -5.5},
                {"西5.5", -5.5}, {"５.５W", -5.5}, {"5°30′W", -5.5}, {"东 ２", 2},
                {"-3W", {}},     {"+-3", {}},      {"W", {}},        {"", {}},
                {"1e2", {}},     {"181", {}},      {"nan", {}},      {"NaN", {}},
                {"nanW", {}},    {"inf", {}},      {"3,5", {}},      {"W5E", {}}};
    for (const auto& row : rows) {
        EXPECT_EQ(readVariation(row.text), row.degrees) << row.text;
    }
}

}  // namespace
}  // namespace orvanto::passage
