#include <cmath>
#include <cstdint>

#include "geometry/chart_constants.h"
#include "geometry/scan_steps.h"
#include "geometry/scans.h"

// The scans as the calculator defines them, pass by pass. The running angle is one double from
// which the step is subtracted in every pass, the matching pass included; this file is compiled
// without floating-point contraction, since a fused multiply-add would change the last bit.

namespace orvanto {

ScanOutcome referenceScan(const ScanDefinition& scan, double target) {
    double angle = chart::kScanStart;
    bool matched = false;
    std::uint32_t passesRun = 0;
    while (!(angle < 0) && !matched) {
        if (std::fabs(scan.valueAt(angle) - target) < scan.tolerance) {
            matched = true;
        }
        angle -= chart::kScanStep;
        ++passesRun;
    }
    return {scan.resultOf(angle), matched, passesRun - 1};
}

ScanOutcome referenceScanHalfAngleSine(double halfChordRatio) {
    return referenceScan(kHalfAngleSineScan, halfChordRatio);
}

SideOutcome referenceScanAngleSide(double halfChordRatio) {
    const ScanOutcome scan = referenceScanHalfAngleSine(halfChordRatio);
    return {scan, chordOfDistance(scan.result)};
}

ScanOutcome referenceScanCosine(double cosine) {
    return referenceScan(kCosineScan, cosine);
}

}  // namespace orvanto
