#include <cmath>
#include <cstddef>
#include <vector>

#include "chart_constants.h"
#include "scan_tables.h"
#include "scans.h"

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

// The scan's outcome once pass `k` is known to be the first where the difference falls below the
// tolerance: a match when that pass lies inside the band, otherwise no match at all.
ScanOutcome outcomeFrom(const std::vector<ScanPass>& passes, std::size_t k, bool inBand) {
    if (inBand) {
        return {passes[k].angleAfter, true};
    }
    return {passes.back().angleAfter, false};
}

}  // namespace

ScanOutcome scanHalfAngleSine(double halfChordRatio) {
    const ScanTable& table = halfAngleSineTable();
    if (!table.monotonic) {
        return referenceScanHalfAngleSine(halfChordRatio);
    }
    const std::vector<ScanPass>& passes = table.passes;
    const double tolerance = chart::kHalfAngleSineTolerance;

    // The band opens where the sine falls below halfChordRatio + tolerance.
    const double bandTop = halfChordRatio + tolerance;
    std::size_t guess = 0;
    if (bandTop < 1) {
        guess = bandTop > 0 ? passBelow(std::asin(bandTop) * (360 / chart::kPi), passes.size())
                            : passes.size();
    }
    const std::size_t k = firstPassBelow(passes.size(), guess, [&](std::size_t pass) {
        return passes[pass].value - halfChordRatio < tolerance;
    });
    return outcomeFrom(
        passes, k, k < passes.size() && std::fabs(passes[k].value - halfChordRatio) < tolerance);
}

ScanOutcome scanCosine(double cosine) {
    const ScanTable& table = cosineTable();
    if (!table.monotonic) {
        return referenceScanCosine(cosine);
    }
    const std::vector<ScanPass>& passes = table.passes;
    const double tolerance = chart::kCosineTolerance;

    // The band opens where the scan's cosine rises above cosine - tolerance.
    const double bandBottom = cosine - tolerance;
    std::size_t guess = 0;
    if (bandBottom > -1) {
        guess = bandBottom < 1
                    ? passBelow(std::acos(bandBottom) * (180 / chart::kPi), passes.size())
                    : passes.size();
    }
    const std::size_t k = firstPassBelow(passes.size(), guess, [&](std::size_t pass) {
        return cosine - passes[pass].value < tolerance;
    });
    return outcomeFrom(passes, k,
                       k < passes.size() && std::fabs(cosine - passes[k].value) < tolerance);
}

}  // namespace orvanto
