// The fix (观测船位) from two or more lines of position: where two lines cross, or with three or
// more the point nearest all of them and the crossings around it (with three, the cocked hat, 误差
// 三角形), with the angle of cut that tells how far a fix can be trusted.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "navigation/position_lines.h"
#include "text/expected.h"

namespace orvanto::navigation {

// Where two lines cross, counted from 0 in the order the lines were given.
struct LineCrossing {
    std::size_t first = 0;
    std::size_t second = 0;
    ChartPoint position{};
    double cut = 0;  // the angle of cut there, degrees 0 to 180
};

struct PositionFix {
    // Nothing for two lines that cross twice without a dead-reckoning position to choose by.
    std::optional<ChartPoint> position;
    // Two lines: their crossings, the fix's first (both when they cross twice). Three or more:
    // one a pair, (1,2), (1,3), … (2,3), …; of a pair that crosses twice, the crossing nearer the
    // other lines.
    std::vector<LineCrossing> crossings;
    // The cut farthest from 90°, of the fix's crossing for two lines, of every pair otherwise.
    double cut = 0;
    // Three or more lines: the largest distance between two crossings, nautical miles.
    std::optional<double> hat;
};

// Lines that cannot give a fix: fewer than two, or two that never cross (parallel bearings,
// circles apart), counted from 0.
struct FixProblem {
    enum class Kind { TooFewLines, NoCrossing };
    Kind kind = Kind::TooFewLines;
    std::size_t first = 0;
    std::size_t second = 0;
};

// The fix of the lines: two lines at their crossing, the one nearer `deadReckoning` when they
// cross twice; three or more at the point with the least sum of squared distances to the lines.
Expected<PositionFix, FixProblem> fixPosition(std::span<const PositionLine> lines,
                                              std::optional<ChartPoint> deadReckoning);

// The distance between two points, nautical miles on the geodesic.
double geodesicMiles(const ChartPoint& from, const ChartPoint& to);

}  // namespace orvanto::navigation
