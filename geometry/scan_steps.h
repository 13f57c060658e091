// What each of the two descending scans compares at a pass, written once: the pass-by-pass
// reference scans and the tables of the fast path both evaluate these same expressions, so the
// proof that the two paths agree compares paths, not two copies of the arithmetic.
#pragma once

#include <cmath>

#include "geometry/chart_constants.h"
#include "geometry/scans.h"

namespace orvanto {

// The sine of half the running angle B, which the distance scan compares with the half-chord
// ratio. The order of the operations and the truncated pi are part of the result: reordering them
// moves the first matching pass near the tolerance boundaries.
inline double halfAngleSineAt(double b) {
    return std::sin(((b / 2) * chart::kPi) / 180);
}

// The cosine of the running angle v, which the angle scan compares with the cosine at R.
inline double cosineAt(double v) {
    return std::cos((v / 180) * chart::kPi);
}

// The distance in km of the central angle B the distance scan stops at. Part of the scan's result,
// so that the tables hold it per pass and a distance does not divide once its pass is found.
inline double kilometresOfCentralAngle(double b) {
    return (b * chart::kCircumferenceKm) / 360;
}

// The chord through the sphere of a distance in km: 2r·sin(θ/2) for the central angle θ = d / r.
inline double chordOfDistance(double kilometres) {
    return chart::kEarthDiameterKm * std::sin(kilometres / chart::kEarthDiameterKm);
}

inline double degreesAsTheyStand(double v) {
    return v;
}

// One scan: the value it compares at each running angle, what it gives for the angle it stops at,
// its tolerance, and which way the values run as the angle falls from 180 towards 0 (the
// half-angle sines fall, the cosines rise).
struct ScanDefinition {
    double (*valueAt)(double angle);
    double (*resultOf)(double angle);
    double tolerance;
    bool valuesFall;
};

inline constexpr ScanDefinition kHalfAngleSineScan{halfAngleSineAt, kilometresOfCentralAngle,
                                                   chart::kHalfAngleSineTolerance, true};
inline constexpr ScanDefinition kCosineScan{cosineAt, degreesAsTheyStand, chart::kCosineTolerance,
                                            false};

// The reference scan: pass by pass, every step as written, up to 180000 evaluations of
// `scan.valueAt`.
ScanOutcome referenceScan(const ScanDefinition& scan, double target);

}  // namespace orvanto
