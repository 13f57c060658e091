// The fast path of both scans proven against the reference scans, bit for bit: pass by pass on
// random inputs, band edges and extremes; against the reference's first match found over the
// tables at both band edges of every pass, over a million inputs a scan; and through whole
// distances and angles, so that every measurement the calculator shows is unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "geometry/scan_tables.h"
#include "geometry/three_point_angle.h"
#include "same_bits.h"

namespace orvanto {
namespace {

struct ScanUnderTest {
    const char* name;
    const ScanDefinition* definition;
    const ScanTable& (*table)();
    ScanOutcome (*fast)(double);
    ScanOutcome (*reference)(double);
    double lowest, highest;  // random targets: all that can match and a little beyond
};

const ScanUnderTest kScans[] = {
    {"HalfAngleSine", &kHalfAngleSineScan, halfAngleSineTable, scanHalfAngleSine,
     referenceScanHalfAngleSine, 0.0, 1.00002},
    {"Cosine", &kCosineScan, cosineTable, scanCosine, referenceScanCosine, -1.0002, 1.0002},
};

bool sameOutcome(const ScanOutcome& a, const ScanOutcome& b) {
    return sameBits(a.result, b.result) && a.matched == b.matched && a.pass == b.pass;
}

// Both edges of pass k's band (its value minus and plus the tolerance, as computed) and the doubles
// up to `ulps` units in the last place either side of each: where the first match moves.
void addBandEdges(std::vector<double>& inputs, const ScanUnderTest& scan, std::size_t k, int ulps) {
    const double value = scan.table().passes()[k].value;
    for (const double edge :
         {value - scan.definition->tolerance, value + scan.definition->tolerance}) {
        inputs.push_back(edge);
        double below = edge;
        double above = edge;
        for (int step = 0; step < ulps; ++step) {
            below = std::nextafter(below, -INFINITY);
            above = std::nextafter(above, INFINITY);
            inputs.push_back(below);
            inputs.push_back(above);
        }
    }
}

// The reference scan's first matching pass, found over the table's values rather than by
// re-evaluating them. A block of passes whose values all lie beyond one side of the band is
// skipped: rounding a subtraction preserves order, so no pass of it can match, whatever order its
// values come in. It shares nothing with the fast path's search.
class TabulatedReference {
  public:
    explicit TabulatedReference(const ScanUnderTest& scan)
        : passes_(scan.table().passes()), tolerance_(scan.definition->tolerance) {
        for (std::size_t first = 0; first < passes_.size(); first += kBlock) {
            double lowest = std::numeric_limits<double>::infinity();
            double highest = -lowest;
            for (std::size_t k = first; k < std::min(first + kBlock, passes_.size()); ++k) {
                lowest = std::min(lowest, passes_[k].value);
                highest = std::max(highest, passes_[k].value);
            }
            blocks_.emplace_back(lowest, highest);
        }
    }

    ScanOutcome operator()(double target) const {
        for (std::size_t k = 0; k < passes_.size(); ++k) {
            const auto [lowest, highest] = blocks_[k / kBlock];
            if (k % kBlock == 0 &&
                (highest - target <= -tolerance_ || lowest - target >= tolerance_)) {
                k += kBlock - 1;
            } else if (std::fabs(passes_[k].value - target) < tolerance_) {
                return {passes_[k].resultAfter, true, static_cast<std::uint32_t>(k)};
            }
        }
        return {passes_.back().resultAfter, false, static_cast<std::uint32_t>(passes_.size() - 1)};
    }

