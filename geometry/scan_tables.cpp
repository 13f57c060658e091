#include "geometry/scan_tables.h"

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
        table.passes.push_back({value, angle});
    }
    table.monotonic = runsOneWay(table.passes, scan.valuesFall);
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
