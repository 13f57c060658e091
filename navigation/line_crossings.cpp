#include "navigation/line_crossings.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "navigation/geodesic_measures.h"
#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
// Newton's steps stop when a step is under a micrometre's worth of nautical miles, and a point is
// on a line when it stands off it by less than a millimetre.
constexpr double kSettled = 1e-9;
constexpr double kOnLine = 5e-7;
constexpr int kMostSteps = 60;
// No step goes farther than this (nautical miles), so that a poor first guess cannot throw the
// point across the globe.
constexpr double kLongestStep = 60;
// Two crossings closer than this (nautical miles, 2 m) are one: lines that touch.
constexpr double kSameCrossing = 1e-3;

// The flat chart around an origin, its scale the origin's.
struct FlatChart {
    ChartPoint origin;
    LocalScale scale;

    SheetVector flat(const ChartPoint& point) const {
        return {std::remainder(point.longitude - origin.longitude, 360.0) * scale.eastPerDegree,
                (point.latitude - origin.latitude) * scale.northPerDegree};
    }
};

// A line's shape on the flat chart: a straight line through a point, or a circle.
struct Shape {
    bool circle = false;
    SheetVector point;      // on the line, or the centre
    SheetVector direction;  // of the line, unit length
    double radius = 0;
};

std::optional<Shape> shapeOf(const PositionLine& line, const FlatChart& chart) {
    const auto landmark = transferred(line, line.landmark);
    if (!landmark) {
        return std::nullopt;
    }
    const SheetVector at = chart.flat(*landmark);
    switch (line.kind) {
        case PositionLineKind::Bearing:
            return Shape{false, at, sheetPoint(line.value, 1), 0};
        case PositionLineKind::Range:
            return Shape{true, at, {}, line.value};
        case PositionLineKind::HorizontalAngle:
            break;
    }
    const auto second = transferred(line, line.second);
    if (!second) {
        return std::nullopt;
    }
    const SheetVector chord = chart.flat(*second) - at;
    const double length = std::hypot(chord.east, chord.north);
    const double sine = std::sin(line.value * kDegree);
    if (std::fabs(sine) < 1e-9 || length == 0) {
        // The landmarks in one line with the ship (in transit, or the ship between them).
        return Shape{false, at, (1 / std::max(length, 1e-300)) * chord, 0};
    }
    // The ship sees landmark 1 on its left: it stands to the right of the chord from 1 to 2, and
    // the arc's centre lies that way for angles under 90°, the other way over 90°.
    const SheetVector right = (1 / length) * SheetVector{chord.north, -chord.east};
    const SheetVector middle = at + 0.5 * chord;
    const double half = length / 2;
    return Shape{
        true, middle + (half * std::cos(line.value * kDegree) / sine) * right, {}, half / sine};
}

std::vector<SheetVector> lineAndCircle(const Shape& line, const Shape& circle) {
    const SheetVector toCentre = circle.point - line.point;
    const double along = dot(toCentre, line.direction);
    const double across = cross(line.direction, toCentre);
    const double squared = circle.radius * circle.radius - across * across;
    if (squared < 0) {
        // A line that misses the circle narrowly on the flat chart may touch it on the ellipsoid.
        return {line.point + along * line.direction};
    }
    const double half = std::sqrt(squared);
    return {line.point + (along - half) * line.direction,
            line.point + (along + half) * line.direction};
}

std::vector<SheetVector> flatCrossings(const Shape& a, const Shape& b) {
    if (!a.circle && !b.circle) {
        const double sine = cross(a.direction, b.direction);
        if (std::fabs(sine) < 1e-12) {
            return {};
        }
        return {a.point + (cross(b.point - a.point, b.direction) / sine) * a.direction};
    }
    if (!a.circle || !b.circle) {
        return a.circle ? lineAndCircle(b, a) : lineAndCircle(a, b);
    }
    const SheetVector between = b.point - a.point;
    const double distance = length(between);
    if (distance < 1e-12) {
        return {};
    }
    const SheetVector unit = (1 / distance) * between;
    const double along =
        (distance * distance + a.radius * a.radius - b.radius * b.radius) / (2 * distance);
    const double squared = a.radius * a.radius - along * along;
    const SheetVector foot = a.point + along * unit;
    if (squared < 0) {
        return {foot};
    }
    const SheetVector across = std::sqrt(squared) * SheetVector{-unit.north, unit.east};
    return {foot + across, foot - across};
}