  private:
    static constexpr std::size_t kBlock = 256;
    std::span<const ScanPass> passes_;
    double tolerance_;
    std::vector<std::pair<double, double>> blocks_;  // the lowest and highest value of a block
};

// Each scan's inputs come in shards that CTest runs in parallel: three of random targets, two of
// band edges around random passes, one of extremes (the no-match edges, zero for coincident points,
// infinities, NaN). Every shard also takes every sixth pass's band edges against the tabulated
// reference.
constexpr int kShards = 6;

std::vector<double> referenceInputs(const ScanUnderTest& scan, int shard) {
    std::mt19937_64 random(static_cast<std::uint64_t>(shard));
    std::uniform_real_distribution<double> target(scan.lowest, scan.highest);
    std::uniform_int_distribution<std::size_t> pass(0, scan.table().passes().size() - 1);
    std::vector<double> inputs;
    for (int i = 0; i < 4000 && shard < 3; ++i) {
        inputs.push_back(target(random));
    }
    for (int i = 0; i < 420 && (shard == 3 || shard == 4); ++i) {
        addBandEdges(inputs, scan, pass(random), 2);
    }
    if (shard == 5) {
        inputs = {0.0, -0.0, 0.5, 1.0, -1.0, DBL_TRUE_MIN, DBL_MAX, -DBL_MAX, INFINITY, NAN};
        addBandEdges(inputs, scan, 0, 3);
        addBandEdges(inputs, scan, scan.table().passes().size() - 1, 3);
    }
    return inputs;
}

// A target known within a margin settles only on the outcome that every target within the margin
// gives (monotony fills in the targets between the two ends checked here), and the angle's sides
// settle alike with the chord of the pass found. Targets at, just inside and just beyond the margin
// from a band edge, so that both settling and refusing to occur.
int mismatchesWithin(double edge, const TabulatedReference& tabulated, int& settledCount) {
    int mismatches = 0;
    for (const double margin : {edge * 0x1p-34, 1e-9}) {
        for (const double offset : {-1.5, -1.0, -0.5, 0.0, 0.5, 1.0, 1.5}) {
            const EstimatedTarget estimate{edge + offset * margin, margin};
            const std::optional<ScanOutcome> settled = scanHalfAngleSineWithin(estimate);
            SideOutcome side{};
            const unsigned sideSettled = scanAngleSidesWithin({&estimate, 1}, {&side, 1});
            settledCount += settled ? 1 : 0;
            const bool alike =
                sideSettled == (settled ? 1U : 0U) &&
                (!settled || (sameOutcome(*settled, tabulated(estimate.target - margin)) &&
                              sameOutcome(*settled, tabulated(estimate.target + margin)) &&
                              sameOutcome(side.scan, *settled) &&
                              sameBits(side.chord, chordTable()[settled->pass])));
            if (!alike && ++mismatches <= 5) {
                ADD_FAILURE() << "settled within " << margin << " of " << std::hexfloat
                              << estimate.target;
            }
        }
    }
    return mismatches;
}

class ScanPaths : public ::testing::TestWithParam<std::tuple<const ScanUnderTest*, int>> {};

TEST_P(ScanPaths, FastPathGivesTheReferenceOutcome) {
    const auto [scan, shard] = GetParam();
    const TabulatedReference tabulated(*scan);
    int mismatches = 0;
    const auto expectSame = [&](double input, const ScanOutcome& fast, const ScanOutcome& wanted,
                                const char* against) {
        if (!sameOutcome(fast, wanted) && ++mismatches <= 5) {
            ADD_FAILURE() << against << " differs at " << std::hexfloat << input;
        }
    };
    for (const double input : referenceInputs(*scan, shard)) {
        const ScanOutcome expected = scan->reference(input);
        expectSame(input, scan->fast(input), expected, "fast path");
        // The tabulated reference is checked too: the band edges below rely on it.
        expectSame(input, tabulated(input), expected, "tabulated reference");
    }
    std::vector<double> inputs;
    int settledWithin = 0;
    for (std::size_t k = static_cast<std::size_t>(shard); k < scan->table().passes().size();
         k += kShards) {
        inputs.clear();
        addBandEdges(inputs, *scan, k, 2);
        for (const double input : inputs) {
            expectSame(input, scan->fast(input), tabulated(input), "fast path at a band edge");
        }
        if (scan->definition == &kHalfAngleSineScan && k % (kShards * std::size_t{20}) < kShards) {
            const double value = scan->table().passes()[k].value;
            mismatches +=
                mismatchesWithin(value - scan->definition->tolerance, tabulated, settledWithin) +
                mismatchesWithin(value + scan->definition->tolerance, tabulated, settledWithin);
        }
    }
    EXPECT_EQ(mismatches, 0);
    // Most targets a margin and more from the edge settle (those nearer refuse): the checks above
    // were not vacuous.
    if (scan->definition == &kHalfAngleSineScan) {
        EXPECT_GT(settledWithin, 4000);
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, ScanPaths,
                         ::testing::Combine(::testing::Values(&kScans[0], &kScans[1]),
                                            ::testing::Range(0, kShards)),
                         [](const auto& shard) {
                             return std::string(std::get<0>(shard.param)->name) + "Shard" +
                                    std::to_string(std::get<1>(shard.param));
                         });

// On a platform where this fails the scans stay exact but step pass by pass, and nothing but the
// benchmark would show it.
TEST(ScanTables, HoldTheFastRoutesPremises) {
    for (const ScanUnderTest& scan : kScans) {
        EXPECT_TRUE(scan.table().searchable) << scan.name;
        EXPECT_EQ(scan.table().passes().size(), static_cast<std::size_t>(chart::kScanPasses));
    }
}

// Whole measurements by both routes, over the whole globe and beyond, so that unmatched
// distances, folded longitudes and coincident points all occur: the angles reuse the points.
TEST(ScanPaths, GiveTheSameDistancesAndAngles) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> degrees(-200, 200);
    for (int i = 0; i < 100; ++i) {
        const double lat = degrees(random) / 2;
        const double lon = degrees(random);
        const bool coincident = i % 10 == 0;
        const ChartLeg leg{
            {lat, lon},
            coincident ? ChartPoint{lat, lon} : ChartPoint{degrees(random) / 2, degrees(random)}};
        const DistanceMeasurement fast = measureDistance(leg, kFastScans);
        const DistanceMeasurement reference = measureDistance(leg, kReferenceScans);
        EXPECT_TRUE(sameBits(fast.kilometres, reference.kilometres) &&
                    fast.matched == reference.matched);
        const AngleCorners corners{leg.from, leg.to, {lat / 2, leg.to.longitude / 2}};
        const AngleMeasurement fastAngle = measureThreePointAngle(corners, kFastScans);
        const AngleMeasurement referenceAngle = measureThreePointAngle(corners, kReferenceScans);
        EXPECT_TRUE(sameBits(fastAngle.degrees, referenceAngle.degrees));
    }
}

}  // namespace
}  // namespace orvanto
