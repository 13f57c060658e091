// The two commands from entry texts to result texts, through an in-memory front end.

#include <benchmark/benchmark.h>

#include "angle_command.h"
#include "distance_command.h"
#include "in_memory_window.h"
#include "scan_tables.h"

namespace orvanto::bench {
namespace {

// Point 1 in minutes notation, point 2 in seconds notation, the reference point in minutes.
InMemoryWindow windowWithEntries() {
    InMemoryWindow window;
    window.setText(TextBox::Text1, "4250.0");
    window.setText(TextBox::Text2, "9338.80");
    window.setText(TextBox::Text3, "421125");
    window.setText(TextBox::Text4, "1021125");
    window.setText(TextBox::Text5, "3000.0");
    window.setText(TextBox::Text6, "9800.0");
    window.select(OptionButton::Option3, false);
    return window;
}

void runCommand(benchmark::State& state, CommandOutcome (*command)(WindowServices&)) {
    // The one-time builds of the tables are timed on their own.
    halfAngleSineTable();
    cosineTable();
    InMemoryWindow window = windowWithEntries();
    for (auto _ : state) {
        benchmark::DoNotOptimize(command(window));
    }
    if (!window.messages().empty()) {
        state.SkipWithError("the command stopped instead of writing its results");
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("DistanceCommand/Fast/FromTexts", runCommand, runDistanceCommand);
    benchmark::RegisterBenchmark("AngleCommand/Fast/FromTexts", runCommand, runAngleCommand);
    return true;
}();

}  // namespace
}  // namespace orvanto::bench
