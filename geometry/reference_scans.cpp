#include <cmath>

#include "chart_constants.h"
#include "scans.h"

// Every expression below is part of the result: the order of the operations, the truncated pi and
// the subtraction of the step from the running double decide which pass matches first. This file is
// compiled without floating-point contraction, since a fused multiply-add would change the last
// bit.

namespace orvanto {

ScanOutcome referenceScanHalfAngleSine(double halfChordRatio) {
    double b = chart::kScanStart;
    bool matched = false;
    while (!(b < 0) && !matched) {
        const double sine = std::sin(((b / 2) * chart::kPi) / 180);
        if (std::fabs(sine - halfChordRatio) < chart::kHalfAngleSineTolerance) {
            matched = true;
        }
        b -= chart::kScanStep;
    }
    return {b, matched};
}

ScanOutcome referenceScanCosine(double cosine) {
    double v = chart::kScanStart;
    bool matched = false;
    while (!(v < 0) && !matched) {
        const double x = (v / 180) * chart::kPi;
        if (std::fabs(cosine - std::cos(x)) < chart::kCosineTolerance) {
            matched = true;
        }
        v -= chart::kScanStep;
    }
    return {v, matched};
}

}  // namespace orvanto
