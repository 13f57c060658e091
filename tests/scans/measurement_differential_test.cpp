// Whole distances and angles by both scan routes: the fast route must leave every measurement the
// calculator shows unchanged, not only the scans' outcomes.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

#include "three_point_angle.h"

namespace orvanto {
namespace {

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameDistance(const DistanceMeasurement& a, const DistanceMeasurement& b) {
    return sameBits(a.kilometres, b.kilometres) && a.matched == b.matched;
}

// Latitudes and longitudes over the whole globe and beyond, so that unmatched distances, folded
// longitudes and coincident points all occur.
struct RandomPoints {
    std::mt19937_64 random{20261206};
    std::uniform_real_distribution<double> latitude{-95, 95};
    std::uniform_real_distribution<double> longitude{-200, 200};
    std::uniform_int_distribution<int> coincidence{0, 9};
};

TEST(FastRoute, GivesTheSameDistances) {
    RandomPoints points;
    for (int i = 0; i < 400; ++i) {
        const double lat1 = points.latitude(points.random);
        const double lon1 = points.longitude(points.random);
        const bool coincident = points.coincidence(points.random) == 0;
        const double lat2 = coincident ? lat1 : points.latitude(points.random);
        const double lon2 = coincident ? lon1 : points.longitude(points.random);
        ASSERT_TRUE(sameDistance(measureDistance(lat1, lon1, lat2, lon2, kFastScans),
                                 measureDistance(lat1, lon1, lat2, lon2, kReferenceScans)))
            << lat1 << ", " << lon1 << " to " << lat2 << ", " << lon2;
    }
}

TEST(FastRoute, GivesTheSameAngles) {
    RandomPoints points;
    // A chart-sized neighbourhood, where the angle usually matches.
    std::uniform_real_distribution<double> offset(-3, 3);
    for (int i = 0; i < 100; ++i) {
        const double latR = points.latitude(points.random) * 0.8;
        const double lonR = points.longitude(points.random);
        const double lat1 = latR + offset(points.random);
        const double lon1 = lonR + offset(points.random);
        const double lat2 = latR + offset(points.random);
        const double lon2 = lonR + offset(points.random);
        const AngleMeasurement fast =
            measureThreePointAngle(lat1, lon1, lat2, lon2, latR, lonR, kFastScans);
        const AngleMeasurement reference =
            measureThreePointAngle(lat1, lon1, lat2, lon2, latR, lonR, kReferenceScans);
        ASSERT_TRUE(sameBits(fast.degrees, reference.degrees) &&
                    fast.matched == reference.matched && sameBits(fast.cosine, reference.cosine))
            << lat1 << ", " << lon1 << " / " << lat2 << ", " << lon2 << " / " << latR << ", "
            << lonR;
    }
}

}  // namespace
}  // namespace orvanto
