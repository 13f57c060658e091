// The sailing math worked by hand: the textbook's Mercator sums, the deviation card's
// interpolation, the current triangle and the great circle's path; the geometry against
// GeographicLib's own tools is in tests/cli/passage_vs_geographiclib.py.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

#include "navigation/compass_error.h"
#include "navigation/current_triangle.h"
#include "navigation/geodesic_measures.h"
#include "navigation/great_circles.h"
#include "navigation/mercator_sailing.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {
namespace {

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
    const DeviationCard card{{{0, 0}, {15, 1}, {90, 3}, {180, 0}, {345, -1}}};
    const struct {
        double heading;
        double deviation;
    } rows[] = {{352.5, -0.5}, {7.5, 0.5}, {360, 0}, {52.5, 2}, {262.5, -0.5}, {15, 1}};
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(deviationAt(card, row.heading), row.deviation) << row.heading;
    }
    // Compass = true − variation − deviation, the deviation taken at the magnetic course.
    const CompassCorrection correction{-3.5, std::nullopt, card};
    EXPECT_DOUBLE_EQ(*correction.compassCourse(349), 352.5 + 0.5);
    // A compass course back to its magnetic course, M = C + dev(M), across 000 both ways; and the
    // true course of 042C with that card and variation.
    for (const double compass : {0.0, 3.0, 42.0, 100.0, 200.0, 358.0}) {
        const double magnetic = magneticHeadingOf(card, compass);
        EXPECT_NEAR(std::remainder(magnetic - compass - deviationAt(card, magnetic), 360.0), 0,
                    1e-9)
            << compass;
        EXPECT_NEAR(std::remainder(*correction.compassCourse(magnetic + -3.5) - compass, 360.0), 0,
                    1e-9);
    }
    EXPECT_NEAR(*correction.trueCourse({42, CourseReference::Compass}),
                magneticHeadingOf(card, 42) - 3.5, 1e-12);
    EXPECT_FALSE(steepSpan(card));
    EXPECT_EQ(steepSpan({{{0, 0}, {10, 10}, {180, 0}}}), std::pair(std::size_t{0}, std::size_t{1}));
    EXPECT_EQ(steepSpan({{{10, 0}, {350, 20}}}), std::pair(std::size_t{1}, std::size_t{0}));
    // Magnetic = true − variation, across north either way.
    const CompassCorrection east{3.5, {}, {}};
    const CompassCorrection west{-3.5, {}, {}};
    EXPECT_DOUBLE_EQ(*east.magneticCourse(1.0), 357.5);
    EXPECT_DOUBLE_EQ(*west.magneticCourse(359.0), 2.5);
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
        ASSERT_TRUE(steering) << row.track;
        EXPECT_NEAR(std::remainder(steering.value().courseToSteer - row.steer, 360.0), 0, 1e-9);
        EXPECT_NEAR(steering.value().speedOverGround, row.overGround, 1e-9);
        // Steering that course for an hour through the current makes good the track.
        const navigation::Run made = runOverGround(
            navigation::Run{steering.value().courseToSteer, row.speed}, 1, row.current);
        EXPECT_NEAR(std::remainder(made.course - row.track, 360.0), 0, 1e-9);
        EXPECT_NEAR(made.nauticalMiles, row.overGround, 1e-9);
    }
}

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

// A line to or from a pole, where a longitude is undetermined: every point a position, the ends as
// given (a NaN once stopped the route's GeoJSON and GPX from being written).
TEST(SailedPaths, ToAndFromAPoleEveryPointIsAPosition) {
    const std::pair<ChartPoint, ChartPoint> legs[] = {
        {{0, 5.0 / 60}, {90, 18.0 / 60}},
        {{0, 5}, {90, 18}},
        {{90, 180}, {0, 5}},
        {{-89, 10}, {-90, -170}},
    };
    for (const auto& [from, to] : legs) {
        for (const auto& path : {rhumbPath(from, to, 10), greatCirclePath(from, to, 10)}) {
            for (const ChartPoint& point : path) {
                ASSERT_TRUE(std::isfinite(point.latitude) && std::isfinite(point.longitude))
                    << from.latitude << " " << from.longitude << " to " << to.latitude;
            }
            EXPECT_EQ(path.back().latitude, to.latitude);
            EXPECT_EQ(std::remainder(path.back().longitude - to.longitude, 360.0), 0);
        }
    }
}

}  // namespace
}  // namespace orvanto::navigation
