#include "geometry/scan_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geometry/chart_constants.h"

namespace orvanto {
namespace {

// Checked once here rather than assumed: the platform's sine and cosine are not guaranteed to be
// monotonic to the last bit, and the fast path's search is only exact where they are. Its quick
// verdict on a match also needs every step within the tolerance (the largest are about 0.87 of it
// for the half-angle sines and 0.18 for the cosines). Written so that a NaN fails the check.
bool searchable(std::span<const ScanPass> passes, const ScanDefinition& scan) {
    for (std::size_t k = 1; k < passes.size(); ++k) {
        const double step = scan.valuesFall ? passes[k - 1].value - passes[k].value
                                            : passes[k].value - passes[k - 1].value;
        if (!(step >= 0 && step <= scan.tolerance)) {
            return false;
        }
    }
    return !passes.empty();
}

// The first pass below the upper bound at every bucket edge, in one sweep: as the target rises the
// first such pass moves earlier for falling values and later for rising ones, so the edges are
// visited in the order in which that pass only moves forward.
void tabulateBucketEdges(const ScanDefinition& scan, ScanTable& table) {
    const std::span<const ScanPass> passes = table.passes();
    const auto [lowest, highest] =
        std::minmax_element(passes.begin(), passes.end(),
                            [](const ScanPass& a, const ScanPass& b) { return a.value < b.value; });
    const double firstEdge = std::floor((lowest->value - scan.tolerance) * kBucketsPerUnit);
    const double lastEdge = std::ceil((highest->value + scan.tolerance) * kBucketsPerUnit);
    table.firstEdge = static_cast<std::int64_t>(firstEdge);
    table.firstEdgeScaled = firstEdge;
    table.lastEdgeScaled = lastEdge;
    const auto edges = static_cast<std::size_t>(lastEdge - firstEdge) + 1;
    table.firstPassBelowAtEdge.resize(edges);
    std::size_t pass = 0;
    for (std::size_t step = 0; step < edges; ++step) {
        const std::size_t edge = scan.valuesFall ? edges - 1 - step : step;
        const double target = (firstEdge + static_cast<double>(edge)) / kBucketsPerUnit;
        while (pass < passes.size() &&
               !((scan.valuesFall ? passes[pass].value - target : target - passes[pass].value) <
                 scan.tolerance)) {
            ++pass;
        }
        table.firstPassBelowAtEdge[edge] = static_cast<std::uint32_t>(pass);
    }
    for (std::size_t edge = 0; edge < edges + kCoarseEdgeStride; edge += kCoarseEdgeStride) {
        table.coarseFirstPassBelow.push_back(table.firstPassBelowAtEdge[std::min(edge, edges - 1)]);
    }
}

}  // namespace

ScanTable buildScanTable(const ScanDefinition& scan) {
    // The running angle is one double from which the step is subtracted pass after pass, as in the
    // reference scan; a table of 180 - k / 1000 would move the first match near band edges.
    ScanTable table;
    std::vector<ScanPass>& passes = table.paddedPasses;
    passes.reserve(static_cast<std::size_t>(chart::kScanPasses) + kSentinelPasses);
    double angle = chart::kScanStart;
    while (!(angle < 0)) {
        const double value = scan.valueAt(angle);
        angle -= chart::kScanStep;
        passes.push_back({value, scan.resultOf(angle)});
    }
    table.passCount = passes.size();
    const double neverMatching = scan.valuesFall ? -HUGE_VAL : HUGE_VAL;
    passes.insert(passes.end(), kSentinelPasses, {neverMatching, passes.back().resultAfter});
    table.searchable = searchable(table.passes(), scan);
    if (table.searchable) {
        tabulateBucketEdges(scan, table);
    }
    return table;
}

std::vector<double> buildChordTable(const ScanTable& halfAngleSines) {
    std::vector<double> chords(halfAngleSines.paddedPasses.size());
    std::transform(halfAngleSines.paddedPasses.begin(), halfAngleSines.paddedPasses.end(),
                   chords.begin(),
                   [](const ScanPass& pass) { return chordOfDistance(pass.resultAfter); });
    return chords;
}

}  // namespace orvanto
