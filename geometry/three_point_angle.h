// The angle at a reference point R between the chord to point 1 and the chord to point 2.
//
// The three chords through a sphere of diameter 12742 km come from three distances (distance.h);
// the law of cosines gives the cosine of the angle at R, and a descending scan (scans.h) finds the
// angle, at most 179.999 degrees. Nearly collinear points can give chords that break the triangle
// inequality (the distances are quantised), and then no angle matches.
#pragma once

#include <optional>

#include "geometry/distance.h"

namespace orvanto {

// The three points of an angle: its vertex is the reference point, its sides run to point 1 and
// to point 2.
struct AngleCorners {
    ChartPoint point1;
    ChartPoint point2;
    ChartPoint reference;
};

struct AngleMeasurement {
    double degrees;
    // False when the scan found no angle: `degrees` is then the tiny negative value of its end.
    bool matched;
    double cosine;  // the cosine at R that the scan looked for
    // The three distances, in the order they are measured.
    DistanceMeasurement point1ToPoint2;
    DistanceMeasurement point1ToReference;
    DistanceMeasurement referenceToPoint2;
};

// Throws ArithmeticFault when the cosine's division divides by zero, is invalid or overflows, and
// passes on a fault of the distances.
AngleMeasurement measureThreePointAngle(const AngleCorners& corners,
                                        const ScanPath& scans = kFastScans);

// The same with point 1 to point 2 already measured (measureDistance over the same scans), for a
// caller that shows that distance too and need not measure it twice.
AngleMeasurement measureThreePointAngle(const AngleCorners& corners,
                                        const DistanceMeasurement& point1ToPoint2,
                                        const ScanPath& scans = kFastScans);

// The same, or nothing where it would throw: for a caller that checks every row (see
// measureDistanceUnlessFault).
std::optional<AngleMeasurement> measureThreePointAngleUnlessFault(
    const AngleCorners& corners, const DistanceMeasurement& point1ToPoint2,
    const ScanPath& scans = kFastScans);

// The angle in degrees as measureThreePointAngle gives it, matched or not.
double threePointAngle(const AngleCorners& corners);

}  // namespace orvanto
