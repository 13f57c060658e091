// The route's line cut at the antimeridian for GeoJSON, and the course texts at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "navigation/course_text.h"
#include "navigation/geodesic_measures.h"
#include "navigation/geojson_writer.h"
#include "navigation/great_circles.h"
#include "navigation/variation.h"

namespace orvanto::navigation {
namespace {

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
TEST(GreatCirclePath, StepsOfTenKilometresAtMostWithContinuousLongitudes) {
    const ChartPoint from{10, 170};
    const ChartPoint to{20, -170};
    const auto path = greatCirclePath(from, to, 10);
    ASSERT_GT(path.size(), 230U);
    EXPECT_EQ(path.front().longitude, 170);
    EXPECT_EQ(path.back().longitude, 190);
    EXPECT_EQ(path.back().latitude, 20);
    for (std::size_t i = 1; i < path.size(); ++i) {
        ASSERT_LE(geodesicKilometres(path[i - 1], path[i]).value(), 10.0) << i;
        ASSERT_LT(std::abs(path[i].longitude - path[i - 1].longitude), 1.0) << i;
    }
}

TEST(CourseText, RoundsHalfUpAndNeverWrites360) {
    const struct {
        double course;
        const char* text;
    } rows[] = {{0, "000.0"}, {5.25, "005.3"}, {359.94, "359.9"}, {359.96, "000.0"}, {45, "045.0"}};
    for (const auto& row : rows) {
        EXPECT_EQ(courseText(row.course), row.text) << row.course;
    }
    EXPECT_EQ(courseText(magneticCourse(1.0, 3.5)), "357.5");  // east variation, across north
    EXPECT_EQ(courseText(magneticCourse(359.0, -3.5)), "002.5");
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
}  // namespace orvanto::navigation
