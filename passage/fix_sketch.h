// The lines of position of a fix as paths a sketch draws: each line followed from the point on it
// nearest the fix both ways, as far as the sketch reaches or the line ends (a bearing line at its
// landmark), the running fix's lines where they were moved to.
#pragma once

#include <span>
#include <vector>

#include "geometry/chart_point.h"
#include "navigation/position_lines.h"

namespace orvanto::passage {

// Each line's points, about `reach` nautical miles each way along it from near `centre`, in
// `steps` steps a side; a line with no point near `centre` has an empty path.
std::vector<std::vector<ChartPoint>> linePaths(std::span<const navigation::PositionLine> lines,
                                               const ChartPoint& centre, double reach,
                                               int steps = 24);

}  // namespace orvanto::passage
