// The fast scans against the pass-by-pass reference scans, bit for bit. Each reference call steps
// through up to 180000 passes, so the inputs are split into parts that CTest can run in parallel.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "scan_routes.h"

namespace orvanto::testing {
namespace {

enum class InputKind {
    Random,     // uniform over the matching range and a little beyond it
    BandEdges,  // a few units in the last place around the band edges of random passes
    Extremes,   // the no-match edges, zero (coincident points), infinities and NaN
};

struct ReferencePart {
    const ScanRoutes* routes;
    InputKind kind;
    unsigned part;  // also seeds the random inputs of this part
};

std::vector<double> extremeInputs(const TabulatedScan& scan) {
    std::vector<double> inputs{0.0,           -0.0,    0.5,      1.0,      -1.0,      DBL_TRUE_MIN,
                               -DBL_TRUE_MIN, DBL_MAX, -DBL_MAX, INFINITY, -INFINITY, NAN};
    addBandEdges(inputs, scan, 0, 3);
    addBandEdges(inputs, scan, scan.values().size() - 1, 3);
    return inputs;
}

std::vector<double> inputsOf(const ReferencePart& part) {
    const TabulatedScan& scan = part.routes->tabulated();
    std::mt19937_64 random(part.part);
    std::vector<double> inputs;
    if (part.kind == InputKind::Random) {
        std::uniform_real_distribution<double> target(part.routes->lowest, part.routes->highest);
        for (std::size_t i = 0; i < 4000 / kInputDivisor; ++i) {
            inputs.push_back(target(random));
        }
    } else if (part.kind == InputKind::BandEdges) {
        std::uniform_int_distribution<std::size_t> pass(0, scan.values().size() - 1);
        for (std::size_t i = 0; i < 420 / kInputDivisor; ++i) {
            addBandEdges(inputs, scan, pass(random), 2);
        }
    } else {
        inputs = extremeInputs(scan);
    }
    return inputs;
}

class AgainstReferenceScan : public ::testing::TestWithParam<ReferencePart> {};

TEST_P(AgainstReferenceScan, GivesTheSameOutcome) {
    const ScanRoutes& routes = *GetParam().routes;
    const TabulatedScan& tabulated = routes.tabulated();
    const std::vector<double> inputs = inputsOf(GetParam());
    int mismatches = 0;
    for (const double input : inputs) {
        const ScanOutcome expected = routes.reference(input);
        // The tabulated copy is checked too: the million-input tests rely on it.
        const bool fastAgrees = sameOutcome(routes.fast(input), expected);
        const bool copyAgrees = sameOutcome(tabulated(input), expected);
        if ((!fastAgrees || !copyAgrees) && ++mismatches <= 5) {
            ADD_FAILURE() << (fastAgrees ? "tabulated copy" : "fast route") << " differs at "
                          << std::hexfloat << input;
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << inputs.size() << " inputs";
}

std::vector<ReferencePart> allParts() {
    std::vector<ReferencePart> parts;
    for (const ScanRoutes* routes : {&kHalfAngleSineRoutes, &kCosineRoutes}) {
        for (unsigned part = 0; part < 3; ++part) {
            parts.push_back({routes, InputKind::Random, part});
        }
        for (unsigned part = 0; part < 2; ++part) {
            parts.push_back({routes, InputKind::BandEdges, part});
        }
        parts.push_back({routes, InputKind::Extremes, 0});
    }
    return parts;
}

std::string partName(const ::testing::TestParamInfo<ReferencePart>& info) {
    static const char* const kKindNames[] = {"Random", "BandEdges", "Extremes"};
    return std::string(info.param.routes->name) + kKindNames[static_cast<int>(info.param.kind)] +
           std::to_string(info.param.part);
}

INSTANTIATE_TEST_SUITE_P(Parts, AgainstReferenceScan, ::testing::ValuesIn(allParts()), partName);

}  // namespace
}  // namespace orvanto::testing
