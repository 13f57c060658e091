#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/arithmetic_fault.h"
#include "geometry/three_point_angle.h"

namespace orvanto {
namespace {

// The value every unmatched scan ends on: 180000 subtractions of 0.001 from 180 overshoot zero. A
// scan that recomputed its angle as 180 - k / 1000 would end on another value, and every result's
// last digits would move with it.
constexpr double kScanEnd = -4.954255825029286e-10;
constexpr double kNoDistanceKm = -5.5088810364537116e-08;

struct DistanceRow {
    double lat1, lon1, lat2, lon2;
    double kilometres;
    bool matched;
};

TEST(Distance, FollowsTheChordEstimate) {
    // clang-format off
    const DistanceRow rows[] = {
        {0, 0, 0, 1, 111.1949247, true}, {0, 0, 1, 0, 111.1949247, true},
        {-30, 0, 30, 0, 6671.695485, true},  // across the equator
        {0, 0, 90, 0, 10007.54323, true}, {90, 0, -90, 0, 20014.97526, true},
        {0, 0, 0, 90, 11510.34264, true},    // the estimate overshoots along the equator
        {0, 0, 0, 114.5, 19508.70477, true},
        {0, 170, 0, -170, 2235.351572, true}, {0, 10, 0, 350, 2235.351572, true},  // folded
        {60, 0, 60, 10, 556.0858186, true}, {31.2, 121.5, 35.1, 129.0, 822.1752735, true},
        {42.8333333333, 93.6466666667, 42.1902777778, 102.1902777778, 704.1974584, true},
        {0, 0, 0, 0, kNoDistanceKm, true}, {10, 20, 10, 20, kNoDistanceKm, true},  // identical
        {0, 0, 0, 114.6, kNoDistanceKm, false}, {45, 0, 45, 180, kNoDistanceKm, false},
    };
    // clang-format on
    for (const DistanceRow& row : rows) {
        const DistanceMeasurement d = measureDistance({{row.lat1, row.lon1}, {row.lat2, row.lon2}});
        EXPECT_NEAR(d.kilometres, row.kilometres, std::fabs(row.kilometres) * 1e-9) << row.lon2;
        EXPECT_EQ(d.matched, row.matched) << row.lon2;
    }
    EXPECT_EQ(distance({{0, 0}, {0, 120}}), kNoDistanceKm);
}

TEST(Distance, FaultsInsteadOfReturningGarbageForNonFiniteArguments) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(distance({{nan, 0}, {0, 0}}), ArithmeticFault);
    EXPECT_THROW(distance({{0, INFINITY}, {0, 0}}), ArithmeticFault);
    EXPECT_THROW(distance({{0, 1e308}, {0, -1e308}}), ArithmeticFault);
    EXPECT_THROW(threePointAngle({{0, 0}, {0, 1}, {nan, 0}}), ArithmeticFault);
}

struct AngleRow {
    double lat1, lon1, lat2, lon2, latR, lonR;
    double degrees;  // to three decimals, or kScanEnd when no angle matches
};

TEST(ThreePointAngle, ScansTheCosineAtTheReference) {
    // clang-format off
    const AngleRow rows[] = {
        {31, 120, 29, 120, 30, 120, 179.412},  // reference midway on a meridian
        {0, 1, 1, 0, 0, 0, 89.985},            // right angle on the equator
        {31, 120, 29, 121, 31, 120, 90.004},   // reference on point 1: the cosine is -0
        {29, 121, 31, 120, 31, 120, 90.004},   // reference on point 2
        {31, 120, 31, 120, 30, 120, 0.809},    // points 1 and 2 equal: the cosine is 1
        {30, 120, 30, 120, 30, 120, 60.005},   // all three equal: the cosine is 0.5
        {31, 120, 32, 120, 30, 120, 0.951},    // both points on the same side
        {0, 0, 0, 120, 10, 60, 0.809},         // point 1 to point 2 beyond the distance's reach
        {30 + 17.0 / 60, 120, 29 + 41.0 / 60, 120, 30, 120, kScanEnd},  // nearly straight
        {30 + 13.0 / 60, 120, 30 + 27.0 / 60, 120, 30, 120, kScanEnd},  // nearly folded back
        // The third distance runs from the reference to point 2. Measured the other way its scan
        // matches one pass later here, and the angle would be 54.276.
        {0x1.bdd0d6d72bf5p+3, 0x1.099809dfbf608p+4, 0x1.f58796c2b17dcp+3, 0x1.c35d7c9b2f8a7p+3,
         0x1.8420beddc29bcp+3, 0x1.cd021f3be114p+3, 54.262},
    };
    // clang-format on
    for (const AngleRow& row : rows) {
        const AngleMeasurement a = measureThreePointAngle(
            {{row.lat1, row.lon1}, {row.lat2, row.lon2}, {row.latR, row.lonR}});
        EXPECT_EQ(a.matched, row.degrees != kScanEnd) << row.degrees;
        // Within 1e-9 of a multiple of 0.001, so rounding to thousandths is exact.
        EXPECT_NEAR(a.degrees, row.degrees, 1e-9);
    }
}

}  // namespace
}  // namespace orvanto
