// Runs one measurement a given number of times over the benchmarks' points, for callgrind:
//   orvanto-instruction-driver haversine|distance|angle|distance-command|angle-command CALLS
// bench/instruction-counts runs it with two counts and takes the difference, so the start-up and
// the table builds cancel out and what is left is the cost of the calls alone.

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "bench/haversine.h"
#include "bench/typical_points.h"
#include "calculator/calculation.h"
#include "geometry/scan_tables.h"

namespace {

using namespace orvanto;

// The worked example of the README, as the command benchmarks take it.
const CalculatorInput kWorkedExample{{"4250.0", "9338.80", EntryMode::Minutes},
                                     {"421125", "1021125", EntryMode::Seconds},
                                     {"3000.0", "9800.0", EntryMode::Minutes}};

// Accumulated so that no call can be left out by the optimiser.
volatile double gSink = 0;

template <typename Measure>
void repeat(long calls, std::size_t used, Measure measure) {
    const std::vector<ChartPoint> points = bench::typicalPoints();
    std::size_t next = 0;
    for (long call = 0; call < calls; ++call) {
        gSink = gSink + measure(points, next);
        next = next + used >= points.size() ? 0 : next + 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: orvanto-instruction-driver MEASUREMENT CALLS\n", stderr);
        return 2;
    }
    const std::string_view measurement = argv[1];
    const long calls = std::strtol(argv[2], nullptr, 10);
    halfAngleSineTable();
    cosineTable();
    if (measurement == "haversine") {
        repeat(calls, 2, [](const auto& points, std::size_t i) {
            return bench::haversineKm(bench::legAt(points, i));
        });
    } else if (measurement == "distance") {
        repeat(calls, 2, [](const auto& points, std::size_t i) {
            return measureDistance(bench::legAt(points, i)).kilometres;
        });
    } else if (measurement == "angle") {
        repeat(calls, 3, [](const auto& points, std::size_t i) {
            return measureThreePointAngle(bench::cornersAt(points, i)).degrees;
        });
    } else if (measurement == "distance-command") {
        repeat(calls, 0, [](const auto&, std::size_t) {
            return static_cast<double>(calculateDistance(kWorkedExample).index());
        });
    } else if (measurement == "angle-command") {
        repeat(calls, 0, [](const auto&, std::size_t) {
            return static_cast<double>(calculateAngle(kWorkedExample).index());
        });
    } else {
        std::fprintf(stderr, "unknown measurement: %s\n", argv[1]);
        return 2;
    }
    return 0;
}
