// The distance and the angle from points in decimal degrees by both scan routes, beside a plain
// haversine over the same points. Everything a measurement computes from its points is timed.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/haversine.h"
#include "bench/typical_points.h"
#include "geometry/scan_tables.h"
#include "geometry/three_point_angle.h"

namespace orvanto::bench {
namespace {

// The one-time builds of the tables are timed on their own.
void warmTables() {
    halfAngleSineTable();
    cosineTable();
}

// Calls `measure` at each point in turn that has `used` - 1 points after it, cycling through them.
template <typename Measure>
void perCall(benchmark::State& state, const std::vector<ChartPoint>& points, std::size_t used,
             Measure measure) {
    warmTables();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(measure(points, next));
        next = next + used >= points.size() ? 0 : next + 1;
    }
}

void registerMeasurements() {
    static const std::vector<ChartPoint> typical = typicalPoints();
    // The same arithmetic over five points, whose few table lines stay in the cache: the
    // difference from Typical is what the table reads cost.
    static const std::vector<ChartPoint> fewPoints = typicalPoints(5);
    static const std::vector<ChartPoint> noMatch{{0, 0}, {0, 120}};
    static const std::vector<ChartPoint> coincident{{10, 20}, {10, 20}};
    benchmark::RegisterBenchmark("Haversine/Typical", [](benchmark::State& state) {
        perCall(state, typical, 2,
                [](const auto& points, std::size_t i) { return haversineKm(legAt(points, i)); });
    });
    for (const auto& [routeName, scans] :
         {std::pair{"Reference", kReferenceScans}, {"Fast", kFastScans}}) {
        const std::string route = routeName;
        const ScanPath routeScans = scans;
        const auto distanceOver = [routeScans](const std::vector<ChartPoint>& points) {
            return [routeScans, &points](benchmark::State& state) {
                perCall(state, points, 2, [routeScans](const auto& all, std::size_t i) {
                    return measureDistance(legAt(all, i), routeScans);
                });
            };
        };
        benchmark::RegisterBenchmark(("Distance/" + route + "/Typical").c_str(),
                                     distanceOver(typical));
        benchmark::RegisterBenchmark(("Distance/" + route + "/FewPoints").c_str(),
                                     distanceOver(fewPoints));
        benchmark::RegisterBenchmark(("Distance/" + route + "/NoMatch").c_str(),
                                     distanceOver(noMatch));
        benchmark::RegisterBenchmark(("Distance/" + route + "/Coincident").c_str(),
                                     distanceOver(coincident));
        const auto angleOver = [routeScans](const std::vector<ChartPoint>& points) {
            return [routeScans, &points](benchmark::State& state) {
                perCall(state, points, 3, [routeScans](const auto& all, std::size_t i) {
                    return measureThreePointAngle(cornersAt(all, i), routeScans);
                });
            };
        };
        benchmark::RegisterBenchmark(("ThreePointAngle/" + route + "/Typical").c_str(),
                                     angleOver(typical));
        benchmark::RegisterBenchmark(("ThreePointAngle/" + route + "/FewPoints").c_str(),
                                     angleOver(fewPoints));
    }
}

const bool kRegistered = [] {
    registerMeasurements();
    return true;
}();

}  // namespace
}  // namespace orvanto::bench
