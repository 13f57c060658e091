#include "geometry/three_point_angle.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/scan_tables.h"
#include "geometry/scans.h"

namespace orvanto {
namespace {

// 2r·sin(θ/2) for the central angle θ = d / r.
double chordOf(double kilometres) {
    return chart::kEarthDiameterKm * std::sin(kilometres / chart::kEarthDiameterKm);
}

// The chord of the distance at every pass of the half-angle sine scan, computed as chordOf
// computes it, on the first angle: an angle reads its three chords instead of computing three
// sines. A distance alone never builds it.
const std::vector<double>& chordAtPass() {
    static const std::vector<double> chords = [] {
        const std::vector<ScanPass>& passes = halfAngleSineTable().passes;
        std::vector<double> tabulated(passes.size());
        std::transform(passes.begin(), passes.end(), tabulated.begin(),
                       [](const ScanPass& pass) { return chordOf(pass.resultAfter); });
        return tabulated;
    }();
    return chords;
}

// One side of the angle: the distance as measured, and its chord.
struct AngleSide {
    DistanceMeasurement distance;
    double chord;
};

AngleSide sideOf(const DistanceMeasurement& distance) {
    return {distance, chordOf(distance.kilometres)};
}

AngleSide sideFromScan(const ScanOutcome& scan, const ScanRoute& scans) {
    if (scans.chordsTabulated) {
        return {distanceFromScan(scan), chordAtPass()[scan.pass]};
    }
    return sideOf(distanceFromScan(scan));
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
    return orFault(angleFromSides(sideFromScan(scans.halfAngleSine(ratio12), scans),
                                  sideFromScan(scans.halfAngleSine(ratio1R), scans),
                                  sideFromScan(scans.halfAngleSine(ratioR2), scans), scans));
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
    return angleFromSides(sideOf(point1ToPoint2),
                          sideFromScan(scans.halfAngleSine(*ratio1R), scans),
                          sideFromScan(scans.halfAngleSine(*ratioR2), scans), scans);
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
