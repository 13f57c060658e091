// The two descending scans that stand in for an inverse sine and an inverse cosine.
//
// Both start at 180 degrees and subtract the double 0.001 once a pass from one running double, so
// the rounding drift of 180000 subtractions accumulates into the result (after the last pass the
// angle is -4.954255825029286e-10, not 0). The results are defined by that drift: never recompute
// the angle as 180 - k / 1000. The pass that matches subtracts its step too, so a scan stops at the
// first matching angle minus 0.001.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orvanto {

struct ScanOutcome {
    // The running angle as it stands when the scan stops, in what the scan gives for it: degrees
    // from the cosine scan, their distance in km from the half-angle sine scan.
    double result;
    bool matched;  // false: no pass matched and `result` is that of the first angle below zero
    // The pass the scan stopped at, counted from 0 (the last pass when none matched): the index of
    // its result in the tables of scan_tables.h and of what is tabulated from them.
    std::uint32_t pass;
};

// The two scans as the calculator runs them: the reference scans' outcome bit for bit, found in
// tables built on first use (scan_tables.h) instead of pass by pass.

// Finds the central angle B whose half-angle sine is within 0.00001 of `halfChordRatio`, and gives
// its distance in km.
ScanOutcome scanHalfAngleSine(double halfChordRatio);

// Finds the angle whose cosine is within 0.0001 of `cosine`.
ScanOutcome scanCosine(double cosine);

// The reference scans: pass by pass, up to 180000 sine or cosine evaluations a call. The
// calculator never runs them; tests and benchmarks hold them beside the fast path.
ScanOutcome referenceScanHalfAngleSine(double halfChordRatio);
ScanOutcome referenceScanCosine(double cosine);

// One side of an angle: the half-angle sine scan's outcome, and the chord of the distance it gives
// (through the sphere, as the law of cosines takes it).
struct SideOutcome {
    ScanOutcome scan;
    double chord;
};

// The fast path reads the chord from a table by the scan's pass, fetched while the scan searches;
// the reference computes it from the distance, as the table does.
SideOutcome scanAngleSide(double halfChordRatio);
SideOutcome referenceScanAngleSide(double halfChordRatio);

// Tells the fast path roughly which cosine an angle will look for, while its sides are still being
// scanned, so that the lines of the cosine's table are fetched meanwhile. Only a fetch: any value,
// NaN included, is harmless, and the scan's answer never depends on it.
void prefetchForCosine(double roughCosine);

// A target known only within a margin (estimated_ratio.h): the exact target lies no further than
// `margin` from `target`. NaN where nothing is known.
struct EstimatedTarget {
    double target;
    double margin;
};

// The half-angle sine scan's outcome for a target known within its margin: found when every target
// that close gives it, nothing otherwise, when the caller computes its target exactly.
std::optional<ScanOutcome> scanHalfAngleSineWithin(const EstimatedTarget& estimate);

// An angle's sides (scanAngleSide) from targets known within their margins, as above, searched
// side by side so that every side's reads are under way before the first is compared. Returns a
// mask of the sides settled (bit i for `sides[i]`); the others are left as they were. At most
// kMostSidesAtOnce sides, and as many sides as targets.
inline constexpr std::size_t kMostSidesAtOnce = 3;
unsigned scanAngleSidesWithin(std::span<const EstimatedTarget> targets,
                              std::span<SideOutcome> sides);

// Which scans a distance or an angle runs: the fast path in the calculator, the reference where a
// test or a benchmark holds the two side by side.
struct ScanPath {
    ScanOutcome (*halfAngleSine)(double);
    SideOutcome (*angleSide)(double);
    std::optional<ScanOutcome> (*halfAngleSineWithin)(const EstimatedTarget&);
    unsigned (*angleSidesWithin)(std::span<const EstimatedTarget>, std::span<SideOutcome>);
    ScanOutcome (*cosine)(double);
    void (*prefetchForCosine)(double);
};

inline constexpr ScanPath kFastScans{scanHalfAngleSine,    scanAngleSide, scanHalfAngleSineWithin,
                                     scanAngleSidesWithin, scanCosine,    prefetchForCosine};
// Never settles a scan from an estimate: every target is computed exactly.
inline constexpr ScanPath kReferenceScans{
    referenceScanHalfAngleSine,
    referenceScanAngleSide,
    [](const EstimatedTarget&) -> std::optional<ScanOutcome> { return std::nullopt; },
    [](std::span<const EstimatedTarget>, std::span<SideOutcome>) { return 0U; },
    referenceScanCosine,
    [](double) {}};

}  // namespace orvanto
