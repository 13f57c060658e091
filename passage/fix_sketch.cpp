#include "passage/fix_sketch.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orvanto::passage {
namespace {

using navigation::PositionLine;
using navigation::SheetVector;

// Newton's steps across the line until the offset is under a metre's hundredth part: a point a
// step along the line's direction lands beside the line where it curves, and is brought back.
constexpr int kNewtonSteps = 6;
constexpr double kOnTheLine = 1e-5;  // nautical miles

std::optional<ChartPoint> ontoLine(const PositionLine& line, ChartPoint point) {
    for (int i = 0; i < kNewtonSteps; ++i) {
        const auto offset = navigation::lineOffset(line, point);
        const auto slope = navigation::offsetGradient(line, point);
        if (!offset || !slope) {
            return std::nullopt;
        }
        if (std::fabs(*offset) < kOnTheLine) {
            return point;
        }
        const double squared = slope->east * slope->east + slope->north * slope->north;
        if (squared == 0) {
            return std::nullopt;
        }
        point = navigation::offsetPoint(
            point, {-*offset * slope->east / squared, -*offset * slope->north / squared});
    }
    const auto offset = navigation::lineOffset(line, point);
    return offset && std::fabs(*offset) < kOnTheLine ? std::optional{point} : std::nullopt;
}

// The line's direction at a point on it, one nautical mile long: its offset's slope turned 90°
// to the right.
std::optional<SheetVector> along(const PositionLine& line, const ChartPoint& point) {
    const auto slope = navigation::offsetGradient(line, point);
    if (!slope) {
        return std::nullopt;
    }
    const double length = std::hypot(slope->east, slope->north);
    if (length == 0) {
        return std::nullopt;
    }
    return SheetVector{slope->north / length, -slope->east / length};
}

}  // namespace

std::vector<std::vector<ChartPoint>> linePaths(std::span<const PositionLine> lines,
                                               const ChartPoint& centre, double reach, int steps) {
    std::vector<std::vector<ChartPoint>> paths;
    const double step = reach / steps;
    for (const PositionLine& line : lines) {
        std::vector<ChartPoint> path;
        if (const auto start = ontoLine(line, centre)) {
            std::vector<ChartPoint> sides[2];
            for (int side = 0; side < 2; ++side) {
                const double sign = side == 0 ? 1 : -1;
                ChartPoint at = *start;
                for (int i = 0; i < steps; ++i) {
                    const auto direction = along(line, at);
                    if (!direction) {
                        break;
                    }
                    const auto next = ontoLine(
                        line, navigation::offsetPoint(at, {sign * step * direction->east,
                                                           sign * step * direction->north}));
                    if (!next) {
                        break;
                    }
                    at = *next;
                    sides[side].push_back(at);
                }
            }
            path.assign(sides[1].rbegin(), sides[1].rend());
            path.push_back(*start);
            path.insert(path.end(), sides[0].begin(), sides[0].end());
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace orvanto::passage
