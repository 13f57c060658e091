// The running values of the two descending scans and the sines and cosines that the scans compare,
// tabulated once so that a scan can find its first matching pass without stepping through the
// passes one by one.
#pragma once

#include <cstddef>
#include <vector>

namespace orvanto {

struct ScanTables {
    // angles[k] is the running scan angle at pass k (degrees); the last entry is the first value
    // below zero, where a scan without a match stops. Both scans step through the same values.
    std::vector<double> angles;
    // The half-angle sine and the cosine that the two scans compute at each pass.
    std::vector<double> halfAngleSines;
    std::vector<double> cosines;
    // Whether the computed sines never rise, and the computed cosines never fall, from one pass to
    // the next. The fast route relies on it and uses the pass-by-pass scan when it does not hold.
    bool halfAngleSinesDescend = false;
    bool cosinesAscend = false;

    std::size_t passes() const { return angles.size() - 1; }
};

// Builds a fresh set of tables (a few milliseconds); the scans use the shared set below instead.
ScanTables buildScanTables();

// The tables of this process, built on first use; safe to call from several threads.
const ScanTables& scanTables();

}  // namespace orvanto
