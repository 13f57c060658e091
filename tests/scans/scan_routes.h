// The routes of each scan that the differential tests hold side by side, and the inputs they share.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scans.h"
#include "tabulated_scans.h"

// Sanitizer builds may run a fraction of the inputs; a normal build runs them all.
#ifndef ORVANTO_SCAN_TEST_DIVISOR
#define ORVANTO_SCAN_TEST_DIVISOR 1
#endif

namespace orvanto::testing {

inline constexpr std::size_t kInputDivisor = ORVANTO_SCAN_TEST_DIVISOR;

struct ScanRoutes {
    const char* name;
    ScanOutcome (*fast)(double);
    ScanOutcome (*reference)(double);
    const TabulatedScan& (*tabulated)();
    // Random inputs are drawn from [lowest, highest]: all that can match and a little beyond.
    double lowest;
    double highest;
};

inline const ScanRoutes kHalfAngleSineRoutes{"HalfAngleSine",
                                             scanHalfAngleSine,
                                             referenceScanHalfAngleSine,
                                             TabulatedScan::halfAngleSine,
                                             0.0,
                                             1.00002};
inline const ScanRoutes kCosineRoutes{
    "Cosine", scanCosine, referenceScanCosine, TabulatedScan::cosine, -1.0002, 1.0002};

// Bit for bit: -0.0 and 0.0, or two NaNs of different payloads, would count as different.
inline bool sameOutcome(const ScanOutcome& a, const ScanOutcome& b) {
    return std::bit_cast<std::uint64_t>(a.angle) == std::bit_cast<std::uint64_t>(b.angle) &&
           a.matched == b.matched;
}

// Both edges of pass k's band (its value minus and plus the tolerance, as computed) and the
// doubles up to `ulps` units in the last place either side of each: where the first match moves.
inline void addBandEdges(std::vector<double>& inputs, const TabulatedScan& scan, std::size_t k,
                         int ulps) {
    for (const double edge :
         {scan.values()[k] - scan.tolerance(), scan.values()[k] + scan.tolerance()}) {
        double below = edge;
        double above = edge;
        inputs.push_back(edge);
        for (int step = 0; step < ulps; ++step) {
            below = std::nextafter(below, -INFINITY);
            above = std::nextafter(above, INFINITY);
            inputs.push_back(below);
            inputs.push_back(above);
        }
    }
}

}  // namespace orvanto::testing
