// Rhumb lines (恒向线) for passage planning, the course a ship holds: on WGS-84 by GeographicLib's
// Rhumb, by the textbook's Mercator sailing (mercator_sailing.h) otherwise. Distances in nautical
// miles, courses in degrees true (0 <= course < 360).
#pragma once

#include <optional>
#include <vector>

#include "geometry/chart_point.h"
#include "navigation/sailing_method.h"

namespace orvanto::navigation {

// The course and distance from one point to another, the short way round; course 0 for identical
// points.
Run rhumbBetween(const ChartPoint& from, const ChartPoint& to, SailingMethod method);

// The position after the run, its longitude within -180..180: nothing when the rhumb line would
// reach or pass a pole first, or (textbook) leaves a pole on a course other than 000 or 180.
std::optional<ChartPoint> sailRhumbLine(const ChartPoint& from, const Run& run,
                                        SailingMethod method);

// Points along the WGS-84 rhumb line from `from` to `to` (a parallel stays on its latitude), both
// ends included, at most `maxStepKilometres` apart, longitudes continuous from `from`'s.
std::vector<ChartPoint> rhumbPath(const ChartPoint& from, const ChartPoint& to,
                                  double maxStepKilometres);

}  // namespace orvanto::navigation
