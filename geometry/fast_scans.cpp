#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "geometry/scan_tables.h"
#include "geometry/scans.h"

// The fast path of both scans. A pass matches when its difference d (the tabulated sine minus the
// target, or the target minus the tabulated cosine, exactly as the scan subtracts) lies strictly
// between -tolerance and +tolerance. The tables are checked once to run monotonically such that d
// never rises from one pass to the next, and rounding a subtraction to double preserves order, so:
//   - the passes with d < tolerance are all passes from some first one, k, onwards;
//   - the passes with d > -tolerance are all passes up to some point;
// and the two sets overlap, if at all, from k on. The scan's first match is therefore pass k when
// pass k itself matches, and there is no match at all otherwise. When k is neither the first pass
// nor past the last, pass k always matches: the table is checked to step by no more than the
// tolerance, so pass k lies within the band once pass k - 1 lies above it.
//
// k moves one way only as the target rises (rounding preserves order here too), so a target
// between two bucket edges has its k between the edges' k, which the table holds: a bucket spans
// a few passes, and the search can run over those only. Most searches do not even wait for the
// edges: a coarse copy of them, small enough to stay in the cache, estimates k, and the few passes
// around the estimate settle it when k lies among them. The estimate and the buckets decide where
// the search looks, never its answer, which rests on the exact comparisons alone.

namespace orvanto {
namespace {

// A bucket spans this many passes or fewer for most targets (up to about 4 passes per 1/65536 of
// the sine or cosine away from their flat ends); the table's sentinels make them all readable.
constexpr std::size_t kCandidatesReadTogether = kSentinelPasses;

// The passes of one scan's table as one target sees them.
template <bool ValuesFall>
struct Passes {
    const ScanPass* passes;
    double tolerance;
    double target;

    // The difference as the scan subtracts it, signed so that it never rises from pass to pass.
    double difference(std::size_t pass) const {
        return ValuesFall ? passes[pass].value - target : target - passes[pass].value;
    }
    bool isBelow(std::size_t pass) const { return difference(pass) < tolerance; }

    // k when it lies among the few passes from `first` (or just after them): the passes above the
    // bound are counted, every one read at once rather than each waiting for the one before as a
    // bisection's reads would. The passes from k on, sentinels included, lie below the bound for
    // a finite target and add nothing.
    std::size_t firstBelowAmongFew(std::size_t first) const {
        std::size_t above = 0;
        for (std::size_t offset = 0; offset < kCandidatesReadTogether; ++offset) {
            above += static_cast<std::size_t>(!isBelow(first + offset));
        }
        return first + above;
    }

    // k in [base, last] for a wider range (near the flat ends of the sine and the cosine, or beyond
    // the edges): a bisection without a branch on its comparisons, which a random target would
    // mispredict. It reads passes before `last` only.
    std::size_t firstBelowByBisection(std::size_t base, std::size_t last) const {
        std::size_t candidates = last - base;
        while (candidates > 1) {
            const std::size_t half = candidates / 2;
            base = isBelow(base + half) ? base : base + half;
            candidates -= half;
        }
        return candidates == 1 && !isBelow(base) ? base + 1 : base;
    }

