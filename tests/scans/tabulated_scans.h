// The two pass-by-pass scans run over tables of their own sine and cosine values: the same passes,
// comparisons and first match as the reference scans, without trigonometry per input, so that
// millions of inputs can be checked against them. They share nothing with the fast route.
#pragma once

#include <cstddef>
#include <vector>

#include "scans.h"

namespace orvanto::testing {

class TabulatedScan {
  public:
    static const TabulatedScan& halfAngleSine();
    static const TabulatedScan& cosine();

    ScanOutcome operator()(double target) const { return outcomeAt(firstMatch(target)); }

    // The value the scan compares at each pass, and the difference it takes, as the scan writes it.
    const std::vector<double>& values() const { return values_; }
    double difference(double value, double target) const {
        return targetFirst_ ? target - value : value - target;
    }
    double tolerance() const { return tolerance_; }
    // The first pass that matches `target`, or values().size() when none does.
    std::size_t firstMatch(double target) const;
    ScanOutcome outcomeAt(std::size_t firstMatch) const;

  private:
    TabulatedScan(bool targetFirst, double tolerance, double (*valueAt)(double angle));

    bool targetFirst_;
    double tolerance_;
    std::vector<double> angles_;  // the running angle at each pass, then the first below zero
    std::vector<double> values_;
    std::vector<double> blockLowest_;
    std::vector<double> blockHighest_;
};

}  // namespace orvanto::testing
