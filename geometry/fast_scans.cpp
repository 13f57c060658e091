#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "geometry/scan_tables.h"
#include "geometry/scans.h"

// The fast route of both scans. A pass matches when its difference d (the tabulated sine minus the
// target, or the target minus the tabulated cosine, exactly as the scan subtracts) lies strictly
// between -tolerance and +tolerance. The tables are checked once to run monotonically such that d
// never rises from one pass to the next, and rounding a subtraction to double preserves order, so:
//   - the passes with d < tolerance are all passes from some first one, k, onwards;
//   - the passes with d > -tolerance are all passes up to some point;
// and the two sets overlap, if at all, from k on. The scan's first match is therefore pass k when
// pass k itself matches, and there is no match at all otherwise.
//
// k moves one way only as the target rises (rounding preserves order here too), so a target
// between two bucket edges has its k between the edges' k, which the table holds: a bucket spans
// a few passes, and the search runs over those only. The buckets decide where the search looks,
// never its answer, which rests on the exact comparisons alone.

namespace orvanto {
namespace {

// The passes that can be k for `target`, from `first` to `last` inclusive: `last` lies below the
// bound (or is the end) and every pass before `first` above it.
struct SearchRange {
    std::size_t first;
    std::size_t last;
};

// k between the k of two edges (or of an edge and either end of the table), whichever way round.
SearchRange between(std::size_t oneEnd, std::size_t otherEnd) {
    return oneEnd < otherEnd ? SearchRange{oneEnd, otherEnd} : SearchRange{otherEnd, oneEnd};
}

// A target beyond the outer edges (or NaN, with which no comparison holds and no pass lies below):
// k lies between an outer edge's k and the far end of the table, where it is the first or the
// last pass, so the search is one comparison at most.
[[gnu::cold, gnu::noinline]] SearchRange beyondTheEdges(const ScanTable& table, bool valuesFall,
                                                        double scaled) {
    const std::size_t passCount = table.passes.size();
    if (std::isnan(scaled)) {
        return {passCount, passCount};
    }
    const std::size_t towardsFirstPass = valuesFall ? 0 : passCount;
    if (scaled < static_cast<double>(table.firstEdge)) {
        return between(table.firstPassBelowAtEdge.front(), passCount - towardsFirstPass);
    }
    return between(table.firstPassBelowAtEdge.back(), towardsFirstPass);
}

SearchRange searchRange(const ScanTable& table, bool valuesFall, double target) {
    const std::uint32_t* firstPassAtEdge = table.firstPassBelowAtEdge.data();
    const std::size_t edges = table.firstPassBelowAtEdge.size();
    // Exact: a power-of-two scaling. Compared with the edges before anything is rounded, so a
    // target just below an edge is never taken for the edge itself.
    const double scaled = target * kBucketsPerUnit;
    const auto firstEdge = static_cast<double>(table.firstEdge);
    if (!(scaled >= firstEdge && scaled < firstEdge + static_cast<double>(edges - 1)))
        [[unlikely]] {
        return beyondTheEdges(table, valuesFall, scaled);
    }
    auto wholeBuckets = static_cast<std::int64_t>(scaled);  // towards zero: one too high below it
    wholeBuckets -= static_cast<double>(wholeBuckets) > scaled ? 1 : 0;
    const auto bucket = static_cast<std::size_t>(wholeBuckets - table.firstEdge);
    return between(firstPassAtEdge[bucket], firstPassAtEdge[bucket + 1]);
}

// A bucket spans this many passes or fewer for most targets (up to about 4 passes per 1/65536 of
// the sine or cosine away from their flat ends).
constexpr std::size_t kCandidatesReadTogether = 4;

// k for a range of a few passes: the passes above the bound are counted, every one read at once,
// so that the reads wait for the bucket edges only, not for each other as a bisection's would.
// Indexes beyond the range are clamped to a readable pass and not counted.
template <typename IsBelow>
std::size_t firstBelowAmongFew(std::size_t first, std::size_t last, std::size_t passCount,
                               const IsBelow& isBelow) {
    std::size_t above = 0;
    for (std::size_t offset = 0; offset < kCandidatesReadTogether; ++offset) {
        const std::size_t pass = std::min(first + offset, passCount - 1);
        above += static_cast<std::size_t>(first + offset < last && !isBelow(pass));
    }
    return first + above;
}

// k for a wider range (near the flat ends of the sine and the cosine): a bisection without a branch
// on its comparisons, which a random target would mispredict.
template <typename IsBelow>
std::size_t firstBelowByBisection(std::size_t base, std::size_t last, const IsBelow& isBelow) {
    std::size_t candidates = last - base;
    while (candidates > 1) {
        const std::size_t half = candidates / 2;
        base = isBelow(base + half) ? base : base + half;
        candidates -= half;
    }
    return candidates == 1 && !isBelow(base) ? base + 1 : base;
}

// The scan's outcome found in its table. Falls back to the reference scan on a platform whose
// sine or cosine is not monotonic to the last bit, where the search below would not be exact.
template <bool ValuesFall>
ScanOutcome fastScan(const ScanDefinition& scan, const ScanTable& table, double target) {
    if (!table.monotonic) {
        return referenceScan(scan, target);
    }
    const ScanPass* passes = table.passes.data();
    const std::size_t passCount = table.passes.size();
    const double tolerance = scan.tolerance;
    // The difference as the scan subtracts it, signed so that it never rises from pass to pass.
    const auto difference = [&](std::size_t pass) {
        return ValuesFall ? passes[pass].value - target : target - passes[pass].value;
    };
    const auto isBelow = [&](std::size_t pass) { return difference(pass) < tolerance; };
    // k lies in [first, last], and every pass before k lies above the bound.
    const auto [first, last] = searchRange(table, ValuesFall, target);
    const std::size_t k = last - first <= kCandidatesReadTogether
                              ? firstBelowAmongFew(first, last, passCount, isBelow)
                              : firstBelowByBisection(first, last, isBelow);
    if (k < passCount && std::fabs(difference(k)) < tolerance) {
        return {passes[k].resultAfter, true, static_cast<std::uint32_t>(k)};
    }
    return {passes[passCount - 1].resultAfter, false, static_cast<std::uint32_t>(passCount - 1)};
}

}  // namespace

ScanOutcome scanHalfAngleSine(double halfChordRatio) {
    return fastScan<true>(kHalfAngleSineScan, halfAngleSineTable(), halfChordRatio);
}

ScanOutcome scanCosine(double cosine) {
    return fastScan<false>(kCosineScan, cosineTable(), cosine);
}

}  // namespace orvanto
