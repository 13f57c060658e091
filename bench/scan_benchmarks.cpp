// The two scans by the pass-by-pass reference and by the fast path, and the one-time build of the
// fast path's tables.
//
// Worst case of the reference: no pass matches and all 180000 passes run. Typical: inputs drawn at
// random over the matching range, cycled through so that neither the branch predictor nor the
// cache sees one input only.

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "geometry/scan_tables.h"
#include "geometry/scans.h"

namespace orvanto::bench {
namespace {

// The one-time builds are timed on their own.
void warmTables() {
    halfAngleSineTable();
    cosineTable();
}

std::vector<double> randomInputs(double lowest, double highest, std::size_t count) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> input(lowest, highest);
    std::vector<double> inputs(count);
    for (double& value : inputs) {
        value = input(random);
    }
    return inputs;
}

void scanPerCall(benchmark::State& state, ScanOutcome (*scan)(double),
                 const std::vector<double>& inputs) {
    warmTables();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scan(inputs[next]));
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
}

struct ScanCase {
    const char* name;
    std::vector<double> inputs;
};

void registerScan(const std::string& scanName, ScanOutcome (*reference)(double),
                  ScanOutcome (*fast)(double), const std::vector<ScanCase>& cases) {
    for (const auto& [routeName, scan] : {std::pair{"Reference", reference}, {"Fast", fast}}) {
        for (const ScanCase& scanCase : cases) {
            const std::string name = scanName + "/" + routeName + "/" + scanCase.name;
            benchmark::RegisterBenchmark(name.c_str(), scanPerCall, scan, scanCase.inputs);
        }
    }
}

// What the first scan of a process pays: a fresh table, not the shared one. Freeing it is not
// part of the first use, so it is left out of the timing.
void buildTable(benchmark::State& state, const ScanDefinition& scan) {
    bool searchable = true;
    for (auto _ : state) {
        ScanTable table = buildScanTable(scan);
        state.PauseTiming();
        searchable = searchable && table.searchable;
        table = ScanTable();
        state.ResumeTiming();
    }
    state.SetLabel(searchable ? "fast path in use"
                              : "premises broken: the scan steps pass by pass");
}

const bool kRegistered = [] {
    registerScan("HalfAngleSineScan", referenceScanHalfAngleSine, scanHalfAngleSine,
                 {{"NoMatch", {1.5}},
                  {"Coincident", {0.0}},
                  {"NearOne", {0.99999}},
                  {"Typical", randomInputs(0, 1, 4096)}});
    registerScan("CosineScan", referenceScanCosine, scanCosine,
                 {{"NoMatch", {-1.5}},
                  {"One", {1.0}},
                  {"MinusOne", {-1.0}},
                  {"Typical", randomInputs(-1, 1, 4096)}});
    benchmark::RegisterBenchmark("HalfAngleSineTable/BuildOnFirstUse", buildTable,
                                 kHalfAngleSineScan)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("CosineTable/BuildOnFirstUse", buildTable, kCosineScan)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace orvanto::bench
