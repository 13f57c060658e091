// The half-chord ratio of distance.h estimated cheaply: a polynomial stands in for the library
// sine and multiplications by reciprocals for the divisions. The estimate seldom has the exact
// ratio's bits, but it lies within a known margin of them, and a scan that gives one outcome for
// every target within that margin (the scans "within" a margin in scans.h) gives the exact ratio's
// outcome. Nearly every distance is settled this way; the few whose margin straddles the edge of a
// pass's band compute the exact ratio.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "geometry/chart_constants.h"
#include "geometry/chart_point.h"
#include "geometry/scans.h"

namespace orvanto {

// What a distance estimates of one of its points alone, estimated once when the point takes part
// in several distances. NaN outside the latitudes of the globe, where no estimate is made.
struct EstimatedPoint {
    ChartPoint point;
    // The sine of the angle from the pole: the radius of the point's parallel over the earth's.
    double parallelSine;
};

struct EstimatedLeg {
    EstimatedPoint from;
    EstimatedPoint to;
};

namespace estimate {

// How far the estimate may lie from the exact ratio, relative to it. The two differ only where the
// estimate takes the polynomial for the library's sine (within 1e-15 of each other, relative) and
// a product with a rounded reciprocal for a division (a few units in the last place): both parallel
// arcs and the meridian chord stay within about 1e-15 of their exact values, their squares and sum
// within twice that, and the square root halves it again. About 2e-15 in all (the worst seen over
// four million random legs is 9e-16; the tests hold every estimate to 1/1024 of the margin), and
// the margin keeps a reserve of ten thousand times that.
inline constexpr double kRelativeMargin = 0x1p-34;  // about 5.8e-11
// Squares of tiny arcs may lose their last bits to underflow, which the square root amplifies up
// to about 1e-161: still far below every band edge (the nearest to zero lies at about 1.3e-6).
inline constexpr double kAbsoluteMargin = 0x1p-300;

// The calculator's truncated pi, and the equator's length over the earth's diameter in a degree
// (kEarthRadiusKm * kTwoPi / 360 / kEarthDiameterKm), each rounded once.
inline constexpr double kRadiansPerDegree = chart::kPi / 180;
inline constexpr double kDiametersPerDegreeOfEquator = chart::kTwoPi / 720;

// The Taylor coefficients of sin x in powers of x^2: (-1)^n / (2n + 1)!.
inline constexpr std::size_t kSineTerms = 10;
inline constexpr std::array<double, kSineTerms> kSineCoefficients = [] {
    std::array<double, kSineTerms> coefficients{};
    double term = 1;
    for (std::size_t n = 0; n < kSineTerms; ++n) {
        coefficients[n] = term;
        term = -term / static_cast<double>((2 * n + 2) * (2 * n + 3));
    }
    return coefficients;
}();

}  // namespace estimate

// sin x for |x| <= pi / 2, within 1e-15 of it relative to its value. The series to x^19. The terms
// alternate and fall in size for |x| <= pi / 2, so the first term left out, (pi / 2)^21 / 21!
// < 2.6e-16, bounds the error; relative to sin x >= 2x / pi, less than 4.1e-16. Summed by Estrin's
// scheme, in pairs and then pairs of pairs, so that the chain of dependent operations is 9 long
// rather than Horner's 20; the rounding adds a few units in the last place either way.
inline double sineWithinRightAngle(double x) {
    const auto& c = estimate::kSineCoefficients;
    const double y = x * x;
    const double y2 = y * y;
    const double y4 = y2 * y2;
    const double y8 = y4 * y4;
    const double upTo3 = (c[0] + c[1] * y) + y2 * (c[2] + c[3] * y);
    const double from4To7 = (c[4] + c[5] * y) + y2 * (c[6] + c[7] * y);
    const double from8 = c[8] + c[9] * y;
    return x * ((upTo3 + y4 * from4To7) + y8 * from8);
}

inline EstimatedPoint estimatePoint(const ChartPoint& point) {
    const double fromPole = 90 - std::fabs(point.latitude);
    if (!(fromPole >= 0)) {
        return {point, NAN};
    }
    return {point, sineWithinRightAngle(fromPole * estimate::kRadiansPerDegree)};
}

// The exact ratio lies within the margin of the target. NaN where the estimate's bound is not
// proven (latitudes beyond the poles, longitudes more than 360 degrees apart, anything not finite),
// which no scan settles: the exact ratio decides there.
//
// The exact ratio's steps (distance.cpp) with the constants gathered: everything is measured in
// diameters of the earth, so that a parallel's arc is its sine times the longitude difference
// times estimate::kDiametersPerDegreeOfEquator, and the meridian chord is its sine alone.
inline EstimatedTarget estimateHalfChordRatio(const EstimatedLeg& leg) {
    const auto [lat1, lon1] = leg.from.point;
    const auto [lat2, lon2] = leg.to.point;
    double longitudeDifference = std::fabs(lon1 - lon2);
    if (!(longitudeDifference <= 360)) {
        return {NAN, NAN};
    }
    if (longitudeDifference > 180) {
        longitudeDifference = 360 - longitudeDifference;
    }
    const double sine1 = leg.from.parallelSine;
    const double sine2 = leg.to.parallelSine;
    const double arcPerSine = longitudeDifference * estimate::kDiametersPerDegreeOfEquator;
    const double meridianChord =
        sineWithinRightAngle(std::fabs(lat1 - lat2) * (estimate::kRadiansPerDegree / 2));
    // (arc1² + arc2²) / 2 + meridianChord², as the exact ratio sums it.
    const double squaredChord = ((sine1 * sine1 + sine2 * sine2) * (arcPerSine * arcPerSine)) / 2 +
                                meridianChord * meridianChord;
    const double ratio = std::sqrt(squaredChord);
    // NaN from a point beyond the poles, and so its margin.
    return {ratio, ratio * estimate::kRelativeMargin + estimate::kAbsoluteMargin};
}

}  // namespace orvanto
