// Passage planning's values as typed, its texts, and the textbook's sums worked by hand; the
// geometry against GeographicLib's own tools is in tests/cli/passage_vs_geographiclib.py.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "batch/csv_reader.h"
#include "batch/memory_streams.h"
#include "navigation/compass_error.h"
#include "navigation/current_triangle.h"
#include "navigation/mercator_sailing.h"
#include "navigation/passage_times.h"
#include "navigation/passage_values.h"
#include "navigation/position_text.h"

namespace orvanto::navigation {
namespace {

// Each reader's value as a text ("" for nothing), so that one table holds them all.
std::string shown(std::optional<double> value) {
    return value ? std::to_string(*value).substr(0, 8) : "";
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
TEST(MercatorSailing, TextbookExamplesWorkedByHand) {
    const struct {
        ChartPoint from;
        ChartPoint to;
        double partsDifference;  // DMP′
        double course;           // atan(DLong′ / DMP′)
        double miles;
        bool middleLatitude;  // within 5° of 090 or 270: DLong′ cos φm / sin C
    } rows[] = {
        // DLat 300.0′ N, DLong 1080.0′ E, MP 1876.86′ and 2231.08′: 300.0 / cos 71.84°.
        {{30, 122}, {35, 140}, 354.21, 71.84, 962.64, false},
        // DLat 10.0′ N, DLong 480.0′ E: 480.0 cos 30°05′ / sin 88.63°.
        {{30, 122}, {30 + 10.0 / 60, 130}, 11.50, 88.63, 415.46, true},
        // Sydney to Wellington: DLat 445.0′ S, DLong 1414.0′ E, MP −2149.00′ and −2708.97′.
        {{-(33 + 52.0 / 60), 151 + 13.0 / 60},
         {-(41 + 17.0 / 60), 174 + 47.0 / 60},
         -559.97,
         111.60,
         1208.60,
         false},
        // DLat 120.0′ S, DLong 3600.0′ E: 3600.0 cos 39° / sin 92.45°.
        {{40, -70}, {38, -10}, -153.80, 92.45, 2800.28, true},
        // Across 180: DLong 900.0′ E.
        {{10, 170}, {12, -175}, 121.46, 82.31, 897.21, false},
    };
    for (const auto& row : rows) {
        const MercatorSailing sailing = mercatorSailing(row.from, row.to);
        EXPECT_NEAR(meridionalParts(row.to.latitude) - meridionalParts(row.from.latitude),
                    row.partsDifference, 0.005);
        EXPECT_NEAR(sailing.run.course, row.course, 0.005) << row.miles;
        EXPECT_NEAR(sailing.run.nauticalMiles, row.miles, 0.005) << row.miles;
        EXPECT_EQ(sailing.middleLatitude, row.middleLatitude) << row.miles;
        // Reckoned back: the same DLat and DLong the same way.
        const auto reached = mercatorReckoning(row.from, sailing.run);
        ASSERT_TRUE(reached);
        // The departure's distance is not DLat′ / cos C: reckoned back it lands near, not on.
        const double near = row.middleLatitude ? 0.01 : 1e-9;
        EXPECT_NEAR(reached->latitude, row.to.latitude, near);
        EXPECT_NEAR(std::remainder(reached->longitude - row.to.longitude, 360.0), 0, near);
    }
    EXPECT_FALSE(mercatorReckoning({89, 0}, {10, 61}));  // over the pole
}

TEST(DeviationCard, InterpolatesAroundTheCircle) {
    const std::string file = "航向,自差\r\n015,1.0E\r\n345,1°W\r\n000,0\r\n090,3E\r\n180,0\r\n";
    batch::MemorySource source{file};
    batch::CsvReader reader{source};
    batch::Utf8Codec codec;
    const auto card = readDeviationCard(reader, codec);
    ASSERT_TRUE(card) << card.error();
    const struct {
        double heading;
        double deviation;
    } rows[] = {{352.5, -0.5}, {7.5, 0.5}, {360, 0}, {52.5, 2}, {262.5, -0.5}, {15, 1}};
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(deviationAt(card.value(), row.heading), row.deviation) << row.heading;
    }
    // Compass = true − variation − deviation, the deviation taken at the magnetic course.
    const CompassCorrection correction{-3.5, std::nullopt, card.value()};
    EXPECT_DOUBLE_EQ(*correction.compassCourse(349), 352.5 + 0.5);
    for (const char* wrong : {"heading,deviation\n0,1\n360,2\n", "heading,deviation\n0,1\n",
                              "heading,deviation\n0,1\n90,2X\n", "heading\n0\n"}) {
        batch::MemorySource bad{wrong};
        batch::CsvReader badReader{bad};
        EXPECT_FALSE(readDeviationCard(badReader, codec)) << wrong;
    }
}

TEST(CurrentTriangle, SteersSoThatTheGroundTrackIsTheCourse) {
    const struct {
        double track;
        Current current;
        double speed;
        double steer;  // 0 when it cannot be done
        double overGround;
    } rows[] = {
        {90, {0, 3}, 12, 90 + std::asin(3.0 / 12) * 180 / std::numbers::pi, std::sqrt(135.0)},
        {0, {180, 2}, 10, 0, 8},
        {0, {0, 2}, 10, 0, 12},
        {45, {315, 10.5}, 10, 0, 0},  // across faster than the ship
        {0, {180, 12}, 10, 0, 0},     // against, faster than the ship
    };
    for (const auto& row : rows) {
        const auto steering = steerAgainst(row.track, row.current, row.speed);
        if (row.overGround == 0) {
            EXPECT_FALSE(steering) << row.track;
            continue;
        }
        ASSERT_TRUE(steering) << steering.error();
        EXPECT_NEAR(std::remainder(steering.value().courseToSteer - row.steer, 360.0), 0, 1e-9);
        EXPECT_NEAR(steering.value().speedOverGround, row.overGround, 1e-9);
        // Steering that course for an hour through the current makes good the track.
        const navigation::Run made = runOverGround(
            navigation::Run{steering.value().courseToSteer, row.speed}, 1, row.current);
        EXPECT_NEAR(std::remainder(made.course - row.track, 360.0), 0, 1e-9);
        EXPECT_NEAR(made.nauticalMiles, row.overGround, 1e-9);
    }
}

}  // namespace
}  // namespace orvanto::navigation
