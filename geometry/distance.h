// Great-circle distance between two chart points by the calculator's chord estimate.
//
// The chord is estimated from the meridian chord between the two latitudes and the arcs along the
// two parallels; the central angle is then found by the descending scan of scans.h, not by an
// inverse sine. Results are quantised to 0.001 degree of arc (about 0.111 km). Points too far apart
// (on the equator, beyond about 114.59 degrees of longitude) have no matching angle.
#pragma once

#include <optional>

#include "geometry/chart_point.h"
#include "geometry/scans.h"

namespace orvanto {

// The two points of a distance, in the order it is measured: the estimate is not bit-for-bit
// symmetric in them.
struct ChartLeg {
    ChartPoint from;
    ChartPoint to;
};

// What the exact ratio of a distance computes of one of its points alone (the estimate's
// counterpart is EstimatedPoint).
struct PreparedPoint {
    ChartPoint point;
    double
        parallelCircumference;  // km: the radius of the point's parallel times the truncated 2 pi
};

PreparedPoint preparePoint(const ChartPoint& point);

struct PreparedLeg {
    PreparedPoint from;
    PreparedPoint to;
};

struct DistanceMeasurement {
    double kilometres;
    // False when the scan found no angle: `kilometres` is then the tiny negative value of the
    // scan's end, not a distance. Identical points do match (and give the same tiny value).
    bool matched;
};

// Throws ArithmeticFault when the arithmetic overflows or becomes invalid (non-finite or
// astronomically large arguments).
DistanceMeasurement measureDistance(const ChartLeg& leg, const ScanPath& scans = kFastScans);

// The same measurement, or nothing where it would throw: for a caller that checks every row, to
// which even a fault that never comes would cost a trip through JavaScript in the browser build.
std::optional<DistanceMeasurement> measureDistanceUnlessFault(const ChartLeg& leg,
                                                              const ScanPath& scans = kFastScans);

// The measurement in its two halves, for a caller that runs several scans side by side: the
// target of the half-angle sine scan, or nothing where its arithmetic overflows or becomes invalid,
// and the distance from the scan's outcome.
std::optional<double> finiteHalfChordRatio(const PreparedLeg& leg);
inline DistanceMeasurement distanceFromScan(const ScanOutcome& scan) {
    return {scan.result, scan.matched};
}

// The distance in kilometres as measureDistance gives it, matched or not.
double distance(const ChartLeg& leg);

}  // namespace orvanto
