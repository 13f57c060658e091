#include "geometry/three_point_angle.h"

#include <cmath>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/scans.h"

namespace orvanto {
namespace {

// 2r·sin(θ/2) for the central angle θ = d / r.
double chordOf(double kilometres) {
    return chart::kEarthDiameterKm * std::sin(kilometres / chart::kEarthDiameterKm);
}

// The angle from its three distances, measured in the order 1–2, 1–R, R–2.
AngleMeasurement angleFromDistances(const DistanceMeasurement& d12, const DistanceMeasurement& d1R,
                                    const DistanceMeasurement& dR2, const ScanRoute& scans) {
    const double a = chordOf(d12.kilometres);
    const double b = chordOf(d1R.kilometres);
    const double c = chordOf(dR2.kilometres);

    // Law of cosines, in exactly this order of operations.
    const double divisor = (b + b) * c;
    const double cosine = ((c * c + b * b) - a * a) / divisor;
    if (divisor == 0 || !std::isfinite(cosine)) {
        throw ArithmeticFault("angle arithmetic divided by zero, overflowed or became invalid");
    }
    const ScanOutcome scan = scans.cosine(cosine);
    return {scan.result, scan.matched, cosine, d12, d1R, dR2};
}

}  // namespace

AngleMeasurement measureThreePointAngle(const AngleCorners& corners, const ScanRoute& scans) {
    // Each point takes part in two of the distances: prepared once for both.
    const PreparedPoint p1 = preparePoint(corners.point1);
    const PreparedPoint p2 = preparePoint(corners.point2);
    const PreparedPoint r = preparePoint(corners.reference);
    // distance() is not bit-for-bit symmetric in its points, so these orders are fixed. The three
    // scans run side by side once their targets are known, so that their table reads overlap.
    const double ratio12 = halfChordRatio({.from = p1, .to = p2});
    const double ratio1R = halfChordRatio({.from = p1, .to = r});
    const double ratioR2 = halfChordRatio({.from = r, .to = p2});
    return angleFromDistances(distanceFromScan(scans.halfAngleSine(ratio12)),
                              distanceFromScan(scans.halfAngleSine(ratio1R)),
                              distanceFromScan(scans.halfAngleSine(ratioR2)), scans);
}

AngleMeasurement measureThreePointAngle(const AngleCorners& corners,
                                        const DistanceMeasurement& point1ToPoint2,
                                        const ScanRoute& scans) {
    const PreparedPoint p1 = preparePoint(corners.point1);
    const PreparedPoint p2 = preparePoint(corners.point2);
    const PreparedPoint r = preparePoint(corners.reference);
    const double ratio1R = halfChordRatio({.from = p1, .to = r});
    const double ratioR2 = halfChordRatio({.from = r, .to = p2});
    return angleFromDistances(point1ToPoint2, distanceFromScan(scans.halfAngleSine(ratio1R)),
                              distanceFromScan(scans.halfAngleSine(ratioR2)), scans);
}

double threePointAngle(const AngleCorners& corners) {
    return measureThreePointAngle(corners).degrees;
}

}  // namespace orvanto