    // The outcome when k is the first pass below the bound (or the sentinel after the last pass,
    // which never matches).
    ScanOutcome outcomeAt(std::size_t k, std::size_t passCount) const {
        // Between the first pass and the end, pass k matches: pass k - 1 lies above the bound, and
        // a step no wider than the tolerance cannot carry pass k beyond the lower bound.
        if (k - 1 < passCount - 1) [[likely]] {
            return {passes[k].resultAfter, true, static_cast<std::uint32_t>(k)};
        }
        const bool matched = std::fabs(difference(k)) < tolerance;
        const std::size_t stop = matched ? k : passCount - 1;
        return {passes[stop].resultAfter, matched, static_cast<std::uint32_t>(stop)};
    }
};

// The pass before the one the search most likely stops at, estimated by interpolating the coarse
// copy of the bucket edges: k is then this pass plus one or two for about 998 targets in 1000 (away
// from the flat ends of the sine and the cosine). Only an estimate: the search checks it.
// Converted through signed integers, which take one instruction where unsigned ones take several:
// every value here is far below 2^63, and none is negative for a target between the outer edges.
std::size_t estimatedPassBefore(const ScanTable& table, double scaled) {
    const double coarse =
        (scaled - table.firstEdgeScaled) * (1.0 / static_cast<double>(kCoarseEdgeStride));
    const auto below = static_cast<std::int64_t>(coarse);
    const auto* edges = table.coarseFirstPassBelow.data() + below;
    const auto fromBelow = static_cast<double>(static_cast<std::int64_t>(edges[0]));
    const auto toAbove = static_cast<double>(static_cast<std::int64_t>(edges[1]));
    const auto estimate = static_cast<std::int64_t>(
        fromBelow + (toAbove - fromBelow) * (coarse - static_cast<double>(below)));
    return estimate > 0 ? static_cast<std::size_t>(estimate - 1) : 0;
}

// k from the target's two bucket edges: exact for any target between the outer edges, at the cost
// of a read of the edges' table before the passes can be read.
template <bool ValuesFall>
[[gnu::noinline]] std::size_t firstBelowFromBucketEdges(const ScanTable& table,
                                                        const Passes<ValuesFall>& passes,
                                                        double scaled) {
    auto wholeBuckets = static_cast<std::int64_t>(scaled);  // towards zero: one too high below it
    wholeBuckets -= static_cast<double>(wholeBuckets) > scaled ? 1 : 0;
    const std::uint32_t* atEdge =
        table.firstPassBelowAtEdge.data() + (wholeBuckets - table.firstEdge);
    // As the target rises, k moves earlier when the values fall and later when they rise, so the
    // bucket's lower edge bounds k from above in the first case and from below in the second.
    const std::size_t first = ValuesFall ? atEdge[1] : atEdge[0];
    const std::size_t last = ValuesFall ? atEdge[0] : atEdge[1];
    return last - first <= kCandidatesReadTogether ? passes.firstBelowAmongFew(first)
                                                   : passes.firstBelowByBisection(first, last);
}

// k from the estimated pass `start`: the few passes from it settle k when the first of them lies
// above the bound (so k comes after it; at the first pass of all nothing comes before) and a later
// one below it, otherwise the bucket edges give it. The estimate only decides where to look: the
// comparisons alone give k.
template <bool ValuesFall>
[[gnu::always_inline]] inline std::size_t firstBelowFrom(const ScanTable& table,
                                                         const Passes<ValuesFall>& passes,
                                                         std::size_t start, double scaled) {
    const std::size_t k = passes.firstBelowAmongFew(start);
    if ((k > start || start == 0) && k < start + kCandidatesReadTogether) [[likely]] {
        return k;
    }
    return firstBelowFromBucketEdges(table, passes, scaled);
}

// A target beyond the outer edges, infinite or NaN: k lies between an outer edge's k and the far
// end of the table, where it is the first or the last pass. NaN lies below no pass and matches
// none.
// Takes the target rather than the hot path's values, which it would otherwise keep in memory.
template <bool ValuesFall>
[[gnu::cold, gnu::noinline]] ScanOutcome beyondTheEdges(const ScanTable& table, double tolerance,
                                                        double target) {
    const Passes<ValuesFall> passes{table.paddedPasses.data(), tolerance, target};
    const double scaled = target * kBucketsPerUnit;
    const std::size_t passCount = table.passCount;
    if (std::isnan(scaled)) {
        return passes.outcomeAt(passCount, passCount);
    }
    const bool belowTheEdges = scaled < table.firstEdgeScaled;
    const std::size_t edgeK =
        belowTheEdges ? table.firstPassBelowAtEdge.front() : table.firstPassBelowAtEdge.back();
    // Below the first edge k lies at or after the first edge's k when the values fall, at or before
    // it when they rise; above the last edge the other way round.
    const std::size_t k = belowTheEdges == ValuesFall
                              ? passes.firstBelowByBisection(edgeK, passCount)
                              : passes.firstBelowByBisection(0, edgeK);
    return passes.outcomeAt(k, passCount);
}

// The scan's outcome found in its table. Falls back to the reference scan on a platform whose
// sine or cosine breaks the table's premises, where the search would not be exact. `alongside`,
// when given, is a table that the caller reads at the pass found: its entries for the estimated
// passes are fetched at once, so that the caller's read does not wait for memory after the search.
template <bool ValuesFall>
ScanOutcome fastScan(const ScanDefinition& scan, const ScanTable& table, double target,
                     const double* alongside = nullptr) {
    if (!table.searchable) [[unlikely]] {
        return referenceScan(scan, target);
    }
    const Passes<ValuesFall> passes{table.paddedPasses.data(), scan.tolerance, target};
    // Exact: a power-of-two scaling. Compared with the edges before anything is rounded, so a
    // target just below an edge is never taken for the edge itself.
    const double scaled = target * kBucketsPerUnit;
    if (!(scaled >= table.firstEdgeScaled && scaled < table.lastEdgeScaled)) [[unlikely]] {
        return beyondTheEdges<ValuesFall>(table, scan.tolerance, target);
    }
    const std::size_t start = estimatedPassBefore(table, scaled);
    if (alongside != nullptr) {
        __builtin_prefetch(alongside + start);
        __builtin_prefetch(alongside + start + kCandidatesReadTogether - 1);
    }
    return passes.outcomeAt(firstBelowFrom(table, passes, start, scaled), table.passCount);
}

// Where the search for an estimated half-angle sine target starts (estimatedPassBefore), or
// kNotSearched when some target within its margin lies beyond the outer edges, or nothing is known.
constexpr std::size_t kNotSearched = SIZE_MAX;

std::size_t startWithin(const ScanTable& table, const EstimatedTarget& estimate) {
    const double lowest = (estimate.target - estimate.margin) * kBucketsPerUnit;
    const double highest = (estimate.target + estimate.margin) * kBucketsPerUnit;
    if (!table.searchable || !(lowest >= table.firstEdgeScaled && highest < table.lastEdgeScaled))
        [[unlikely]] {
        return kNotSearched;
    }
    return estimatedPassBefore(table, estimate.target * kBucketsPerUnit);
}

// The half-angle sine scan's first match k when every target within the estimate's margin has the
// same one and it lies strictly inside the table (so that it matches); 0, never such a pass,
// otherwise. The values fall, so a pass below the bound for the lowest of those targets is below
// it for all of them, and a pass above the bound for the highest is above it for all: pass k below
// at the lowest and pass k - 1 above at the highest settle k for every target between.
[[gnu::always_inline]] inline std::size_t settledPass(const ScanTable& table, std::size_t start,
                                                      const EstimatedTarget& estimate) {
    const ScanPass* passes = table.paddedPasses.data();
    const double tolerance = kHalfAngleSineScan.tolerance;
    const std::size_t k = firstBelowFrom(table, Passes<true>{passes, tolerance, estimate.target},
                                         start, estimate.target * kBucketsPerUnit);
    const bool settled =
        k - 1 < table.passCount - 1 &&
        Passes<true>{passes, tolerance, estimate.target - estimate.margin}.isBelow(k) &&
        !Passes<true>{passes, tolerance, estimate.target + estimate.margin}.isBelow(k - 1);
    return settled ? k : 0;
}

// The chord of a side's distance, by the pass its search stopped at. Read from the chord table,
// whose lines the search fetches while it compares. WebAssembly cannot fetch ahead, and a read
// that waits for memory costs more there than the sine: the browser build computes the chord as
// the table's builder does, the same bits, and never builds the table.
#ifdef __wasm__
struct SideChords {
    static SideChords ofThisProcess() { return {}; }
    const double* fetchable() const { return nullptr; }
    void fetchFrom(std::size_t /*start*/) const {}
    double of(const ScanOutcome& scan) const { return chordOfDistance(scan.result); }
};
#else
struct SideChords {
    const double* chords;
    static SideChords ofThisProcess() { return {chordTable().data()}; }
    const double* fetchable() const { return chords; }
    void fetchFrom(std::size_t start) const {
        __builtin_prefetch(chords + start);
        __builtin_prefetch(chords + start + kCandidatesReadTogether - 1);
    }
    double of(const ScanOutcome& scan) const { return chords[scan.pass]; }
};
#endif

ScanOutcome matchAt(const ScanTable& table, std::size_t k) {
    return {table.paddedPasses[k].resultAfter, true, static_cast<std::uint32_t>(k)};
}

}  // namespace

ScanOutcome scanHalfAngleSine(double halfChordRatio) {
    return fastScan<true>(kHalfAngleSineScan, halfAngleSineTable(), halfChordRatio);
}

SideOutcome scanAngleSide(double halfChordRatio) {
    const SideChords chords = SideChords::ofThisProcess();
    const ScanOutcome scan = fastScan<true>(kHalfAngleSineScan, halfAngleSineTable(),
                                            halfChordRatio, chords.fetchable());
    return {scan, chords.of(scan)};
}

std::optional<ScanOutcome> scanHalfAngleSineWithin(const EstimatedTarget& estimate) {
    const ScanTable& table = halfAngleSineTable();
    const std::size_t start = startWithin(table, estimate);
    const std::size_t k = start == kNotSearched ? 0 : settledPass(table, start, estimate);
    if (k == 0) {
        return std::nullopt;
    }
    return matchAt(table, k);
}

unsigned scanAngleSidesWithin(std::span<const EstimatedTarget> targets,
                              std::span<SideOutcome> sides) {
    const ScanTable& table = halfAngleSineTable();
    const SideChords chords = SideChords::ofThisProcess();
    const std::size_t count = std::min({targets.size(), sides.size(), kMostSidesAtOnce});
    std::array<std::size_t, kMostSidesAtOnce> starts{};
    for (std::size_t side = 0; side < count; ++side) {
        starts[side] = startWithin(table, targets[side]);
        if (starts[side] != kNotSearched) {
            const ScanPass* passes = table.paddedPasses.data() + starts[side];
            __builtin_prefetch(passes);
            __builtin_prefetch(passes + kCandidatesReadTogether - 1);
            chords.fetchFrom(starts[side]);
        }
    }
    unsigned settled = 0;
    for (std::size_t side = 0; side < count; ++side) {
        const std::size_t k =
            starts[side] == kNotSearched ? 0 : settledPass(table, starts[side], targets[side]);
        if (k != 0) {
            const ScanOutcome scan = matchAt(table, k);
            sides[side] = {scan, chords.of(scan)};
            settled |= 1U << side;
        }
    }
    return settled;
}

void prefetchForCosine(double roughCosine) {
    const ScanTable& table = cosineTable();
    const double scaled = roughCosine * kBucketsPerUnit;
    if (!table.searchable || !(scaled >= table.firstEdgeScaled && scaled < table.lastEdgeScaled)) {
        return;
    }
    const ScanPass* passes = table.paddedPasses.data() + estimatedPassBefore(table, scaled);
    __builtin_prefetch(passes);
    __builtin_prefetch(passes + kCandidatesReadTogether - 1);
}

ScanOutcome scanCosine(double cosine) {
    return fastScan<false>(kCosineScan, cosineTable(), cosine);
}

}  // namespace orvanto
