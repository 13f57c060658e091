#include "geometry/three_point_angle.h"

#include <cmath>
#include <optional>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/scan_steps.h"
#include "geometry/scans.h"

namespace orvanto {
namespace {

// One side of the angle: the distance as measured, and its chord.
struct AngleSide {
    DistanceMeasurement distance;
    double chord;
};

AngleSide sideOf(const DistanceMeasurement& distance) {
    return {distance, chordOfDistance(distance.kilometres)};
}

AngleSide sideFromScan(const SideOutcome& side) {
    return {distanceFromScan(side.scan), side.chord};
}

// Close to the cosine that angleFromSides will compute, from the sides' ratios of chord to diameter
// before their scans: each scanned chord lies within about 0.001 degree of arc of the diameter
// times its ratio.
double roughCosine(double ratio12, double ratio1R, double ratioR2) {
    return ((ratioR2 * ratioR2 + ratio1R * ratio1R) - ratio12 * ratio12) /
           ((ratio1R + ratio1R) * ratioR2);
}

// The angle from its three sides, measured in the order 1–2, 1–R, R–2; nothing when the cosine's
// division divides by zero, is invalid or overflows.
std::optional<AngleMeasurement> angleFromSides(const AngleSide& side12, const AngleSide& side1R,
                                               const AngleSide& sideR2, const ScanRoute& scans) {
    const double a = side12.chord;
    const double b = side1R.chord;
    const double c = sideR2.chord;

    // Law of cosines, in exactly this order of operations.
    const double divisor = (b + b) * c;
    const double cosine = ((c * c + b * b) - a * a) / divisor;
    if (divisor == 0 || !std::isfinite(cosine)) {
        return std::nullopt;
    }
    const ScanOutcome scan = scans.cosine(cosine);
    return AngleMeasurement{scan.result,     scan.matched,    cosine,
                            side12.distance, side1R.distance, sideR2.distance};
}

AngleMeasurement orFault(const std::optional<AngleMeasurement>& angle) {
    if (!angle) {
        throw ArithmeticFault("angle arithmetic divided by zero, overflowed or became invalid");
    }
    return *angle;
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
    scans.expectCosine(roughCosine(ratio12, ratio1R, ratioR2));
    return orFault(angleFromSides(sideFromScan(scans.angleSide(ratio12)),
                                  sideFromScan(scans.angleSide(ratio1R)),
                                  sideFromScan(scans.angleSide(ratioR2)), scans));
}

std::optional<AngleMeasurement> measureThreePointAngleUnlessFault(
    const AngleCorners& corners, const DistanceMeasurement& point1ToPoint2,
    const ScanRoute& scans) {
    const PreparedPoint p1 = preparePoint(corners.point1);
    const PreparedPoint p2 = preparePoint(corners.point2);
    const PreparedPoint r = preparePoint(corners.reference);
    const std::optional<double> ratio1R = finiteHalfChordRatio({.from = p1, .to = r});
    const std::optional<double> ratioR2 = finiteHalfChordRatio({.from = r, .to = p2});
    if (!ratio1R || !ratioR2) {
        return std::nullopt;
    }
    const AngleSide side12 = sideOf(point1ToPoint2);
    scans.expectCosine(roughCosine(side12.chord / chart::kEarthDiameterKm, *ratio1R, *ratioR2));
    return angleFromSides(side12, sideFromScan(scans.angleSide(*ratio1R)),
                          sideFromScan(scans.angleSide(*ratioR2)), scans);
}

AngleMeasurement measureThreePointAngle(const AngleCorners& corners,
                                        const DistanceMeasurement& point1ToPoint2,
                                        const ScanRoute& scans) {
    return orFault(measureThreePointAngleUnlessFault(corners, point1ToPoint2, scans));
}

double threePointAngle(const AngleCorners& corners) {
    return measureThreePointAngle(corners).degrees;
}

}  // namespace orvanto
