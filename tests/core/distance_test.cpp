#include "distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calculation_errors.h"
#include "scans.h"
#include "three_point_angle.h"

namespace orvanto {
namespace {

// The value every unmatched scan ends on: 180000 subtractions of 0.001 from 180 overshoot zero.
constexpr double kScanEnd = -4.954255825029286e-10;
constexpr double kNoDistanceKm = -5.5088810364537116e-08;

struct DistanceRow {
    double lat1, lon1, lat2, lon2;
    double kilometres;
    bool matched;
    const char* note;
};

const DistanceRow kDistanceRows[] = {
    {0, 0, 0, 1, 111.1949247, true, "one degree along the equator"},
    {0, 0, 1, 0, 111.1949247, true, "one degree along a meridian"},
    {-30, 0, 30, 0, 6671.695485, true, "across the equator"},
    {0, 0, 90, 0, 10007.54323, true, "equator to pole"},
    {90, 0, -90, 0, 20014.97526, true, "pole to pole matches in the first pass"},
    {0, 0, 0, 90, 11510.34264, true, "the estimate overshoots along the equator"},
    {0, 0, 0, 114.5, 19508.70477, true, "near the end of the estimate's reach"},
    {0, 170, 0, -170, 2235.351572, true, "a longitude difference of 340 folds to 20"},
    {0, 10, 0, 350, 2235.351572, true, "the same fold"},
    {60, 0, 60, 10, 556.0858186, true, "along a parallel"},
    {31.2, 121.5, 35.1, 129.0, 822.1752735, true, ""},
    {42.8333333333, 93.6466666667, 42.1902777778, 102.1902777778, 704.1974584, true,
     "4250.0/9338.80 to 421125/1021125"},
    {0, 0, 0, 0, kNoDistanceKm, true, "identical points match just above zero"},
    {10, 20, 10, 20, kNoDistanceKm, true, "identical points anywhere"},
    {0, 0, 0, 114.6, kNoDistanceKm, false, "beyond the estimate's reach"},
    {0, 0, 0, 120, kNoDistanceKm, false, ""},
    {45, 0, 45, 180, kNoDistanceKm, false, ""},
};

TEST(Distance, FollowsTheChordEstimate) {
    for (const DistanceRow& row : kDistanceRows) {
        SCOPED_TRACE(row.note);
        const DistanceMeasurement d = measureDistance(row.lat1, row.lon1, row.lat2, row.lon2);
        EXPECT_NEAR(d.kilometres, row.kilometres, std::fabs(row.kilometres) * 1e-9);
        EXPECT_EQ(d.matched, row.matched);
        EXPECT_EQ(distance(row.lat1, row.lon1, row.lat2, row.lon2), d.kilometres);
    }
}

TEST(Distance, UnmatchedScanEndsOnItsFirstNegativeValue) {
    // Regression guard: the angle must accumulate its steps, not be recomputed as 180 - k/1000,
    // or this value (and every result's last digits) would change.
    const ScanOutcome outcome = scanHalfAngleSine(2.0);
    EXPECT_FALSE(outcome.matched);
    EXPECT_EQ(outcome.angle, kScanEnd);
    EXPECT_EQ(distance(0, 0, 0, 120), kNoDistanceKm);
}

TEST(Distance, FaultsInsteadOfReturningGarbageForNonFiniteArguments) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(distance(nan, 0, 0, 0), ArithmeticFault);
    EXPECT_THROW(distance(0, inf, 0, 0), ArithmeticFault);
    EXPECT_THROW(distance(0, 1e308, 0, -1e308), ArithmeticFault);
    EXPECT_THROW(threePointAngle(0, 0, 0, 1, nan, 0), ArithmeticFault);
}

struct AngleRow {
    double lat1, lon1, lat2, lon2, latR, lonR;
    double degrees;  // to three decimals
    bool matched;
    const char* note;
};

const AngleRow kAngleRows[] = {
    {31, 120, 29, 120, 30, 120, 179.412, true, "reference midway on a meridian"},
    {0, 1, 1, 0, 0, 0, 89.985, true, "right angle on the equator"},
    {31, 120, 29, 121, 31, 120, 90.004, true, "reference on point 1: cosine -0"},
    {29, 121, 31, 120, 31, 120, 90.004, true, "reference on point 2"},
    {31, 120, 31, 120, 30, 120, 0.809, true, "points 1 and 2 equal: cosine 1"},
    {30, 120, 30, 120, 30, 120, 60.005, true, "all three equal: cosine 0.5"},
    {31, 120, 32, 120, 30, 120, 0.951, true, "both points on the same side"},
    {0, 0, 0, 120, 10, 60, 0.809, true, "point 1 to point 2 beyond the distance's reach"},
    {30 + 17.0 / 60, 120, 29 + 41.0 / 60, 120, 30, 120, kScanEnd, false, "nearly straight"},
    {30 + 13.0 / 60, 120, 30 + 27.0 / 60, 120, 30, 120, kScanEnd, false, "nearly folded back"},
};

TEST(ThreePointAngle, ScansTheCosineAtTheReference) {
    for (const AngleRow& row : kAngleRows) {
        SCOPED_TRACE(row.note);
        const AngleMeasurement a =
            measureThreePointAngle(row.lat1, row.lon1, row.lat2, row.lon2, row.latR, row.lonR);
        EXPECT_EQ(a.matched, row.matched);
        if (row.matched) {
            // Within 1e-9 of a multiple of 0.001, so rounding to thousandths is exact.
            EXPECT_NEAR(a.degrees, row.degrees, 1e-9);
        } else {
            EXPECT_EQ(a.degrees, kScanEnd);
        }
        EXPECT_EQ(threePointAngle(row.lat1, row.lon1, row.lat2, row.lon2, row.latR, row.lonR),
                  a.degrees);
    }
}

TEST(ThreePointAngle, CosinesOfTheTriangle) {
    EXPECT_NEAR(measureThreePointAngle(31, 120, 29, 120, 30, 120).cosine, -0.99984770, 1e-8);
    EXPECT_NEAR(measureThreePointAngle(0, 1, 1, 0, 0, 0).cosine, 0.00032736, 1e-8);
    EXPECT_EQ(measureThreePointAngle(30, 120, 30, 120, 30, 120).cosine, 0.5);
    EXPECT_NEAR(measureThreePointAngle(30 + 17.0 / 60, 120, 29 + 41.0 / 60, 120, 30, 120).cosine,
                -1.00669, 1e-5);
}

TEST(CosineScan, MatchBandEdges) {
    // A first match at pass k returns 180 - (k + 1) / 1000 to within the accumulated drift.
    EXPECT_NEAR(scanCosine(-1).angle, 179.999, 1e-9);
    EXPECT_NEAR(scanCosine(0).angle, 90.004, 1e-9);
    EXPECT_NEAR(scanCosine(1).angle, 0.809, 1e-9);
    EXPECT_FALSE(scanCosine(1.001).matched);
    EXPECT_FALSE(scanCosine(-1.001).matched);
    EXPECT_FALSE(scanCosine(std::numeric_limits<double>::quiet_NaN()).matched);
}

}  // namespace
}  // namespace orvanto
