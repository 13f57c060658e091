// The WGS-84 geodesic beside the calculator's chord estimate, for users who want to see how far the
// legacy arithmetic is from the ellipsoid. Computed by GeographicLib from the same decoded degrees.
#pragma once

#include <optional>

#include "geometry/chart_point.h"

namespace orvanto::navigation {

// The geodesic distance between two points in kilometres; nothing when a latitude lies beyond
// ±90, where there is no geodesic.
std::optional<double> geodesicKilometres(const ChartPoint& from, const ChartPoint& to);

// The angle at `vertex` between the geodesics to `first` and to `second`: the difference of their
// azimuths at the vertex, folded into 0…180 degrees. Nothing when a latitude lies beyond ±90.
std::optional<double> geodesicAngle(const ChartPoint& vertex, const ChartPoint& first,
                                    const ChartPoint& second);

}  // namespace orvanto::navigation
