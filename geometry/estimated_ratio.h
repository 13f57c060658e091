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
template <typename Value>
Value sineWithinRightAngle(Value x) {
    const auto& c = estimate::kSineCoefficients;
    const Value y = x * x;
    const Value y2 = y * y;
    const Value y4 = y2 * y2;
    const Value y8 = y4 * y4;
    const Value upTo3 = (c[0] + c[1] * y) + y2 * (c[2] + c[3] * y);
    const Value from4To7 = (c[4] + c[5] * y) + y2 * (c[6] + c[7] * y);
    const Value from8 = c[8] + c[9] * y;
    return x * ((upTo3 + y4 * from4To7) + y8 * from8);
}

// The sines of several angles within a right angle, two at a time in one vector register where
// the compiler offers vectors of two doubles (GCC and Clang, em++ included, each operation of a
// lane exactly the scalar one), one at a time elsewhere.
template <std::size_t Count>
std::array<double, Count> sinesWithinRightAngle(const std::array<double, Count>& angles) {
    std::array<double, Count> sines{};
    std::size_t next = 0;
#if defined(__GNUC__)
    using DoublePair = double __attribute__((vector_size(2 * sizeof(double))));
    for (; next + 2 <= Count; next += 2) {
        const DoublePair pair = sineWithinRightAngle(DoublePair{angles[next], angles[next + 1]});
        sines[next] = pair[0];
        sines[next + 1] = pair[1];
    }
#endif
    for (; next < Count; ++next) {
        sines[next] = sineWithinRightAngle(angles[next]);
    }
    return sines;
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
// times estimate::kDiametersPerDegreeOfEquator, and the meridian chord is its sine alone:
// sineWithinRightAngle of meridianChordAngle, which a caller of several legs computes beside the
// others' sines.
inline double meridianChordAngle(const ChartPoint& from, const ChartPoint& to) {
    return std::fabs(from.latitude - to.latitude) * (estimate::kRadiansPerDegree / 2);
}

inline EstimatedTarget estimateHalfChordRatio(const EstimatedLeg& leg, double meridianChord) {
    double longitudeDifference = std::fabs(leg.from.point.longitude - leg.to.point.longitude);
    if (!(longitudeDifference <= 360)) {
        return {NAN, NAN};
    }
    if (longitudeDifference > 180) {
        longitudeDifference = 360 - longitudeDifference;
    }
    const double sine1 = leg.from.parallelSine;
    const double sine2 = leg.to.parallelSine;
    const double arcPerSine = longitudeDifference * estimate::kDiametersPerDegreeOfEquator;
    // (arc1² + arc2²) / 2 + meridianChord², as the exact ratio sums it.
    const double squaredChord = ((sine1 * sine1 + sine2 * sine2) * (arcPerSine * arcPerSine)) / 2 +
                                meridianChord * meridianChord;
    const double ratio = std::sqrt(squaredChord);
    // NaN from a point beyond the poles, and so its margin.
    return {ratio, ratio * estimate::kRelativeMargin + estimate::kAbsoluteMargin};
}

inline EstimatedTarget estimateHalfChordRatio(const EstimatedLeg& leg) {
    return estimateHalfChordRatio(
        leg, sineWithinRightAngle(meridianChordAngle(leg.from.point, leg.to.point)));
}

// A leg among a few points, by the points' places.
struct LegBetween {
    std::size_t from;
    std::size_t to;
};

// The estimates of a few legs among a few points at once, an angle's sides among its corners,
// each what estimateHalfChordRatio gives for it alone. The sines are most of an estimate's work and
// independent of each other, one for each point's parallel and one for each leg's meridian chord:
// sinesWithinRightAngle computes them two at a time. Inlined, so that the legs' ends are constants
// where the caller names them.
template <std::size_t Points, std::size_t Legs>
[[gnu::always_inline]] inline std::array<EstimatedTarget, Legs> estimateHalfChordRatios(
    const std::array<ChartPoint, Points>& points, const std::array<LegBetween, Legs>& legs) {
    std::array<double, Points> fromPole{};
    std::array<double, Points + Legs> angles{};
    for (std::size_t p = 0; p < Points; ++p) {
        fromPole[p] = 90 - std::fabs(points[p].latitude);
        angles[p] = fromPole[p] * estimate::kRadiansPerDegree;
    }
    for (std::size_t leg = 0; leg < Legs; ++leg) {
        angles[Points + leg] = meridianChordAngle(points[legs[leg].from], points[legs[leg].to]);
    }
    const std::array<double, Points + Legs> sines = sinesWithinRightAngle(angles);
    std::array<EstimatedPoint, Points> estimated{};
    for (std::size_t p = 0; p < Points; ++p) {
        // As estimatePoint gives it: no estimate beyond the poles.
        estimated[p] = {points[p], fromPole[p] >= 0 ? sines[p] : NAN};
    }
    std::array<EstimatedTarget, Legs> targets{};
    for (std::size_t leg = 0; leg < Legs; ++leg) {
        targets[leg] = estimateHalfChordRatio({estimated[legs[leg].from], estimated[legs[leg].to]},
                                              sines[Points + leg]);
    }
    return targets;
}

}  // namespace orvanto
