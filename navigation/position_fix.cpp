#include "navigation/position_fix.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "navigation/geodesic_measures.h"
#include "navigation/line_crossings.h"
#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kSettled = 1e-9;
constexpr int kMostSteps = 100;

// How far a cut is from the best, 90°.
double poorness(double cut) {
    return std::fabs(cut - 90);
}

// The sum of squared distances of a point to the lines (each offset divided by its slope, so that
// it is a distance to first order); infinite where a line has no meaning.
double squaredDistances(std::span<const PositionLine> lines, const ChartPoint& point) {
    double sum = 0;
    for (const PositionLine& line : lines) {
        const auto offset = lineOffset(line, point);
        const auto slope = offsetGradient(line, point);
        if (!offset || !slope || length(*slope) == 0) {
            return std::numeric_limits<double>::infinity();
        }
        sum += (*offset / length(*slope)) * (*offset / length(*slope));
    }
    return sum;
}

// Gauss-Newton on the lines' distances from the centre of the crossings: each line straight near
// the point, the normal equations of the unit normals solved for the step.
ChartPoint leastSquares(std::span<const PositionLine> lines, ChartPoint point) {
    for (int step = 0; step < kMostSteps; ++step) {
        double nn = 0;
        double ne = 0;
        double ee = 0;
        SheetVector right;
        for (const PositionLine& line : lines) {
            const auto offset = lineOffset(line, point);
            const auto slope = offsetGradient(line, point);
            if (!offset || !slope || length(*slope) == 0) {
                return point;
            }
            const double size = length(*slope);
            const SheetVector unit = (1 / size) * *slope;
            const double distance = *offset / size;
            ee += unit.east * unit.east;
            ne += unit.east * unit.north;
            nn += unit.north * unit.north;
            right = right - distance * unit;
        }
        const double determinant = ee * nn - ne * ne;
        if (std::fabs(determinant) < 1e-12) {
            return point;
        }
        const SheetVector move{(right.east * nn - right.north * ne) / determinant,
                               (right.north * ee - right.east * ne) / determinant};
        point = offsetPoint(point, move);
        if (length(move) < kSettled) {
            break;
        }
    }
    return point;
}

ChartPoint centreOf(std::span<const LineCrossing> crossings) {
    const ChartPoint first = crossings.front().position;
    double latitude = 0;
    double longitude = 0;
    for (const LineCrossing& crossing : crossings) {
        latitude += crossing.position.latitude;
        longitude += std::remainder(crossing.position.longitude - first.longitude, 360.0);
    }
    const auto count = static_cast<double>(crossings.size());
    return {latitude / count, wrappedLongitude(first.longitude + longitude / count)};
}

Expected<PositionFix, FixProblem> twoLines(const PositionLine& a, const PositionLine& b,
                                           std::optional<ChartPoint> deadReckoning) {
    std::vector<ChartPoint> points = crossingsOf(a, b);
    if (points.empty()) {
        return unexpected(FixProblem{FixProblem::Kind::NoCrossing, 0, 1});
    }
    PositionFix fix;
    if (points.size() == 2 && deadReckoning &&
        geodesicMiles(*deadReckoning, points[1]) < geodesicMiles(*deadReckoning, points[0])) {
        std::swap(points[0], points[1]);
    }
    if (points.size() == 1 || deadReckoning) {
        fix.position = points.front();
    }
    for (const ChartPoint& point : points) {
        fix.crossings.push_back({0, 1, point, cutAngle(a, b, point)});
    }
    // Without a choice the worse of the two cuts stands.
    fix.cut = fix.crossings.front().cut;
    if (!fix.position && poorness(fix.crossings.back().cut) > poorness(fix.cut)) {
        fix.cut = fix.crossings.back().cut;
    }
    return fix;
}

}  // namespace

double geodesicMiles(const ChartPoint& from, const ChartPoint& to) {
    return geodesicKilometres(from, to).value_or(0) / kKilometresPerNauticalMile;
}

Expected<PositionFix, FixProblem> fixPosition(std::span<const PositionLine> lines,
                                              std::optional<ChartPoint> deadReckoning) {
    if (lines.size() < 2) {
        return unexpected(FixProblem{FixProblem::Kind::TooFewLines, 0, 0});
    }
    if (lines.size() == 2) {
        return twoLines(lines[0], lines[1], deadReckoning);
    }
    PositionFix fix;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            const std::vector<ChartPoint> points = crossingsOf(lines[i], lines[j]);
            if (points.empty()) {
                return unexpected(FixProblem{FixProblem::Kind::NoCrossing, i, j});
            }
            // Of two crossings, the other lines tell which is meant.
            const auto best = std::min_element(
                points.begin(), points.end(), [&](const ChartPoint& x, const ChartPoint& y) {
                    return squaredDistances(lines, x) < squaredDistances(lines, y);
                });
            fix.crossings.push_back({i, j, *best, cutAngle(lines[i], lines[j], *best)});
        }
    }
    fix.cut = fix.crossings.front().cut;
    double hat = 0;
    for (std::size_t i = 0; i < fix.crossings.size(); ++i) {
        if (poorness(fix.crossings[i].cut) > poorness(fix.cut)) {
            fix.cut = fix.crossings[i].cut;
        }
        for (std::size_t j = i + 1; j < fix.crossings.size(); ++j) {
            hat =
                std::max(hat, geodesicMiles(fix.crossings[i].position, fix.crossings[j].position));
        }
    }
    fix.hat = hat;
    fix.position = leastSquares(lines, centreOf(fix.crossings));
    return fix;
}

}  // namespace orvanto::navigation
