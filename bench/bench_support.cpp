#include "bench/bench_support.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

#include "report/report.h"

namespace {
std::uint64_t AllocationCount = 0;
}  // namespace

// Counting replacements of the global allocation functions; they pair malloc
// with free on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++AllocationCount;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace vqbench {

namespace fs = std::filesystem;

std::uint64_t Allocations() { return AllocationCount; }

namespace {

double Seconds(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

double ThreadCpuSeconds() { return Seconds(CLOCK_THREAD_CPUTIME_ID); }

double WallSeconds() { return Seconds(CLOCK_MONOTONIC); }

void ReportPairs(benchmark::State& state, int batch, const std::vector<PairTimes>& pairs) {
    std::vector<double> cpuRatios, wallRatios, moduleCpu, baselineCpu;
    std::uint64_t allocations = 0;
    for (const PairTimes& pair : pairs) {
        // A batch too short for the clock to see says nothing.
        if (pair.ModuleCpu > 0.0 && pair.BaselineCpu > 0.0) cpuRatios.push_back(pair.ModuleCpu / pair.BaselineCpu);
        if (pair.ModuleWall > 0.0 && pair.BaselineWall > 0.0) {
            wallRatios.push_back(pair.ModuleWall / pair.BaselineWall);
        }
        moduleCpu.push_back(pair.ModuleCpu / batch);
        baselineCpu.push_back(pair.BaselineCpu / batch);
        allocations += pair.ModuleAllocations;
    }
    state.counters["ratio"] = Median(cpuRatios);
    state.counters["wall ratio"] = Median(wallRatios);
    state.counters["module us"] = Median(moduleCpu) * 1e6;
    state.counters["plain C us"] = Median(baselineCpu) * 1e6;
    const double calls = static_cast<double>(pairs.size()) * batch;
    state.counters["allocs/call"] = calls > 0 ? static_cast<double>(allocations) / calls : 0.0;
}

ScratchDirectory::ScratchDirectory() {
    Previous = fs::current_path().string();
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vqbench-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
    Dir = pattern;
    fs::current_path(Dir);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code error;
    fs::current_path(Previous, error);
    fs::remove_all(Dir, error);
}

void FillReport(int count) {
    ReportHeader = TReportHeader();
    ReportHeader.Field01 = "VQ301";
    ReportHeader.Field02 = "06.12.2026";
    ReportHeader.Field03 = "ENGM";
    ReportHeader.Field04 = "ENBR";
    ReportHeader.Field05 = "B738";
    ReportHeader.Field06 = "LN-VQA";
    ReportHeader.DepartureTime = "07:30";
    ReportHeader.Field10 = "FL250";
    ReportHeader.ExtraFuel1 = "350";
    ReportHeader.ExtraFuel2 = "0";
    ChkPointList.Clear();
    ChkPointList.Field1 = "OSLO - BERGEN";
    ChkPointList.Field2 = "REV 1";
    ChkPointList.StartFuel = 5400.0;
    for (int k = 0; k < count && k < ChkPointList.Capacity; ++k) {
        char text[32];
        TChkPoint point;
        std::snprintf(text, sizeof text, "Waypoint %d", k + 1);
        point.Name = text;
        point.Field02 = "FIX";
        std::snprintf(text, sizeof text, "WP%03d", k + 1);
        point.Ident = text;
        point.Field04 = "113.30";
        point.Field07 = "120";
        point.Field08 = "267";
        point.LegDistance = std::to_string(10 + k % 40);
        point.Field11 = "300";
        std::snprintf(text, sizeof text, "00:%02d", 2 + k % 50);
        point.PlannedLegTime = text;
        if (k < count / 2) {
            point.ActualLegTime = text;
            std::snprintf(text, sizeof text, "%02d:%02d", 7 + k / 60, k % 60);
            point.ActualArrival = text;
        }
        ChkPointList.Add(point);
        TChkPoint& slot = ChkPointList.Item(ChkPointList.Count - 1);
        slot.Latitude = 60.1939 + 0.01 * k;
        slot.Longitude = 11.1004 - 0.06 * k;
    }
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line + "\n");
    return lines;
}

}  // namespace vqbench
