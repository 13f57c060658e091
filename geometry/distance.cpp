#include "geometry/distance.h"

#include <cmath>

#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/scans.h"

// The operations below run in the order written, in double precision, without contraction into
// fused multiply-adds: the result is compared to thousandths and the scan tolerance is tight, so
// reordering or fusing even one step can move the first matching pass.

namespace orvanto {
namespace {

double parallelRadius(double latitude) {
    return std::sin(((90 - std::fabs(latitude)) / 180) * chart::kPi) * chart::kEarthRadiusKm;
}

}  // namespace

DistanceMeasurement measureDistance(const ChartLeg& leg, const ScanRoute& scans) {
    const auto [lat1, lon1] = leg.from;
    const auto [lat2, lon2] = leg.to;
    const double r1 = parallelRadius(lat1);
    const double r2 = parallelRadius(lat2);
    double longitudeDifference = std::fabs(lon1 - lon2);
    // Folded once only: a difference above 360 turns negative, and only its square matters.
    if (longitudeDifference > 180) {
        longitudeDifference = 360 - longitudeDifference;
    }
    const double arc1 = ((r1 * chart::kTwoPi) * longitudeDifference) / 360;
    const double arc2 = ((r2 * chart::kTwoPi) * longitudeDifference) / 360;
    const double latitudeDifference = std::fabs(lat1 - lat2);
    const double meridianChord =
        std::sin(((latitudeDifference / 2) / 180) * chart::kPi) * chart::kEarthDiameterKm;
    const double squaredChord =
        ((arc1 * arc1) / 2 + meridianChord * meridianChord) + (arc2 * arc2) / 2;
    const double halfChordRatio = std::sqrt(squaredChord) / chart::kEarthDiameterKm;
    if (!std::isfinite(halfChordRatio)) {
        throw ArithmeticFault("distance arithmetic overflowed or became invalid");
    }
    const ScanOutcome scan = scans.halfAngleSine(halfChordRatio);
    return {(scan.angle * chart::kCircumferenceKm) / 360, scan.matched};
}

double distance(const ChartLeg& leg) {
    return measureDistance(leg).kilometres;
}

}  // namespace orvanto
