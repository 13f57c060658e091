// The fix from landmarks checked by what it must satisfy, each measure taken afresh with
// GeographicLib: the rhumb-line course from the fix to a landmark is its bearing, the geodesic
// distance its range, the geodesic azimuths' difference its horizontal angle; a running fix moved
// back by the run lies on the first line; the hat's centre against a small least-squares solve on
// a flat chart; the ranges of lights against the syllabus's formulas.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "navigation/light_ranges.h"
#include "navigation/position_fix.h"

namespace orvanto::navigation {
namespace {

using GeographicLib::Geodesic;
using GeographicLib::Rhumb;
using Kind = PositionLineKind;

struct Seen {
    double rhumbCourse;  // from the ship to the landmark
    double metres;       // geodesic
    double azimuth;      // of the geodesic at the ship
};

Seen seenFrom(const ChartPoint& ship, const ChartPoint& landmark) {
    Seen seen{};
    double rhumbMetres = 0;
    Rhumb::WGS84().Inverse(ship.latitude, ship.longitude, landmark.latitude, landmark.longitude,
                           rhumbMetres, seen.rhumbCourse);
    double azimuthThere = 0;
    Geodesic::WGS84().Inverse(ship.latitude, ship.longitude, landmark.latitude, landmark.longitude,
                              seen.metres, seen.azimuth, azimuthThere);
    return seen;
}

ChartPoint along(const ChartPoint& from, double azimuth, double nauticalMiles) {
    ChartPoint to{};
    Geodesic::WGS84().Direct(from.latitude, from.longitude, azimuth, nauticalMiles * 1852,
                             to.latitude, to.longitude);
    return to;
}

double circled(double degrees) {
    return std::fmod(std::fmod(degrees, 360) + 360, 360);
}

double angleError(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

// Whether a point satisfies the line as observed (no transfer).
void expectOnLine(const PositionLine& line, const ChartPoint& point) {
    const Seen first = seenFrom(point, line.landmark);
    switch (line.kind) {
        case Kind::Bearing:
            EXPECT_LT(angleError(first.rhumbCourse, line.value), 0.01);
            break;
        case Kind::Range:
            EXPECT_NEAR(first.metres, line.value * 1852, 1.0);
            break;
        case Kind::HorizontalAngle:
            EXPECT_LT(angleError(circled(seenFrom(point, line.second).azimuth - first.azimuth),
                                 line.value),
                      0.01);
            break;
    }
}

// A line of each kind through `ship`, to landmarks a few miles off in random directions.
// Uniform numbers from the generator's own output, which every standard library gives alike: its
// distributions differ between them, and the cases must be the same under node as natively.
struct Uniform {
    double low;
    double high;
    double operator()(std::mt19937& random) const {
        constexpr double kRange = 4294967296.0;
        return low + (high - low) * (static_cast<double>(random()) / kRange);
    }
};

PositionLine lineThrough(const ChartPoint& ship, Kind kind, std::mt19937& random) {
    Uniform direction{0, 360};
    Uniform miles{1, 25};
    PositionLine line;
    line.kind = kind;
    line.landmark = along(ship, direction(random), miles(random));
    const Seen seen = seenFrom(ship, line.landmark);
    line.value = kind == Kind::Bearing ? circled(seen.rhumbCourse) : seen.metres / 1852;
    if (kind == Kind::HorizontalAngle) {
        line.second =
            along(ship, circled(seen.azimuth + 20 + direction(random) / 2.4), miles(random));
        line.value = circled(seenFrom(ship, line.second).azimuth - seen.azimuth);
    }
    return line;
}

TEST(PositionFix, TwoLinesOfEveryKindCrossAtTheShip) {
    std::mt19937 random(35);
    Uniform latitude{-70, 70};
    Uniform longitude{-180, 180};
    const Kind kinds[] = {Kind::Bearing, Kind::Range, Kind::HorizontalAngle};
    int fixes = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const ChartPoint ship{latitude(random), longitude(random)};
        const PositionLine lines[] = {lineThrough(ship, kinds[trial % 3], random),
                                      lineThrough(ship, kinds[trial / 3 % 3], random)};
        const auto fix = fixPosition(lines, ship);
        ASSERT_TRUE(fix) << "trial " << trial;
        const PositionFix& found = fix.value();
        ASSERT_TRUE(found.position);
        for (const PositionLine& line : lines) {
            expectOnLine(line, *found.position);
        }
        for (const LineCrossing& crossing : found.crossings) {
            expectOnLine(lines[0], crossing.position);
            expectOnLine(lines[1], crossing.position);
        }
        // Lines that cut at a fair angle cross at the ship itself, the DR choosing.
        if (found.cut > 5 && found.cut < 175) {
            EXPECT_LT(geodesicMiles(*found.position, ship), 1e-3) << "trial " << trial;
            ++fixes;
        }
    }
    EXPECT_GT(fixes, 250);
}

TEST(PositionFix, TwoBearingsCutAtTheirDifference) {
    const ChartPoint ship{31.2, 122.1};
    PositionLine north{Kind::Bearing, along(ship, 10, 6), {}, 0};
    PositionLine east{Kind::Bearing, along(ship, 110, 4), {}, 0};
    north.value = circled(seenFrom(ship, north.landmark).rhumbCourse);
    east.value = circled(seenFrom(ship, east.landmark).rhumbCourse);
    const PositionLine lines[] = {north, east};
    const auto fix = fixPosition(lines, std::nullopt);
    ASSERT_TRUE(fix);
    EXPECT_NEAR(fix.value().cut, angleError(north.value, east.value), 0.01);
    EXPECT_FALSE(fix.value().hat);
}

TEST(PositionFix, RunningFixMovedBackLiesOnTheFirstLine) {
    std::mt19937 random(41);
    Uniform latitude{-60, 60};
    Uniform direction{0, 360};
    Uniform miles{2, 15};
    for (int trial = 0; trial < 100; ++trial) {
        const ChartPoint earlier{latitude(random), direction(random) - 180};
        const navigation::Run run{direction(random), miles(random)};
        const navigation::Run drift{direction(random), miles(random) / 10};
        ChartPoint later{};
        Rhumb::WGS84().Direct(earlier.latitude, earlier.longitude, run.course,
                              run.nauticalMiles * 1852, later.latitude, later.longitude);
        Rhumb::WGS84().Direct(later.latitude, later.longitude, drift.course,
                              drift.nauticalMiles * 1852, later.latitude, later.longitude);
        PositionLine first =
            lineThrough(earlier, trial % 2 == 0 ? Kind::Bearing : Kind::Range, random);
        first.run = run;
        first.drift = drift;
        const PositionLine lines[] = {first, lineThrough(later, Kind::Bearing, random)};
        const auto fix = fixPosition(lines, later);
        ASSERT_TRUE(fix) << "trial " << trial;
        const ChartPoint at = *fix.value().position;
        expectOnLine(lines[1], at);
        ChartPoint back{};
        Rhumb::WGS84().Direct(at.latitude, at.longitude, drift.course + 180,
                              drift.nauticalMiles * 1852, back.latitude, back.longitude);
        Rhumb::WGS84().Direct(back.latitude, back.longitude, run.course + 180,
                              run.nauticalMiles * 1852, back.latitude, back.longitude);
        expectOnLine(first, back);
        if (fix.value().cut > 5 && fix.value().cut < 175) {
            EXPECT_LT(geodesicMiles(at, later), 1e-3) << "trial " << trial;
        }
    }
}

// Three bearings each a degree off: the crossings lie on their lines, the hat is the largest
// distance between them, and the fix is the least-squares point of the three lines drawn straight
// through their crossings on a flat chart.
TEST(PositionFix, CockedHatCentreIsTheLeastSquaresPoint) {
    std::mt19937 random(7);
    Uniform latitude{-60, 60};
    Uniform direction{0, 360};
    for (int trial = 0; trial < 50; ++trial) {
        const ChartPoint ship{latitude(random), direction(random) - 180};
        std::vector<PositionLine> lines;
        const double first = direction(random);
        for (const double turn : {0.0, 60.0 + direction(random) / 12, 200.0}) {
            PositionLine line = lineThrough(ship, Kind::Bearing, random);
            line.landmark = along(ship, first + turn, 3 + turn / 50);
            line.value = circled(seenFrom(ship, line.landmark).rhumbCourse +
                                 (lines.size() == 1 ? -1.0 : 1.0));
            lines.push_back(line);
        }
        const auto fix = fixPosition(lines, std::nullopt);
        ASSERT_TRUE(fix) << "trial " << trial;
        const auto& crossings = fix.value().crossings;
        ASSERT_EQ(crossings.size(), 3U);
        double hat = 0;
        for (const LineCrossing& crossing : crossings) {
            expectOnLine(lines[crossing.first], crossing.position);
            expectOnLine(lines[crossing.second], crossing.position);
            for (const LineCrossing& other : crossings) {
                hat = std::max(hat, seenFrom(crossing.position, other.position).metres / 1852);
            }
        }
        EXPECT_NEAR(*fix.value().hat, hat, 1e-6);
        // Flat chart around the first crossing: each line through its two crossings.
        const ChartPoint origin = crossings[0].position;
        const auto flat = [&](const ChartPoint& p) {
            const double k = std::cos(origin.latitude * std::numbers::pi / 180);
            return std::pair{std::remainder(p.longitude - origin.longitude, 360.0) * k * 60,
                             (p.latitude - origin.latitude) * 60};
        };
        double a11 = 0, a12 = 0, a22 = 0, b1 = 0, b2 = 0;
        for (std::size_t line = 0; line < 3; ++line) {
            std::vector<std::pair<double, double>> ends;
            for (const LineCrossing& crossing : crossings) {
                if (crossing.first == line || crossing.second == line) {
                    ends.push_back(flat(crossing.position));
                }
            }
            double nx = -(ends[1].second - ends[0].second);
            double ny = ends[1].first - ends[0].first;
            const double norm = std::hypot(nx, ny);
            nx /= norm;
            ny /= norm;
            const double c = nx * ends[0].first + ny * ends[0].second;
            a11 += nx * nx;
            a12 += nx * ny;
            a22 += ny * ny;
            b1 += nx * c;
            b2 += ny * c;
        }
        const double det = a11 * a22 - a12 * a12;
        const std::pair<double, double> centre{(b1 * a22 - b2 * a12) / det,
                                               (b2 * a11 - b1 * a12) / det};
        const auto found = flat(*fix.value().position);
        EXPECT_LT(std::hypot(found.first - centre.first, found.second - centre.second),
                  0.01 + 0.01 * hat)
            << "trial " << trial;
    }
}

TEST(PositionFix, TwoRangesCrossTwiceAndTheDeadReckoningChooses) {
    const ChartPoint ship{22.3, 114.2};
    std::mt19937 random(2);
    const PositionLine lines[] = {lineThrough(ship, Kind::Range, random),
                                  lineThrough(ship, Kind::Range, random)};
    const auto both = fixPosition(lines, std::nullopt);
    ASSERT_TRUE(both);
    EXPECT_FALSE(both.value().position);
    ASSERT_EQ(both.value().crossings.size(), 2U);
    for (const LineCrossing& crossing : both.value().crossings) {
        expectOnLine(lines[0], crossing.position);
        expectOnLine(lines[1], crossing.position);
    }
    for (const LineCrossing& crossing : both.value().crossings) {
        const auto chosen = fixPosition(lines, along(crossing.position, 45, 0.5));
        ASSERT_TRUE(chosen);
        EXPECT_LT(geodesicMiles(*chosen.value().position, crossing.position), 1e-6);
        ASSERT_EQ(chosen.value().crossings.size(), 2U);
    }
}

TEST(PositionFix, LinesThatNeverCrossAreNamed) {
    const ChartPoint ship{31.0, 122.0};
    const ChartPoint a = along(ship, 0, 5);
    const ChartPoint b = along(ship, 90, 5);
    struct Case {
        const char* name;
        std::vector<PositionLine> lines;
        std::size_t first, second;
    };
    const Case cases[] = {
        {"parallel bearings", {{Kind::Bearing, a, {}, 0}, {Kind::Bearing, b, {}, 0}}, 0, 1},
        {"circles apart", {{Kind::Range, a, {}, 1}, {Kind::Range, b, {}, 1}}, 0, 1},
        {"circle inside another", {{Kind::Range, a, {}, 1}, {Kind::Range, a, {}, 3}}, 0, 1},
        {"circle within the third",
         {{Kind::Bearing, a, {}, 0}, {Kind::Range, b, {}, 5}, {Kind::Range, a, {}, 20}},
         1,
         2},
    };
    for (const Case& c : cases) {
        const auto fix = fixPosition(c.lines, std::nullopt);
        ASSERT_FALSE(fix) << c.name;
        EXPECT_EQ(fix.error().kind, FixProblem::Kind::NoCrossing) << c.name;
        EXPECT_EQ(fix.error().first, c.first) << c.name;
        EXPECT_EQ(fix.error().second, c.second) << c.name;
    }
}

TEST(LightRanges, AsTheSyllabusReckonsThem) {
    EXPECT_NEAR(horizonRange(16), 8.36, 1e-12);
    EXPECT_NEAR(geographicRange(100, 16), 2.09 * 14, 1e-12);
    const ChartedRange higher = chartedRange(18, 16, std::nullopt);
    EXPECT_NEAR(higher.range, 18 + 2.09 * (4 - std::sqrt(5.0)), 1e-12);
    EXPECT_FALSE(higher.capped);
    const ChartedRange capped = chartedRange(18, 16, 20);
    EXPECT_TRUE(capped.capped);
    EXPECT_EQ(capped.range, 20);
    // A charted eye exactly: the charted range.
    EXPECT_NEAR(chartedRange(18, 5, 25).range, 18, 1e-12);
}

}  // namespace
}  // namespace orvanto::navigation
