// The passes of the two descending scans, tabulated once so that a scan can find its first matching
// pass without stepping through the passes one by one. Each scan has its own table, built on its
// first use, so a process that only measures distances never computes the cosines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
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
inline constexpr std::size_t kCoarseEdgeStride = 16;

// Passes past the last one, always below the bound whatever the target, so that a search reads a
// bucket's few passes without checking where the table ends.
inline constexpr std::size_t kSentinelPasses = 4;

struct ScanTable {
    // The scan's passes followed by kSentinelPasses sentinels, whose value lies beyond every target
    // on the side that never matches (minus infinity for falling values, plus for rising ones) and
    // whose result is the last pass's.
    std::vector<ScanPass> paddedPasses;
    std::size_t passCount = 0;
    // Whether the fast path's two premises hold, as the scan's definition says they should: the
    // values run one way only (never rising for the half-angle sines, never falling for the
    // cosines), and no pass moves the value by more than the tolerance, so that the band of
    // matching targets of each pass overlaps the next one's. The fast path steps pass by pass when
    // they do not.
    bool searchable = false;
    // Only when searchable: for the bucket edges firstEdge, firstEdge + 1, ... (in units of
    // 1 / kBucketsPerUnit), the first pass whose difference from the edge as a target lies below
    // the tolerance, or the number of passes when none does. Every target that can match lies
    // between the first edge and the last, which are also kept in double, scaled by
    // kBucketsPerUnit.
    std::vector<std::uint32_t> firstPassBelowAtEdge;
    std::int64_t firstEdge = 0;
    double firstEdgeScaled = 0;
    double lastEdgeScaled = 0;
    // Every kCoarseEdgeStride-th entry of firstPassBelowAtEdge, and one past the last edge: a few
    // kilobytes that stay in the cache, from which a search estimates where its passes lie and
    // fetches them while it reads its exact bucket edges.
    std::vector<std::uint32_t> coarseFirstPassBelow;

    std::span<const ScanPass> passes() const { return {paddedPasses.data(), passCount}; }
};

// Builds a fresh table (a few milliseconds); the scans use the shared tables below instead.
ScanTable buildScanTable(const ScanDefinition& scan);

// The tables of this process, each built on first use; safe to call from several threads (a
// function-local static is initialised exactly once). Inline, so that a search checks the guard in
// a few instructions rather than a call.
inline const ScanTable& halfAngleSineTable() {
    static const ScanTable table = buildScanTable(kHalfAngleSineScan);
    return table;
}

inline const ScanTable& cosineTable() {
    static const ScanTable table = buildScanTable(kCosineScan);
    return table;
}

// The chord of the distance at every pass of the half-angle sine scan, sentinels included, computed
// as chordOfDistance computes it: an angle reads its three chords instead of computing three sines.
// Built on the first angle (about 3 ms); a distance alone never builds it.
std::vector<double> buildChordTable(const ScanTable& halfAngleSines);

inline const std::vector<double>& chordTable() {
    static const std::vector<double> chords = buildChordTable(halfAngleSineTable());
    return chords;
}

}  // namespace orvanto
