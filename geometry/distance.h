// Great-circle distance between two chart points by the calculator's chord estimate.
//
// The chord is estimated from the meridian chord between the two latitudes and the arcs along the
// two parallels; the central angle is then found by the descending scan of scans.h, not by an
// inverse sine. Results are quantised to 0.001 degree of arc (about 0.111 km). Points too far apart
// (on the equator, beyond about 114.59 degrees of longitude) have no matching angle.
#pragma once

#include "geometry/chart_point.h"
#include "geometry/scans.h"

namespace orvanto {

// The two points of a distance, in the order it is measured: the estimate is not bit-for-bit
// symmetric in them.
struct ChartLeg {
    ChartPoint from;
    ChartPoint to;
};

struct DistanceMeasurement {
    double kilometres;
    // False when the scan found no angle: `kilometres` is then the tiny negative value of the
    // scan's end, not a distance. Identical points do match (and give the same tiny value).
    bool matched;
};

// Throws ArithmeticFault when the arithmetic overflows or becomes invalid (non-finite or
// astronomically large arguments).
DistanceMeasurement measureDistance(const ChartLeg& leg, const ScanRoute& scans = kFastScans);

// The distance in kilometres as measureDistance gives it, matched or not.
double distance(const ChartLeg& leg);

}  // namespace orvanto
