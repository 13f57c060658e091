#include "geometry/scan_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geometry/chart_constants.h"

namespace orvanto {
namespace {

// Checked once here rather than assumed: the platform's sine and cosine are not guaranteed to be
// monotonic to the last bit, and the fast route's search is only exact where they are. Written so
// that a NaN fails the check.
bool runsOneWay(const std::vector<ScanPass>& passes, bool valuesFall) {
    for (std::size_t k = 1; k < passes.size(); ++k) {
        const double before = passes[k - 1].value;
        const double value = passes[k].value;
        if (!(valuesFall ? value <= before : value >= before)) {
            return false;
        }
    }
    return !passes.empty();
}

// The first pass below the upper bound at every bucket edge, in one sweep: as the target rises the
// first such pass moves earlier for falling values and later for rising ones, so the edges are
// visited in the order in which that pass only moves forward.
void tabulateBucketEdges(const ScanDefinition& scan, ScanTable& table) {
    const auto [lowest, highest] =
        std::minmax_element(table.passes.begin(), table.passes.end(),
                            [](const ScanPass& a, const ScanPass& b) { return a.value < b.value; });
    const double firstEdge = std::floor((lowest->value - scan.tolerance) * kBucketsPerUnit);
    const double lastEdge = std::ceil((highest->value + scan.tolerance) * kBucketsPerUnit);
    table.firstEdge = static_cast<std::int64_t>(firstEdge);
    const auto edges = static_cast<std::size_t>(lastEdge - firstEdge) + 1;
    table.firstPassBelowAtEdge.resize(edges);
    std::size_t pass = 0;
    for (std::size_t step = 0; step < edges; ++step) {
        const std::size_t edge = scan.valuesFall ? edges - 1 - step : step;
        const double target = (firstEdge + static_cast<double>(edge)) / kBucketsPerUnit;
        while (pass < table.passes.size() &&
               !((scan.valuesFall ? table.passes[pass].value - target
                                  : target - table.passes[pass].value) < scan.tolerance)) {
            ++pass;
        }
        table.firstPassBelowAtEdge[edge] = static_cast<std::uint32_t>(pass);
    }
}

}  // namespace

ScanTable buildScanTable(const ScanDefinition& scan) {
    // The running angle is one double from which the step is subtracted pass after pass, as in the
    // reference scan; a table of 180 - k / 1000 would move the first match near band edges.
    ScanTable table;
    table.passes.reserve(static_cast<std::size_t>(chart::kScanPasses));
    double angle = chart::kScanStart;
    while (!(angle < 0)) {
        const double value = scan.valueAt(angle);
        angle -= chart::kScanStep;
        table.passes.push_back({value, scan.resultOf(angle)});
    }
    table.monotonic = runsOneWay(table.passes, scan.valuesFall);
    if (table.monotonic) {
        tabulateBucketEdges(scan, table);
    }
    return table;
}

// A function-local static is initialised exactly once, even when threads race to first use.
const ScanTable& halfAngleSineTable() {
    static const ScanTable table = buildScanTable(kHalfAngleSineScan);
    return table;
}

const ScanTable& cosineTable() {
    static const ScanTable table = buildScanTable(kCosineScan);
    return table;
}

}  // namespace orvanto
