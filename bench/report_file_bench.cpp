// LoadReport and SaveReport of a report of 100 checkpoints, against plain
// fgets and fputs loops over the same lines of the same file. The saving
// baseline replaces the file the same way: the old file read once (the save
// compares it with what it last read or wrote), a new file, flushed to disk,
// then renamed over the old one, and the folder flushed.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"

namespace {

void WriteReportOf100() {
    vqbench::FillReport(100);
    ResetReportFileGuard();
    std::remove(ReportFileName);  // a save over nothing: the first load or save of the run
    SaveReport();
}

void LoadReport100(benchmark::State& state) {
    WriteReportOf100();
    char line[256];
    auto load = [] {
        LoadReport();
        benchmark::ClobberMemory();
    };
    auto plain = [&line] {
        std::FILE* file = std::fopen(ReportFileName, "rb");
        int lines = 0;
        while (std::fgets(line, sizeof line, file)) ++lines;
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    };
    vqbench::MeasurePair(state, 1, load, plain);
    if (ChkPointList.Count != 100 || ReportFileNeedsCopy()) state.SkipWithError("the report did not load whole");
}
BENCHMARK(LoadReport100)->UseManualTime()->MinTime(2.0);

void SaveReport100(benchmark::State& state) {
    WriteReportOf100();
    const std::vector<std::string> lines = vqbench::FileLines(ReportFileName);
    const std::string written = std::string(ReportFileName) + TemporaryEnding;
    auto save = [] {
        SaveReport();
        benchmark::ClobberMemory();
    };
    auto plain = [&] {
        char old[1024];
        std::size_t bytes = 0;
        if (std::FILE* in = std::fopen(ReportFileName, "rb")) {
            while (const std::size_t n = std::fread(old, 1, sizeof old, in)) bytes += n;
            std::fclose(in);
        }
        benchmark::DoNotOptimize(bytes);
        std::FILE* file = std::fopen(written.c_str(), "wb");
        for (const std::string& line : lines) std::fputs(line.c_str(), file);
        std::fflush(file);
        fsync(fileno(file));
        std::fclose(file);
        std::rename(written.c_str(), ReportFileName);
        const int folder = open(".", O_RDONLY | O_DIRECTORY);  // the rename made durable too
        fsync(folder);
        close(folder);
    };
    vqbench::MeasurePair(state, 1, save, plain);
}
BENCHMARK(SaveReport100)->UseManualTime()->MinTime(2.0);

}  // namespace

namespace {

// One write of the recovery file (100 checkpoints) after a stamp, against
// the report save that writes the stamp into the report file and removes the
// recovery file again.
void RecoveryWrite100(benchmark::State& state) {
    WriteReportOf100();
    LoadReport();
    int minute = 0;
    auto recovery = [&minute] {
        ChkPointList.Item(50).ActualArrival = minute++ % 2 ? "12:00" : "12:01";
        ReportGained();
        benchmark::ClobberMemory();
    };
    auto save = [] {
        SaveReport();
        benchmark::ClobberMemory();
    };
    vqbench::MeasurePair(state, 1, recovery, save);
}
BENCHMARK(RecoveryWrite100)->UseManualTime()->MinTime(2.0);

}  // namespace
