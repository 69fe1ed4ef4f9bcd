// Runs the benchmarks and prints each result as a ratio against its plain C
// baseline, measured side by side in the same run (bench_support.h), so that
// the figures hold on a noisy or emulated machine. With repetitions, each
// figure is the median over them. Fails when a benchmark fails or the
// display frame allocates.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace {

// The counters of every run, by benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            Measured& measured = Results[run.run_name.function_name];
            if (run.error_occurred) measured.Failed = true;
            for (const auto& counter : run.counters) measured.Counters[counter.first].push_back(counter.second.value);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    struct Measured {
        std::map<std::string, std::vector<double>> Counters;  // one value per repetition
        bool Failed = false;
    };
    std::map<std::string, Measured> Results;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

struct Ratio {
    const char* Title;
    const char* Benchmark;
    double Aim;  // 0: no aim, the figure is for information
};

const Ratio Ratios[] = {
    {"display frame (lines 1-3, away)", "DisplayFrame", 2.0},
    {"LoadReport, 100 checkpoints", "LoadReport100", 2.0},
    {"SaveReport, 100 checkpoints", "SaveReport100", 2.0},
    {"arrival step of BuildLine3", "ArrivalStep", 0.0},
    {"recovery write vs SaveReport, 100", "RecoveryWrite100", 0.0},
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

    RatioReporter reporter;
    {
        vqbench::ScratchDirectory scratch;  // the report files live here
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();

    bool ok = true;
    std::printf("\nRatios against the plain C baseline, measured side by side (median of pairs):\n");
    std::printf("  %-34s %9s %11s %11s %11s\n", "", "CPU time", "real time", "module", "plain C");
    for (const Ratio& ratio : Ratios) {
        auto found = reporter.Results.find(ratio.Benchmark);
        if (found == reporter.Results.end()) continue;
        auto& counters = found->second.Counters;
        if (found->second.Failed || counters["ratio"].empty()) {
            std::printf("  %-34s failed\n", ratio.Title);
            ok = false;
            continue;
        }
        const double factor = Median(counters["ratio"]);
        std::printf("  %-34s %7.2f x %9.2f x %8.2f us %8.2f us", ratio.Title, factor, Median(counters["wall ratio"]),
                    Median(counters["module us"]), Median(counters["plain C us"]));
        if (ratio.Aim > 0.0) std::printf("   aim <= %.0f: %s", ratio.Aim, factor <= ratio.Aim ? "met" : "NOT MET");
        std::printf("\n");
    }
    auto frame = reporter.Results.find("DisplayFrame");
    if (frame != reporter.Results.end() && !frame->second.Counters["allocs/call"].empty()) {
        const auto& allocations = frame->second.Counters["allocs/call"];
        const double most = *std::max_element(allocations.begin(), allocations.end());
        std::printf("  %-34s %g (must be 0)\n", "heap allocations per frame", most);
        if (most != 0.0) ok = false;
    }
    return ok ? 0 : 1;
}
