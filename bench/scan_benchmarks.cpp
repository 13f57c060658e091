// The two scans by the pass-by-pass reference and by the fast route, the distance and the angle
// that use them, and the one-time build of the fast route's tables.
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
#include "geometry/three_point_angle.h"

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

// Typical distances: both points within a chart of 160 by 100 degrees.
std::vector<ChartLeg> typicalLegs() {
    const std::vector<double> latitudes = randomInputs(-80, 80, 2048);
    const std::vector<double> longitudes = randomInputs(-50, 50, 2049);
    std::vector<ChartLeg> legs;
    for (std::size_t i = 0; i + 1 < latitudes.size(); i += 2) {
        legs.push_back({{latitudes[i], longitudes[i + 1]}, {latitudes[i + 1], longitudes[i]}});
    }
    return legs;
}

void distancePerCall(benchmark::State& state, const ScanRoute& scans,
                     const std::vector<ChartLeg>& legs) {
    warmTables();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(measureDistance(legs[next], scans));
        next = next + 1 == legs.size() ? 0 : next + 1;
    }
}

void threePointAnglePerCall(benchmark::State& state, const ScanRoute& scans,
                            const std::vector<ChartLeg>& legs) {
    warmTables();
    std::size_t next = 0;
    for (auto _ : state) {
        const ChartLeg& leg = legs[next];
        benchmark::DoNotOptimize(measureThreePointAngle({leg.from, leg.to, {0.5, 0.5}}, scans));
        next = next + 1 == legs.size() ? 0 : next + 1;
    }
}

void registerDistanceAndAngle() {
    const std::vector<ChartLeg> typical = typicalLegs();
    const std::vector<ChartLeg> noMatch{{{0, 0}, {0, 120}}};
    const std::vector<ChartLeg> coincident{{{10, 20}, {10, 20}}};
    for (const auto& [routeName, scans] :
         {std::pair{"Reference", kReferenceScans}, {"Fast", kFastScans}}) {
        const std::string route = routeName;
        benchmark::RegisterBenchmark(("Distance/" + route + "/Typical").c_str(), distancePerCall,
                                     scans, typical);
        benchmark::RegisterBenchmark(("Distance/" + route + "/NoMatch").c_str(), distancePerCall,
                                     scans, noMatch);
        benchmark::RegisterBenchmark(("Distance/" + route + "/Coincident").c_str(), distancePerCall,
                                     scans, coincident);
        benchmark::RegisterBenchmark(("ThreePointAngle/" + route + "/Typical").c_str(),
                                     threePointAnglePerCall, scans, typical);
    }
}

// What the first scan of a process pays: a fresh table, not the shared one. Freeing it is not
// part of the first use, so it is left out of the timing.
void buildTable(benchmark::State& state, const ScanDefinition& scan) {
    bool monotonic = true;
    for (auto _ : state) {
        ScanTable table = buildScanTable(scan);
        state.PauseTiming();
        monotonic = monotonic && table.monotonic;
        table = ScanTable();
        state.ResumeTiming();
    }
    state.SetLabel(monotonic ? "fast route in use" : "not monotonic: the scan steps pass by pass");
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
    registerDistanceAndAngle();
    benchmark::RegisterBenchmark("HalfAngleSineTable/BuildOnFirstUse", buildTable,
                                 kHalfAngleSineScan)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("CosineTable/BuildOnFirstUse", buildTable, kCosineScan)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace orvanto::bench
