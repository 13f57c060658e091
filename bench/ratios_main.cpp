// orvanto-bench's entry point: the benchmarks as usual, then the costs of the distance, the angle
// and the two commands as multiples of the plain haversine's, all from this one run's CPU times.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The console output unchanged, with the CPU time per call of every benchmark kept: the median of
// the repetitions when they are aggregated, otherwise the median of the runs seen.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = run.GetAdjustedCPUTime();
            } else if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                samples_[name].push_back(run.GetAdjustedCPUTime());
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Zero when the benchmark did not run (filtered out or failed).
    double cpuTime(const std::string& name) {
        if (const auto median = medians_.find(name); median != medians_.end()) {
            return median->second;
        }
        std::vector<double>& samples = samples_[name];
        if (samples.empty()) {
            return 0;
        }
        const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
        std::nth_element(samples.begin(), middle, samples.end());
        return *middle;
    }

  private:
    std::map<std::string, double> medians_;
    std::map<std::string, std::vector<double>> samples_;
};

struct Ratio {
    const char* label;
    const char* benchmark;
    const char* target;
};

constexpr Ratio kRatios[] = {
    {"distance", "Distance/Fast/Typical", " (target <= 0.95)"},
    {"angle", "ThreePointAngle/Fast/Typical", " (target <= 2.5)"},
    {"distance command from texts", "DistanceCommand/Fast/FromTexts", ""},
    {"angle command from texts", "AngleCommand/Fast/FromTexts", ""},
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double haversine = reporter.cpuTime("Haversine/Typical");
    if (haversine <= 0) {
        return 0;
    }
    std::printf("\nCPU time per call over the haversine's (%.1f ns):\n", haversine);
    for (const Ratio& ratio : kRatios) {
        if (const double time = reporter.cpuTime(ratio.benchmark); time > 0) {
            std::printf("  %-28s %5.2fx%s\n", ratio.label, time / haversine, ratio.target);
        }
    }
    return 0;
}
