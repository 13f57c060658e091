#include "tabulated_scans.h"

#include <algorithm>
#include <cmath>

#include "chart_constants.h"

namespace orvanto::testing {
namespace {

constexpr std::size_t kBlock = 256;

// The reference scans' own expressions, in their order of operations.
double halfAngleSineAt(double b) {
    return std::sin(((b / 2) * chart::kPi) / 180);
}

double cosineAt(double v) {
    return std::cos((v / 180) * chart::kPi);
}

}  // namespace

const TabulatedScan& TabulatedScan::halfAngleSine() {
    static const TabulatedScan scan(false, chart::kHalfAngleSineTolerance, halfAngleSineAt);
    return scan;
}

const TabulatedScan& TabulatedScan::cosine() {
    static const TabulatedScan scan(true, chart::kCosineTolerance, cosineAt);
    return scan;
}

TabulatedScan::TabulatedScan(bool targetFirst, double tolerance, double (*valueAt)(double angle))
    : targetFirst_(targetFirst), tolerance_(tolerance) {
    double angle = chart::kScanStart;
    while (!(angle < 0)) {
        angles_.push_back(angle);
        values_.push_back(valueAt(angle));
        angle -= chart::kScanStep;
    }
    angles_.push_back(angle);
    for (std::size_t first = 0; first < values_.size(); first += kBlock) {
        const std::size_t last = std::min(first + kBlock, values_.size()) - 1;
        const auto [lowest, highest] = std::minmax_element(&values_[first], &values_[last] + 1);
        blockLowest_.push_back(*lowest);
        blockHighest_.push_back(*highest);
    }
}

std::size_t TabulatedScan::firstMatch(double target) const {
    for (std::size_t block = 0; block < blockLowest_.size(); ++block) {
        // Rounding a subtraction preserves order, so every difference in the block lies between
        // these two. When both are at or beyond the same side of the tolerance, no pass of the
        // block can match, whatever order its values come in: skipping it cannot change the
        // first match.
        const double a = difference(blockLowest_[block], target);
        const double b = difference(blockHighest_[block], target);
        if (std::max(a, b) <= -tolerance_ || std::min(a, b) >= tolerance_) {
            continue;
        }
        const std::size_t end = std::min((block + 1) * kBlock, values_.size());
        for (std::size_t k = block * kBlock; k < end; ++k) {
            if (std::fabs(difference(values_[k], target)) < tolerance_) {
                return k;
            }
        }
    }
    return values_.size();
}

ScanOutcome TabulatedScan::outcomeAt(std::size_t firstMatch) const {
    // Like the scan, the matching pass subtracts its step too; without a match the angle is the
    // first running value below zero.
    if (firstMatch < values_.size()) {
        return {angles_[firstMatch + 1], true};
    }
    return {angles_.back(), false};
}

}  // namespace orvanto::testing
