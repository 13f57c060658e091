#include "scan_tables.h"

#include <cmath>
#include <cstddef>

#include "chart_constants.h"

// The tables hold the scans' own values, so they are computed with the very same expressions and
// the same floating-point settings as the pass-by-pass scans in reference_scans.cpp: the running
// angle is one double from which the step is subtracted pass after pass (never 180 - k / 1000), and
// the sine and cosine arguments are formed in the same order of operations. A table built any
// other way would move the first matching pass near the tolerance boundaries.

namespace orvanto {
namespace {

template <typename ValueAt>
std::vector<ScanPass> tabulate(ValueAt valueAt) {
    std::vector<ScanPass> passes;
    passes.reserve(static_cast<std::size_t>(chart::kScanPasses));
    double angle = chart::kScanStart;
    while (!(angle < 0)) {
        const double value = valueAt(angle);
        angle -= chart::kScanStep;
        passes.push_back({value, angle});
    }
    return passes;
}

// Checked once here rather than assumed: the platform's sine and cosine are not guaranteed to be
// monotonic to the last bit, and the fast route's search is only exact where they are. Written so
// that a NaN fails the check.
bool neverRises(const std::vector<ScanPass>& passes) {
    for (std::size_t k = 1; k < passes.size(); ++k) {
        if (!(passes[k].value <= passes[k - 1].value)) {
            return false;
        }
    }
    return true;
}

bool neverFalls(const std::vector<ScanPass>& passes) {
    for (std::size_t k = 1; k < passes.size(); ++k) {
        if (!(passes[k].value >= passes[k - 1].value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

ScanTable buildHalfAngleSineTable() {
    ScanTable table;
    table.passes = tabulate([](double b) { return std::sin(((b / 2) * chart::kPi) / 180); });
    table.monotonic = !table.passes.empty() && neverRises(table.passes);
    return table;
}

ScanTable buildCosineTable() {
    ScanTable table;
    table.passes = tabulate([](double v) { return std::cos((v / 180) * chart::kPi); });
    table.monotonic = !table.passes.empty() && neverFalls(table.passes);
    return table;
}

// A function-local static is initialised exactly once, even when threads race to first use.
const ScanTable& halfAngleSineTable() {
    static const ScanTable table = buildHalfAngleSineTable();
    return table;
}

const ScanTable& cosineTable() {
    static const ScanTable table = buildCosineTable();
    return table;
}

}  // namespace orvanto
