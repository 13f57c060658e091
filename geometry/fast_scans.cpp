#include <cmath>
#include <cstddef>
#include <vector>

#include "geometry/chart_constants.h"
#include "geometry/scan_tables.h"
#include "geometry/scans.h"

// The fast route of both scans. A pass matches when its difference d (the tabulated sine minus the
// target, or the target minus the tabulated cosine, exactly as the scan subtracts) lies strictly
// between -tolerance and +tolerance. The tables are checked once to run monotonically such that d
// never rises from one pass to the next, and rounding a subtraction to double preserves order, so:
//   - the passes with d < tolerance are all passes from some first one, k, onwards;
//   - the passes with d > -tolerance are all passes up to some point;
// and the two sets overlap, if at all, from k on. The scan's first match is therefore pass k when
// pass k itself matches, and there is no match at all otherwise. k is found by a search that
// starts at an inverse-sine (inverse-cosine) estimate; the estimate only decides where the search
// starts, never its answer, which rests on the exact comparison alone.

namespace orvanto {
namespace {

// The first pass in [0, passes) at which `isBelowUpperBound` holds, or `passes` when none does,
// for a predicate that once true stays true. Starts at `guess` and widens the bracket by doubling
// steps, so a guess a few passes off costs a few comparisons.
template <typename Predicate>
std::size_t firstPassBelow(std::size_t passes, std::size_t guess, Predicate isBelowUpperBound) {
    // Invariant of the bisection: `below` is a pass where the predicate holds (or `passes`), and
    // every pass before `notBelow + 1` fails it (`notBelow` is one before the first when negative).
    std::ptrdiff_t notBelow;
    std::ptrdiff_t below;
    const auto end = static_cast<std::ptrdiff_t>(passes);
    auto holds = [&](std::ptrdiff_t k) {
        return k >= end || isBelowUpperBound(static_cast<std::size_t>(k));
    };
    const auto start = static_cast<std::ptrdiff_t>(guess < passes ? guess : passes);
    std::ptrdiff_t step = 1;
    if (holds(start)) {
        below = start;
        notBelow = start - step;
        while (notBelow >= 0 && holds(notBelow)) {
            below = notBelow;
            step *= 2;
            notBelow = below - step;
        }
        if (notBelow < 0) {
            notBelow = -1;
        }
    } else {
        notBelow = start;
        below = start + step;
        while (below < end && !holds(below)) {
            notBelow = below;
            step *= 2;
            below = notBelow + step;
        }
        if (below > end) {
            below = end;
        }
    }
    while (below - notBelow > 1) {
        const std::ptrdiff_t middle = notBelow + (below - notBelow) / 2;
        if (holds(middle)) {
            below = middle;
        } else {
            notBelow = middle;
        }
    }
    return static_cast<std::size_t>(below);
}

// About the first pass whose running angle lies below `degrees`, clamped to [0, passes]; any value,
// NaN included, gives a valid pass. Aiming just past the crossing, rather than at the nearest pass,
// makes the search's first two comparisons come out the same way nearly every time.
std::size_t passBelow(double degrees, std::size_t passes) {
    const double steps = (chart::kScanStart - degrees) / chart::kScanStep;
    if (!(steps > 0)) {
        return 0;
    }
    if (!(steps < static_cast<double>(passes - 1))) {
        return passes;
    }
    return static_cast<std::size_t>(steps) + 1;
}

// The scan's outcome found in its table. Falls back to the reference scan on a platform whose
// sine or cosine is not monotonic to the last bit, where the search below would not be exact.
ScanOutcome fastScan(const ScanDefinition& scan, const ScanTable& table, double target) {
    if (!table.monotonic) {
        return referenceScan(scan, target);
    }
    const std::vector<ScanPass>& passes = table.passes;
    // The difference as the scan subtracts it, signed so that it never rises from pass to pass.
    const auto difference = [&](std::size_t pass) {
        return scan.valuesFall ? passes[pass].value - target : target - passes[pass].value;
    };
    const std::size_t guess = passBelow(scan.bandOpensNear(target), passes.size());
    const std::size_t k = firstPassBelow(
        passes.size(), guess, [&](std::size_t pass) { return difference(pass) < scan.tolerance; });
    if (k < passes.size() && std::fabs(difference(k)) < scan.tolerance) {
        return {passes[k].angleAfter, true};
    }
    return {passes.back().angleAfter, false};
}

}  // namespace

ScanOutcome scanHalfAngleSine(double halfChordRatio) {
    return fastScan(kHalfAngleSineScan, halfAngleSineTable(), halfChordRatio);
}

ScanOutcome scanCosine(double cosine) {
    return fastScan(kCosineScan, cosineTable(), cosine);
}

}  // namespace orvanto
