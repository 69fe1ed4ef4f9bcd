// The display callbacks run every frame inside the simulator: one frame is
// BuildLine1, BuildLine2 and BuildLine3 with the aircraft away from the
// checkpoint, against three snprintf calls of the same formats and texts.
// The arrival step of BuildLine3 stamps the times once per checkpoint,
// against the same clock and leg arithmetic in plain C.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_support.h"
#include "display/elements.h"
#include "display/lines.h"
#include "gauge/gauge.h"
#include "host/panel_host.h"
#include "interface/state.h"
#include "report/report.h"

// The texts fit their lines; snprintf would cut longer ones at the buffer's end.
#pragma GCC diagnostic ignored "-Wformat-truncation"

namespace {

// The gauge installed by the host, whose clock shows 08:15:10; instrument
// on, past the greeting, main page, checkpoint 2 of 100 current and the
// aircraft 0.5 degrees south of it.
void PrepareFrame(host::PanelHost& host) {
    host.Install();
    host.SetClock(8, 15, 10.0);
    vqbench::FillReport(100);
    Active = 1;
    GreetingTicks = GreetingBuilds;
    AltPage = 0;
    AtChkPoint = 0;
    CurrentChkPoint = 1;
    const TChkPoint& point = ChkPointList.Item(CurrentChkPoint);
    host.SetAircraftPosition(point.Latitude - 0.5, point.Longitude);
}

void DisplayFrame(benchmark::State& state) {
    host::PanelHost host(&Linkage, &ImportTable);
    PrepareFrame(host);
    const TChkPoint& point = ChkPointList.Item(CurrentChkPoint);
    const int number = CurrentChkPoint + 1;
    const int count = ChkPointList.Count;

    auto frame = [] {
        benchmark::DoNotOptimize(BuildLine1(0.0));
        benchmark::DoNotOptimize(BuildLine2(0.0));
        benchmark::DoNotOptimize(BuildLine3(0.0));
        benchmark::ClobberMemory();
    };
    auto plain = [&] {
        std::snprintf(Line1Element.Buffer, Line1Length + 1, "%02d/%02d %-7s %-6s", number, count,
                      point.Ident.c_str(), point.Field04.c_str());
        std::snprintf(Line2Element.Buffer, Line2Length + 1, "%3s %4s %5s %5s", point.Field07.c_str(),
                      point.LegDistance.c_str(), point.PlannedLegTime.c_str(), point.ActualLegTime.c_str());
        std::snprintf(Line3Element.Buffer, Line3Length + 1, "%s", " ");
        benchmark::ClobberMemory();
    };
    frame();  // the first frame may set things up
    vqbench::MeasurePair(state, 200, frame, plain);

    frame();
    if (std::strlen(Line1Element.Buffer) != 20 || std::strlen(Line2Element.Buffer) != 20 || CurrentChkPoint != 1) {
        state.SkipWithError("the frame did not show checkpoint 2 in two lines of 20 characters");
    }
}
BENCHMARK(DisplayFrame)->UseManualTime()->MinTime(2.0);

// The aircraft is at checkpoint 2 (index 1): every call is an arrival that
// stamps it at 08:15 and estimates checkpoint 3. The plain C side does the
// same: the mark, the clock as "hh:mm", the leg time from the previous
// arrival, the next estimate from the two leg distances.
void ArrivalStep(benchmark::State& state) {
    host::PanelHost host(&Linkage, &ImportTable);
    PrepareFrame(host);
    ChkPointList.Item(0).ActualArrival = "07:30";
    TChkPoint& previous = ChkPointList.Item(0);
    TChkPoint& current = ChkPointList.Item(1);
    TChkPoint& next = ChkPointList.Item(2);
    host.SetAircraftPosition(current.Latitude, current.Longitude);

    auto arrival = [] {
        AtChkPoint = 0;
        CurrentChkPoint = 1;
        benchmark::DoNotOptimize(BuildLine3(0.0));
        benchmark::ClobberMemory();
    };
    const double clock[3] = {8, 15, 10.0};
    char arrived[16], leg[16], estimate[16];
    auto plain = [&] {
        std::memcpy(Line3Element.Buffer, "#", 2);
        benchmark::DoNotOptimize(clock);
        const int hour = static_cast<int>(clock[0]);
        const int minute = static_cast<int>(clock[1]) + (clock[2] > 30.0 ? 1 : 0);
        std::snprintf(arrived, sizeof arrived, "%02d:%02d", hour, minute);
        int previousHour = 0, previousMinute = 0;
        std::sscanf(previous.ActualArrival.c_str(), "%d:%d", &previousHour, &previousMinute);
        double legHours = hour + minute / 60.0 - (previousHour + previousMinute / 60.0);
        if (legHours < 0.0) legHours += 24.0;
        const int legMinutes = static_cast<int>(legHours * 60.0 + 0.5);
        std::snprintf(leg, sizeof leg, "%02d:%02d", legMinutes / 60, legMinutes % 60);
        const double nextDistance = std::strtod(next.LegDistance.c_str(), nullptr);
        const double currentDistance = std::strtod(current.LegDistance.c_str(), nullptr);
        const double hours = std::fmod(hour + minute / 60.0 + nextDistance * legHours / currentDistance, 24.0);
        const int estimateMinutes = static_cast<int>(hours * 60.0 + 0.5);
        std::snprintf(estimate, sizeof estimate, "%02d:%02d", estimateMinutes / 60 % 24, estimateMinutes % 60);
        benchmark::DoNotOptimize(arrived);
        benchmark::DoNotOptimize(leg);
        benchmark::DoNotOptimize(estimate);
        benchmark::ClobberMemory();
    };
    vqbench::MeasurePair(state, 50, arrival, plain);

    if (current.ActualArrival != "08:15" || current.ActualLegTime != "00:45" || next.EstimatedArrival.empty()) {
        state.SkipWithError("the arrival did not stamp the times");
    }
}
BENCHMARK(ArrivalStep)->UseManualTime()->MinTime(2.0);

}  // namespace
