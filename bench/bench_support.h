// What the benchmarks share: a scratch directory for the report file, a
// report of 100 checkpoints, and a count of heap allocations. The host's side
// is the tests' host double, host::PanelHost, with its call log off: it would
// allocate, and a display frame must not, in the module or in the host.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vqbench {

// The times of one pair of batches.
struct PairTimes {
    double ModuleCpu, BaselineCpu;    // seconds of this thread's processor time
    double ModuleWall, BaselineWall;  // seconds of real time
    std::uint64_t ModuleAllocations;  // heap allocations in the module's batch
};

// Runs `module` and `baseline` in alternating batches of `batch` calls each,
// one pair per iteration of `state` (which first side goes first alternates),
// and reports as counters the median ratio of processor time ("ratio"), the
// median ratio of real time ("wall ratio") and the median time of one call of
// each side ("module us", "plain C us"), and the module's heap allocations
// per call ("allocs/call"). Sides running next to each other see
// the same machine, so the ratios hold where the machine is busy or emulated.
template <typename Module, typename Baseline>
void MeasurePair(benchmark::State& state, int batch, Module module, Baseline baseline);

void ReportPairs(benchmark::State& state, int batch, const std::vector<PairTimes>& pairs);
double ThreadCpuSeconds();
double WallSeconds();

// Heap allocations through operator new since the program started.
std::uint64_t Allocations();

// Makes a fresh directory under $TMPDIR (or /tmp) and changes into it; the
// destructor changes back and removes it with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    std::string Dir;
    std::string Previous;
};

// Fills the report globals with a flight of `count` checkpoints: header
// texts, identifiers, leg distances, planned and actual times, positions.
void FillReport(int count);

// The lines of a file, each with its line end.
std::vector<std::string> FileLines(const std::string& path);

template <typename Module, typename Baseline>
void MeasurePair(benchmark::State& state, int batch, Module module, Baseline baseline) {
    std::vector<PairTimes> pairs;
    bool moduleFirst = true;
    auto timed = [batch](auto& side, double& cpu, double& wall, std::uint64_t& allocations) {
        const std::uint64_t allocations0 = Allocations();
        const double cpu0 = ThreadCpuSeconds();
        const double wall0 = WallSeconds();
        for (int i = 0; i < batch; ++i) side();
        cpu = ThreadCpuSeconds() - cpu0;
        wall = WallSeconds() - wall0;
        allocations = Allocations() - allocations0;
    };
    std::uint64_t baselineAllocations = 0;
    for (auto _ : state) {
        PairTimes times{};
        if (moduleFirst) {
            timed(module, times.ModuleCpu, times.ModuleWall, times.ModuleAllocations);
            timed(baseline, times.BaselineCpu, times.BaselineWall, baselineAllocations);
        } else {
            timed(baseline, times.BaselineCpu, times.BaselineWall, baselineAllocations);
            timed(module, times.ModuleCpu, times.ModuleWall, times.ModuleAllocations);
        }
        moduleFirst = !moduleFirst;
        state.SetIterationTime(times.ModuleWall + times.BaselineWall);
        pairs.push_back(times);
    }
    ReportPairs(state, batch, pairs);
}

}  // namespace vqbench