// Newton's steps from `start` to a point on both lines, or nothing when they lead nowhere.
std::optional<ChartPoint> settle(const PositionLine& a, const PositionLine& b, ChartPoint point) {
    for (int step = 0; step < kMostSteps; ++step) {
        const auto ra = lineOffset(a, point);
        const auto rb = lineOffset(b, point);
        const auto ga = offsetGradient(a, point);
        const auto gb = offsetGradient(b, point);
        if (!ra || !rb || !ga || !gb) {
            return std::nullopt;
        }
        if (std::fabs(*ra) < kOnLine && std::fabs(*rb) < kOnLine) {
            return point;
        }
        const double determinant = cross(*ga, *gb);
        if (std::fabs(determinant) < 1e-12) {
            return std::nullopt;
        }
        SheetVector move{(-*ra * gb->north + *rb * ga->north) / determinant,
                         (-*rb * ga->east + *ra * gb->east) / determinant};
        const double moved = length(move);
        if (moved > kLongestStep) {
            move = (kLongestStep / moved) * move;
        }
        point = offsetPoint(point, move);
        if (moved < kSettled) {
            const auto fa = lineOffset(a, point);
            const auto fb = lineOffset(b, point);
            return fa && fb && std::fabs(*fa) < kOnLine && std::fabs(*fb) < kOnLine
                       ? std::optional{point}
                       : std::nullopt;
        }
    }
    return std::nullopt;
}

ChartPoint middleOf(const PositionLine& a, const PositionLine& b) {
    const auto landmarkOf = [](const PositionLine& line) {
        return transferred(line, line.landmark).value_or(line.landmark);
    };
    const ChartPoint first = landmarkOf(a);
    const ChartPoint second = landmarkOf(b);
    return {(first.latitude + second.latitude) / 2,
            first.longitude + std::remainder(second.longitude - first.longitude, 360.0) / 2};
}

}  // namespace

std::vector<ChartPoint> crossingsOf(const PositionLine& first, const PositionLine& second) {
    const ChartPoint origin = middleOf(first, second);
    const FlatChart chart{origin, localScale(origin.latitude)};
    const auto a = shapeOf(first, chart);
    const auto b = shapeOf(second, chart);
    std::vector<ChartPoint> found;
    if (!a || !b) {
        return found;
    }
    for (const SheetVector guess : flatCrossings(*a, *b)) {
        const auto point = settle(first, second, offsetPoint(origin, guess));
        if (!point) {
            continue;
        }
        const bool known = std::any_of(found.begin(), found.end(), [&](const ChartPoint& other) {
            return geodesicKilometres(*point, other).value_or(0) / kKilometresPerNauticalMile <
                   kSameCrossing;
        });
        if (!known) {
            found.push_back(*point);
        }
    }
    std::sort(found.begin(), found.end(), [](const ChartPoint& x, const ChartPoint& y) {
        return x.latitude != y.latitude ? x.latitude > y.latitude : x.longitude < y.longitude;
    });
    return found;
}

double cutAngle(const PositionLine& first, const PositionLine& second, const ChartPoint& at) {
    const auto direction = [&](const PositionLine& line) {
        const SheetVector slope = offsetGradient(line, at).value_or(SheetVector{});
        return std::atan2(slope.east, slope.north) / kDegree + 90;
    };
    return std::fabs(std::remainder(direction(first) - direction(second), 360.0));
}

}  // namespace orvanto::navigation
