// The two commands from entry texts to result texts, as every front end calls them.

#include <benchmark/benchmark.h>

#include <variant>

#include "calculator/calculation.h"
#include "geometry/scan_tables.h"

namespace orvanto::bench {
namespace {

// Point 1 in minutes notation, point 2 in seconds notation, the reference point in minutes.
const CalculatorInput kWorkedExample{{"4250.0", "9338.80", EntryMode::Minutes},
                                     {"421125", "1021125", EntryMode::Seconds},
                                     {"3000.0", "9800.0", EntryMode::Minutes}};

template <typename Outcome>
void runCommand(benchmark::State& state,
                Outcome (*calculate)(const CalculatorInput&, NumberStyle)) {
    // The one-time builds of the tables are timed on their own.
    halfAngleSineTable();
    cosineTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(calculate(kWorkedExample, NumberStyle::Window));
    }
    if (std::holds_alternative<Message>(calculate(kWorkedExample, NumberStyle::Window))) {
        state.SkipWithError("the command stopped instead of giving its results");
    }
}

const bool kRegistered = [] {
    benchmark::RegisterBenchmark("DistanceCommand/Fast/FromTexts", runCommand<DistanceOutcome>,
                                 calculateDistance);
    benchmark::RegisterBenchmark("AngleCommand/Fast/FromTexts", runCommand<AngleOutcome>,
                                 calculateAngle);
    return true;
}();

}  // namespace
}  // namespace orvanto::bench
