#include "geometry/distance.h"

#include <cmath>
#include <optional>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/estimated_ratio.h"
#include "geometry/scans.h"

// The operations below run in the order written, in double precision, without contraction into
// fused multiply-adds: the result is compared to thousandths and the scan tolerance is tight, so
// reordering or fusing even one step can move the first matching pass.

namespace orvanto {
namespace {

// The parallel's radius times 2 pi is the first step of each arc along the parallel, so preparing
// it per point leaves the order of every operation unchanged.
double parallelRadius(double latitude) {
    return std::sin(((90 - std::fabs(latitude)) / 180) * chart::kPi) * chart::kEarthRadiusKm;
}

// The scan of the estimated ratio, when it settles (nearly always). Inlined: a call would cost a
// tenth of a distance.
[[gnu::always_inline]] inline std::optional<ScanOutcome> estimatedScan(const ChartLeg& leg,
                                                                       const ScanPath& scans) {
    return scans.halfAngleSineWithin(
        estimateHalfChordRatio({estimatePoint(leg.from), estimatePoint(leg.to)}));
}

}  // namespace

PreparedPoint preparePoint(const ChartPoint& point) {
    return {point, parallelRadius(point.latitude) * chart::kTwoPi};
}

std::optional<double> finiteHalfChordRatio(const PreparedLeg& leg) {
    const auto [lat1, lon1] = leg.from.point;
    const auto [lat2, lon2] = leg.to.point;
    double longitudeDifference = std::fabs(lon1 - lon2);
    // Folded once only: a difference above 360 turns negative, and only its square matters.
    if (longitudeDifference > 180) {
        longitudeDifference = 360 - longitudeDifference;
    }
    const double arc1 = (leg.from.parallelCircumference * longitudeDifference) / 360;
    const double arc2 = (leg.to.parallelCircumference * longitudeDifference) / 360;
    const double latitudeDifference = std::fabs(lat1 - lat2);
    const double meridianChord =
        std::sin(((latitudeDifference / 2) / 180) * chart::kPi) * chart::kEarthDiameterKm;
    const double squaredChord =
        ((arc1 * arc1) / 2 + meridianChord * meridianChord) + (arc2 * arc2) / 2;
    const double ratio = std::sqrt(squaredChord) / chart::kEarthDiameterKm;
    if (!std::isfinite(ratio)) {
        return std::nullopt;
    }
    return ratio;
}

namespace {

// The few distances whose estimate does not settle their scan, or that have none: the exact ratio,
// or nothing where its arithmetic faults.
[[gnu::noinline]] std::optional<DistanceMeasurement> measureExactlyUnlessFault(
    const ChartLeg& leg, const ScanPath& scans) {
    const std::optional<double> ratio =
        finiteHalfChordRatio({preparePoint(leg.from), preparePoint(leg.to)});
    if (!ratio) {
        return std::nullopt;
    }
    return distanceFromScan(scans.halfAngleSine(*ratio));
}

}  // namespace

std::optional<DistanceMeasurement> measureDistanceUnlessFault(const ChartLeg& leg,
                                                              const ScanPath& scans) {
    // Built where it is returned: an optional copied whole is read back in one 16-byte load from
    // the smaller stores that wrote it, which the processor cannot forward (a fifth of a distance's
    // time).
    if (const std::optional<ScanOutcome> scan = estimatedScan(leg, scans)) {
        return distanceFromScan(*scan);
    }
    return measureExactlyUnlessFault(leg, scans);
}

DistanceMeasurement measureDistance(const ChartLeg& leg, const ScanPath& scans) {
    if (const std::optional<ScanOutcome> scan = estimatedScan(leg, scans)) {
        return distanceFromScan(*scan);
    }
    if (const std::optional<DistanceMeasurement> exact = measureExactlyUnlessFault(leg, scans)) {
        return *exact;
    }
    throw ArithmeticFault("distance arithmetic overflowed or became invalid");
}

double distance(const ChartLeg& leg) {
    return measureDistance(leg).kilometres;
}

}  // namespace orvanto
