// Where two lines of position cross: first where their shapes cross on a flat chart around the
// landmarks (a bearing's straight line, a range's circle, a horizontal angle's arc, each moved by
// its transfer), then each such point carried onto the lines themselves by Newton's steps.
#pragma once

#include <vector>

#include "navigation/position_lines.h"

namespace orvanto::navigation {

// The points that lie on both lines, none, one or two (circles that cut each other, a bearing that
// cuts a circle), each at most once; north first.
std::vector<ChartPoint> crossingsOf(const PositionLine& first, const PositionLine& second);

// The angle of cut (交角) of two lines at a point on both, degrees 0 to 180: between the lines'
// directions there, so that two bearings cut at the difference of the bearings.
double cutAngle(const PositionLine& first, const PositionLine& second, const ChartPoint& at);

}  // namespace orvanto::navigation
