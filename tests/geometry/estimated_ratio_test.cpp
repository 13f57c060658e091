// The estimated half-chord ratio against the exact one, and the distances and angles settled from
// it against those the exact ratios give, bit for bit, over legs of every kind a chart user
// measures and the awkward corners of the globe.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "geometry/arithmetic_fault.h"
#include "geometry/estimated_ratio.h"
#include "geometry/three_point_angle.h"
#include "same_bits.h"

namespace orvanto {
namespace {

// The calculator's path before the estimates: every target computed exactly, then found in the
// tables, which the scan path tests prove against the reference scans.
constexpr ScanPath kExactTargets{
    scanHalfAngleSine,
    scanAngleSide,
    [](const EstimatedTarget&) -> std::optional<ScanOutcome> { return std::nullopt; },
    [](std::span<const EstimatedTarget>, std::span<SideOutcome>) { return 0U; },
    scanCosine,
    prefetchForCosine};

bool sameDistance(const DistanceMeasurement& a, const DistanceMeasurement& b) {
    return sameBits(a.kilometres, b.kilometres) && a.matched == b.matched;
}
bool sameAngle(const std::optional<AngleMeasurement>& a, const std::optional<AngleMeasurement>& b) {
    return a.has_value() == b.has_value() &&
           (!a ||
            (sameBits(a->degrees, b->degrees) && a->matched == b->matched &&
             sameBits(a->cosine, b->cosine) && sameDistance(a->point1ToPoint2, b->point1ToPoint2) &&
             sameDistance(a->point1ToReference, b->point1ToReference) &&
             sameDistance(a->referenceToPoint2, b->referenceToPoint2)));
}

std::optional<AngleMeasurement> angleUnlessFault(const AngleCorners& corners,
                                                 const ScanPath& scans) {
    try {
        return measureThreePointAngle(corners, scans);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

TEST(SineWithinRightAngle, FollowsTheLibrarySine) {
    double worst = 0;
    constexpr int kSteps = 1 << 20;
    for (int step = 1; step <= kSteps; ++step) {
        const double x = step * (std::numbers::pi / 2) / kSteps;
        worst = std::max(worst, std::fabs(sineWithinRightAngle(x) - std::sin(x)) / std::sin(x));
        // Two at a time in a vector, or one at a time: the same bits.
        const auto together = sinesWithinRightAngle<3>({x, x / 3, x / 7});
        ASSERT_EQ(together, (std::array{sineWithinRightAngle(x), sineWithinRightAngle(x / 3),
                                        sineWithinRightAngle(x / 7)}));
    }
    EXPECT_LT(worst, 1e-15);
    EXPECT_EQ(sineWithinRightAngle(0.0), 0.0);
    EXPECT_EQ(sineWithinRightAngle(1e-300), 1e-300);
}

// Legs that chart users measure (short ones, in degrees and minutes), and the corners where the
// arithmetic is awkward: the poles, the equator, a meridian, folded longitudes, identical points,
// and points off the globe, which the estimate leaves to the exact ratio.
constexpr std::size_t kKindsOfLeg = 10;

std::vector<ChartLeg> legsToProve() {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> latitude(-90, 90);
    std::uniform_real_distribution<double> longitude(-180, 180);
    std::uniform_real_distribution<double> nearby(-1, 1);
    std::uniform_int_distribution<int> minutes(-90 * 60, 90 * 60);
    std::vector<ChartLeg> legs;
    for (int i = 0; i < 400000; ++i) {
        const ChartPoint from{latitude(random), longitude(random)};
        const double near = std::pow(10.0, 3 * nearby(random) - 2);  // 0.00001 to 10 degrees
        const double onGlobe = std::clamp(from.latitude + near * nearby(random), -90.0, 90.0);
        const ChartPoint to[] = {
            {latitude(random), longitude(random)},
            {onGlobe, from.longitude + near * nearby(random)},
            {minutes(random) / 60.0, std::round(longitude(random) * 60) / 60},
            {from.latitude, longitude(random)},                        // along a parallel
            {latitude(random), from.longitude},                        // along a meridian
            {std::copysign(90.0, nearby(random)), longitude(random)},  // a pole
            {from.latitude * nearby(random), from.longitude + 180 + near * nearby(random)},
            {from.latitude, from.longitude + 360 * std::copysign(1.0, nearby(random))},
            from,
            {from.latitude * 1.2, from.longitude * 2.5},  // beyond the poles, or 360 degrees apart
        };
        static_assert(std::size(to) == kKindsOfLeg);
        legs.push_back({from, to[static_cast<std::size_t>(i) % kKindsOfLeg]});
    }
    return legs;
}

TEST(EstimatedRatio, SettlesExactlyWhatTheExactRatioGives) {
    double worstError = 0;
    int shortLegFallbacks = 0;
    const std::vector<ChartLeg> legs = legsToProve();
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const ChartLeg& leg = legs[i];
        const EstimatedTarget estimate =
            estimateHalfChordRatio({estimatePoint(leg.from), estimatePoint(leg.to)});
        const std::optional<double> exact =
            finiteHalfChordRatio({preparePoint(leg.from), preparePoint(leg.to)});
        if (std::isfinite(estimate.target)) {
            ASSERT_TRUE(exact.has_value());
            const double error = std::fabs(estimate.target - *exact);
            worstError = std::max(worstError, error / std::max(*exact, 1e-300));
            // The reserve the margin keeps over the error its analysis allows.
            EXPECT_LE(error * 1024, estimate.margin) << leg.from.latitude << " " << leg.to.latitude;
            const bool shortLeg = i % kKindsOfLeg == 1;
            shortLegFallbacks += shortLeg && !scanHalfAngleSineWithin(estimate) ? 1 : 0;
        }
        const std::optional<DistanceMeasurement> fast = measureDistanceUnlessFault(leg);
        const std::optional<DistanceMeasurement> exactPath =
            measureDistanceUnlessFault(leg, kExactTargets);
        ASSERT_EQ(fast.has_value(), exactPath.has_value());
        if (fast) {
            EXPECT_TRUE(sameDistance(*fast, *exactPath)) << i;
            EXPECT_TRUE(sameDistance(measureDistance(leg), *fast)) << i;
        }
        if (i % 3 == 0 && i + 1 < legs.size() && fast) {  // every kind of leg in its turn
            const AngleCorners corners{leg.from, leg.to, legs[i + 1].to};
            EXPECT_TRUE(sameAngle(angleUnlessFault(corners, kFastScans),
                                  angleUnlessFault(corners, kExactTargets)))
                << i;
            EXPECT_TRUE(sameAngle(measureThreePointAngleUnlessFault(corners, *fast),
                                  measureThreePointAngleUnlessFault(corners, *fast, kExactTargets)))
                << i;
        }
    }
    EXPECT_LT(worstError, 1e-14);
    // Only a leg within its margin of a band edge computes its exact ratio: about 1 in 100,000.
    EXPECT_LT(shortLegFallbacks, 10);
}

}  // namespace
}  // namespace orvanto
