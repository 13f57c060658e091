#include "geometry/three_point_angle.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/estimated_ratio.h"
#include "geometry/scan_steps.h"
#include "geometry/scans.h"

namespace orvanto {
namespace {

// The sides between the corners point 1, point 2 and the reference, in the order they are
// measured: 1–2, 1–R, R–2. distance() is not bit-for-bit symmetric in its points, so each side's
// order is fixed too. The last two alone where point 1 to point 2 is measured already.
constexpr std::array<LegBetween, 3> kSidesInOrder{
    {{.from = 0, .to = 1}, {.from = 0, .to = 2}, {.from = 2, .to = 1}}};
constexpr std::array<LegBetween, 2> kSidesToReference{{kSidesInOrder[1], kSidesInOrder[2]}};

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

// The sides' outcomes from their estimated ratios where these settle them, from their exact ratios
// otherwise; false where an exact ratio's arithmetic faults.
template <std::size_t Sides>
bool scanSides(const std::array<ChartPoint, 3>& corners, const std::array<LegBetween, Sides>& legs,
               const std::array<EstimatedTarget, Sides>& estimates,
               std::array<SideOutcome, Sides>& outcomes, const ScanPath& scans) {
    const unsigned settled = scans.angleSidesWithin(estimates, outcomes);
    for (std::size_t side = 0; side < Sides; ++side) {
        if ((settled & (1U << side)) == 0) [[unlikely]] {
            const std::optional<double> ratio = finiteHalfChordRatio(
                {preparePoint(corners[legs[side].from]), preparePoint(corners[legs[side].to])});
            if (!ratio) {
                return false;
            }
            outcomes[side] = scans.angleSide(*ratio);
        }
    }
    return true;
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
                                               const AngleSide& sideR2, const ScanPath& scans) {
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

AngleMeasurement measureThreePointAngle(const AngleCorners& corners, const ScanPath& scans) {
    const std::array<ChartPoint, 3> points{corners.point1, corners.point2, corners.reference};
    // Each point takes part in two of the sides: estimated once for both.
    const std::array<EstimatedTarget, 3> estimates = estimateHalfChordRatios(points, kSidesInOrder);
    scans.prefetchForCosine(
        roughCosine(estimates[0].target, estimates[1].target, estimates[2].target));
    std::array<SideOutcome, 3> sides{};
    if (!scanSides(points, kSidesInOrder, estimates, sides, scans)) {
        throw ArithmeticFault("distance arithmetic overflowed or became invalid");
    }
    return orFault(angleFromSides(sideFromScan(sides[0]), sideFromScan(sides[1]),
                                  sideFromScan(sides[2]), scans));
}

std::optional<AngleMeasurement> measureThreePointAngleUnlessFault(
    const AngleCorners& corners, const DistanceMeasurement& point1ToPoint2, const ScanPath& scans) {
    const std::array<ChartPoint, 3> points{corners.point1, corners.point2, corners.reference};
    const std::array<EstimatedTarget, 2> estimates =
        estimateHalfChordRatios(points, kSidesToReference);
    const AngleSide side12 = sideOf(point1ToPoint2);
    scans.prefetchForCosine(roughCosine(side12.chord / chart::kEarthDiameterKm, estimates[0].target,
                                        estimates[1].target));
    std::array<SideOutcome, 2> sides{};
    if (!scanSides(points, kSidesToReference, estimates, sides, scans)) {
        return std::nullopt;
    }
    return angleFromSides(side12, sideFromScan(sides[0]), sideFromScan(sides[1]), scans);
}

AngleMeasurement measureThreePointAngle(const AngleCorners& corners,
                                        const DistanceMeasurement& point1ToPoint2,
                                        const ScanPath& scans) {
    return orFault(measureThreePointAngleUnlessFault(corners, point1ToPoint2, scans));
}

double threePointAngle(const AngleCorners& corners) {
    return measureThreePointAngle(corners).degrees;
}

}  // namespace orvanto
