// The passes of the two descending scans, tabulated once so that a scan can find its first matching
// pass without stepping through the passes one by one. Each scan has its own table, built on its
// first use, so a process that only measures distances never computes the cosines.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/scan_steps.h"

namespace orvanto {

// One pass of a scan: the value the scan compares with its target at that pass (the half-angle
// sine or the cosine), and the scan's result for the running angle once the pass has subtracted
// its step, which is what the scan returns when this pass is the first to match. The running angle
// after the last pass is the first value below zero, that of a scan without a match. Kept beside
// the value, so that the read that checks a pass brings its result too.
struct ScanPass {
    double value;
    double resultAfter;
};

// Targets are grouped in buckets of width 1 / kBucketsPerUnit, a power of two, so that a target's
// bucket and the bucket edges are exact in double.
inline constexpr double kBucketsPerUnit = 65536;

struct ScanTable {
    std::vector<ScanPass> passes;
    // Whether the values run one way only, as the scan's definition says they should (never rising
    // for the half-angle sines, never falling for the cosines). The fast route relies on it and
    // steps pass by pass when it does not hold.
    bool monotonic = false;
    // Only when monotonic: for the bucket edges firstEdge, firstEdge + 1, ... (in units of
    // 1 / kBucketsPerUnit), the first pass whose difference from the edge as a target lies below
    // the tolerance, or the number of passes when none does. Every target that can match lies
    // between the first edge and the last.
    std::vector<std::uint32_t> firstPassBelowAtEdge;
    std::int64_t firstEdge = 0;
};

// Builds a fresh table (a few milliseconds); the scans use the shared tables below instead.
ScanTable buildScanTable(const ScanDefinition& scan);

// The tables of this process, each built on first use; safe to call from several threads.
const ScanTable& halfAngleSineTable();
const ScanTable& cosineTable();

}  // namespace orvanto
