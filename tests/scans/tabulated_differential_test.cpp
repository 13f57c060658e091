// The fast scans against the tabulated copy of the reference scans, bit for bit, at both band
// edges of every pass: over a million inputs a scan, each a few units in the last place from where
// the first match moves from one pass to the next.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan_routes.h"

namespace orvanto::testing {
namespace {

struct PassRange {
    const ScanRoutes* routes;
    unsigned half;  // the passes are checked in two halves that CTest can run in parallel
};

std::string rangeName(const ::testing::TestParamInfo<PassRange>& range) {
    return range.param.routes->name + std::string("Half") + std::to_string(range.param.half);
}

class AgainstTabulatedScan : public ::testing::TestWithParam<PassRange> {};

TEST_P(AgainstTabulatedScan, GivesTheSameOutcomeAtEveryBandEdge) {
    const ScanRoutes& routes = *GetParam().routes;
    const TabulatedScan& tabulated = routes.tabulated();
    const std::size_t passes = tabulated.values().size();
    const std::size_t first = GetParam().half * passes / 2;
    const std::size_t end = (GetParam().half + 1) * passes / 2;

    std::vector<bool> firstMatchSeen(passes + 1);
    std::vector<double> inputs;
    int mismatches = 0;
    std::size_t checked = 0;
    for (std::size_t k = first; k < end; k += kInputDivisor) {
        inputs.clear();
        addBandEdges(inputs, tabulated, k, 2);
        for (const double input : inputs) {
            const std::size_t match = tabulated.firstMatch(input);
            firstMatchSeen[match] = true;
            if (!sameOutcome(routes.fast(input), tabulated.outcomeAt(match)) && ++mismatches <= 5) {
                ADD_FAILURE() << "fast route differs at " << std::hexfloat << input;
            }
        }
        checked += inputs.size();
    }
    EXPECT_EQ(mismatches, 0) << "of " << checked << " inputs";

    // Guards the inputs themselves: every pass must have been the first match of some input, or
    // the band edges were missed. A pass whose value ties the one before can never be first.
    const std::vector<double>& values = tabulated.values();
    std::size_t unseen = 0;
    for (std::size_t k = first; k < end && kInputDivisor == 1; ++k) {
        if (!firstMatchSeen[k] && !(k > 0 && values[k] == values[k - 1])) {
            ++unseen;
        }
    }
    EXPECT_EQ(unseen, 0u);
}

INSTANTIATE_TEST_SUITE_P(Halves, AgainstTabulatedScan,
                         ::testing::Values(PassRange{&kHalfAngleSineRoutes, 0},
                                           PassRange{&kHalfAngleSineRoutes, 1},
                                           PassRange{&kCosineRoutes, 0},
                                           PassRange{&kCosineRoutes, 1}),
                         rangeName);

}  // namespace
}  // namespace orvanto::testing
