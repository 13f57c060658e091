// Lines of position (位置线) from landmarks, as the chart work of 陆标定位 draws them: a bearing's
// rhumb line through the landmark, a range's geodesic circle around it, a horizontal angle's arc
// through two landmarks; each one, for a running fix (移线), moved by the ship's run and the
// current's drift between its observation and the fix. On the WGS-84 ellipsoid.
#pragma once

#include <optional>

#include "geometry/chart_point.h"
#include "navigation/plotting_sheet.h"
#include "navigation/sailing_method.h"

namespace orvanto::navigation {

enum class PositionLineKind {
    Bearing,          // the landmark bears `value` (degrees true) from the ship
    Range,            // the landmark lies `value` nautical miles from the ship (geodesic)
    HorizontalAngle,  // `value` degrees (0 to 180) clockwise from `landmark` to `second`
};

struct PositionLine {
    PositionLineKind kind = PositionLineKind::Bearing;
    ChartPoint landmark{};  // the landmark; landmark 1 (on the left) of a horizontal angle
    ChartPoint second{};    // landmark 2 of a horizontal angle
    double value = 0;
    // The transfer of a running fix: every point of the line sailed on the rhumb line of `run`,
    // then set by the current along the rhumb line of `drift` (both zero for no transfer).
    Run run{};
    Run drift{};
};

// How far a point stands off the line, in nautical miles to first order (positive on one side,
// negative on the other): nothing where the line has no meaning (on a landmark, for a bearing on
// the reciprocal side, where the transfer back would pass a pole).
std::optional<double> lineOffset(const PositionLine& line, const ChartPoint& point);

// The line moved by its transfer: where a point of the original line is after the run and drift;
// and back. Nothing where the rhumb line would pass a pole.
std::optional<ChartPoint> transferred(const PositionLine& line, const ChartPoint& point);
std::optional<ChartPoint> transferredBack(const PositionLine& line, const ChartPoint& point);

// The local chart around a point: nautical miles east and north for a step in longitude and in
// latitude, on the ellipsoid's radii of curvature there.
struct LocalScale {
    double eastPerDegree = 0;
    double northPerDegree = 0;
};
LocalScale localScale(double latitude);

// The point `offset` (nautical miles east and north) from `from` on its local chart.
ChartPoint offsetPoint(const ChartPoint& from, SheetVector offset);

// The slope of lineOffset at a point, per nautical mile east and north; nothing where it has
// none. Its direction turned 90° to the right is the direction of the line there.
std::optional<SheetVector> offsetGradient(const PositionLine& line, const ChartPoint& point);

}  // namespace orvanto::navigation
