#include "scan_tables.h"

#include <cmath>

#include "chart_constants.h"

// The tables hold the scans' own values, so they are computed with the very same expressions and
// the same floating-point settings as the pass-by-pass scans in reference_scans.cpp: the running
// angle is one double from which the step is subtracted pass after pass (never 180 - k / 1000), and
// the sine and cosine arguments are formed in the same order of operations. A table built any
// other way would move the first matching pass near the tolerance boundaries.

namespace orvanto {
namespace {

bool neverRises(const std::vector<double>& values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        // Written so that a NaN counts as a rise.
        if (!(values[k] <= values[k - 1])) {
            return false;
        }
    }
    return true;
}

bool neverFalls(const std::vector<double>& values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (!(values[k] >= values[k - 1])) {
            return false;
        }
    }
    return true;
}

}  // namespace

ScanTables buildScanTables() {
    ScanTables tables;
    const auto expectedPasses = static_cast<std::size_t>(chart::kScanPasses);
    tables.angles.reserve(expectedPasses + 1);
    tables.halfAngleSines.reserve(expectedPasses);
    tables.cosines.reserve(expectedPasses);

    double angle = chart::kScanStart;
    while (!(angle < 0)) {
        tables.angles.push_back(angle);
        tables.halfAngleSines.push_back(std::sin(((angle / 2) * chart::kPi) / 180));
        tables.cosines.push_back(std::cos((angle / 180) * chart::kPi));
        angle -= chart::kScanStep;
    }
    tables.angles.push_back(angle);

    // Checked once here rather than assumed: the platform's sine and cosine are not guaranteed to
    // be monotonic to the last bit, and the fast route's search is only exact where they are.
    tables.halfAngleSinesDescend = neverRises(tables.halfAngleSines);
    tables.cosinesAscend = neverFalls(tables.cosines);
    return tables;
}

const ScanTables& scanTables() {
    // A function-local static is initialised exactly once, even when threads race to first use.
    static const ScanTables tables = buildScanTables();
    return tables;
}

}  // namespace orvanto
