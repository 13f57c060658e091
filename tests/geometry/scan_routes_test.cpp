// The fast route of both scans proven against the scans as defined, bit for bit: against the
// pass-by-pass reference on random inputs, band edges and extremes; against the reference's first
// match found over the tables at both band edges of every pass, over a million inputs a scan; and
// through whole distances and angles, so that every measurement the calculator shows is unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "geometry/scan_tables.h"
#include "geometry/three_point_angle.h"

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

// The bits copied out, for emscripten's libc++ 13 has no std::bit_cast.
std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
bool sameBits(double a, double b) {
    return bitsOf(a) == bitsOf(b);
}
bool sameOutcome(const ScanOutcome& a, const ScanOutcome& b) {
    return sameBits(a.angle, b.angle) && a.matched == b.matched;
}

// Both edges of pass k's band (its value minus and plus the tolerance, as computed) and the doubles
// up to `ulps` units in the last place either side of each: where the first match moves.
void addBandEdges(std::vector<double>& inputs, const ScanUnderTest& scan, std::size_t k, int ulps) {
    const double value = scan.table().passes[k].value;
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
// values come in. It shares nothing with the fast route's search.
class TabulatedReference {
  public:
    explicit TabulatedReference(const ScanUnderTest& scan)
        : passes_(scan.table().passes), tolerance_(scan.definition->tolerance) {
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
                return {passes_[k].angleAfter, true};
            }
        }
        return {passes_.back().angleAfter, false};
    }

  private:
    static constexpr std::size_t kBlock = 256;
    const std::vector<ScanPass>& passes_;
    double tolerance_;
    std::vector<std::pair<double, double>> blocks_;  // the lowest and highest value of a block
};

// Each scan's inputs come in parts that CTest runs in parallel: three of random targets, two of
// band edges around random passes, one of extremes (the no-match edges, zero for coincident points,
// infinities, NaN). Every part also takes every sixth pass's band edges against the tabulated
// reference.
constexpr int kParts = 6;

std::vector<double> referenceInputs(const ScanUnderTest& scan, int part) {
    std::mt19937_64 random(static_cast<std::uint64_t>(part));
    std::uniform_real_distribution<double> target(scan.lowest, scan.highest);
    std::uniform_int_distribution<std::size_t> pass(0, scan.table().passes.size() - 1);
    std::vector<double> inputs;
    for (int i = 0; i < 4000 && part < 3; ++i) {
        inputs.push_back(target(random));
    }
    for (int i = 0; i < 420 && (part == 3 || part == 4); ++i) {
        addBandEdges(inputs, scan, pass(random), 2);
    }
    if (part == 5) {
        inputs = {0.0, -0.0, 0.5, 1.0, -1.0, DBL_TRUE_MIN, DBL_MAX, -DBL_MAX, INFINITY, NAN};
        addBandEdges(inputs, scan, 0, 3);
        addBandEdges(inputs, scan, scan.table().passes.size() - 1, 3);
    }
    return inputs;
}

class ScanRoutes : public ::testing::TestWithParam<std::tuple<const ScanUnderTest*, int>> {};

TEST_P(ScanRoutes, FastRouteGivesTheReferenceOutcome) {
    const auto [scan, part] = GetParam();
    const TabulatedReference tabulated(*scan);
    int mismatches = 0;
    const auto expectSame = [&](double input, const ScanOutcome& fast, const ScanOutcome& wanted,
                                const char* against) {
        if (!sameOutcome(fast, wanted) && ++mismatches <= 5) {
            ADD_FAILURE() << against << " differs at " << std::hexfloat << input;
        }
    };
    for (const double input : referenceInputs(*scan, part)) {
        const ScanOutcome expected = scan->reference(input);
        expectSame(input, scan->fast(input), expected, "fast route");
        // The tabulated reference is checked too: the band edges below rely on it.
        expectSame(input, tabulated(input), expected, "tabulated reference");
    }
    std::vector<double> inputs;
    for (std::size_t k = static_cast<std::size_t>(part); k < scan->table().passes.size();
         k += kParts) {
        inputs.clear();
        addBandEdges(inputs, *scan, k, 2);
        for (const double input : inputs) {
            expectSame(input, scan->fast(input), tabulated(input), "fast route at a band edge");
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Parts, ScanRoutes,
                         ::testing::Combine(::testing::Values(&kScans[0], &kScans[1]),
                                            ::testing::Range(0, kParts)),
                         [](const auto& part) {
                             return std::string(std::get<0>(part.param)->name) + "Part" +
                                    std::to_string(std::get<1>(part.param));
                         });

// On a platform where this fails the scans stay exact but step pass by pass, and nothing but the
// benchmark would show it.
TEST(ScanTables, AreMonotonicSoTheFastRouteIsUsed) {
    for (const ScanUnderTest& scan : kScans) {
        EXPECT_TRUE(scan.table().monotonic) << scan.name;
        EXPECT_EQ(scan.table().passes.size(), static_cast<std::size_t>(chart::kScanPasses));
    }
}

// Whole measurements by both routes, over the whole globe and beyond, so that unmatched
// distances, folded longitudes and coincident points all occur: the angles reuse the points.
TEST(ScanRoutes, GiveTheSameDistancesAndAngles) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> degrees(-200, 200);
    for (int i = 0; i < 100; ++i) {
        const double lat = degrees(random) / 2;
        const double lon = degrees(random);
        const bool coincident = i % 10 == 0;
        const double p[] = {lat, lon, coincident ? lat : degrees(random) / 2,
                            coincident ? lon : degrees(random)};
        const DistanceMeasurement fast = measureDistance(p[0], p[1], p[2], p[3], kFastScans);
        const DistanceMeasurement reference =
            measureDistance(p[0], p[1], p[2], p[3], kReferenceScans);
        EXPECT_TRUE(sameBits(fast.kilometres, reference.kilometres) &&
                    fast.matched == reference.matched);
        const AngleMeasurement fastAngle =
            measureThreePointAngle(p[0], p[1], p[2], p[3], p[0] / 2, p[3] / 2, kFastScans);
        const AngleMeasurement referenceAngle =
            measureThreePointAngle(p[0], p[1], p[2], p[3], p[0] / 2, p[3] / 2, kReferenceScans);
        EXPECT_TRUE(sameBits(fastAngle.degrees, referenceAngle.degrees));
    }
}

}  // namespace
}  // namespace orvanto
