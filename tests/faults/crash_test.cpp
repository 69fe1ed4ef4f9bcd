// A crash at every step: a process of its own takes a flight up, stamps a
// checkpoint and saves (or writes the recovery file), and ends itself at the
// k-th file operation, for k = 1, 2, ... until one runs to the end; the next
// load must find a whole report and every stamp the crash did not interrupt.
// A report placed at any step of a save survives; and the frame that stamps
// writes the recovery file and reads none.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <tuple>

#include "gauge/gauge.h"
#include "host/panel_host.h"
#include "persistence/report_store.h"
#include "persistence/start.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/faults/fault_support.h"

namespace {

using vqtest::DiskFaults;
using vqtest::DiskStep;
using vqtest::Route;
using Op = platform::FileOperation;

constexpr int Stopped = 77;
enum What { Save, RecoveryWrite };

// Six checkpoints, the first `arrivals` of them reached at 10:00, 11:00, ...
std::string Arrived(int arrivals) {
    return vqtest::CrLfLines(vqtest::ReportLines(6, [=](const ReportField& field, int k) -> std::string {
        const int i = field.Index;
        switch (field.Part) {
        case ReportPart::Header: return i == HfDepartureTime ? "10:00" : "";
        case ReportPart::Checkpoint:
            return i == PfName ? "P" + std::to_string(k) : i == PfActualArrival && k < arrivals ? std::to_string(10 + k) + ":00" : "";
        case ReportPart::Position: return std::to_string(i == 0 ? 60 : 10 + k);
        default: return "0";
        }
    }));
}

// The report file as the last save left it, and the flight since in the recovery file.
void PrepareFolder() {
    vqtest::WriteFile("tolvanix.rec", Arrived(2));
    vqtest::WriteFile("tolvanix-recovery.rec", Arrived(3));
}

int Arrivals() {
    int n = 0;
    for (int k = 0; k < ChkPointList.Count; ++k) n += !ChkPointList.Item(k).ActualArrival.empty();
    return n;
}

// Called before the n-th file operation of an act (from 1).
using Place = std::function<void(int n, const DiskStep& step)>;

// The flight taken up, checkpoint 4 stamped, then the act; the process ends
// at the `stopAt`-th file operation of the act (0: never). The operations
// of the act come back.
std::vector<DiskStep> RunAct(What what, Route route, int stopAt, const Place& place = nullptr) {
    ResetModuleState();
    DiskFaults faults = vqtest::RouteFaults(route);
    std::size_t armed = 0;  // operations before the act
    int seen = 0;
    faults.Before = [&](const DiskStep& step) {
        if (armed == 0 || step.Operation == Op::Open) return;
        ++seen;
        if (seen == stopAt) vqtest::EndProcessNow(Stopped);
        if (place) place(seen, step);
    };
    vqtest::InjectedDisk disk(faults);
    LoadReport();
    ChkPointList.Item(3).ActualArrival = "13:00";
    if (what == Save) ReportGained();
    armed = disk.Log().size() + 1;
    if (what == Save) {
        SaveReport();
    } else {
        ReportGained();
    }
    return std::vector<DiskStep>(disk.Log().begin() + static_cast<std::ptrdiff_t>(armed - 1), disk.Log().end());
}

void CrashAct(int argument) { RunAct(What(argument % 2), Route(argument / 2 % 4), argument / 8); }
const bool Registered = vqtest::RegisterChildAct("crash", CrashAct);

// Every new file is flushed before it is moved into place, and on POSIX the
// folder is synced after the last move.
void ExpectFlushedBeforeMovedAndFolderSynced(const std::vector<DiskStep>& log) {
    std::set<std::string> created, flushed;
    bool moved = false, syncedAfter = false;
    for (const DiskStep& step : log) {
        if (step.Operation == Op::Create) created.insert(step.Path);
        if (step.Operation == Op::Flush) flushed.insert(step.Path);
        if (step.Operation == Op::SyncFolder) syncedAfter = true;
        const bool intoPlace = step.Operation == Op::Move || step.Operation == Op::Exchange ||
                               step.Operation == Op::SystemReplace;
        if (intoPlace && created.count(step.Path)) {
            EXPECT_TRUE(flushed.count(step.Path)) << step.Text() << ": not flushed before";
            moved = true;
            syncedAfter = false;
        }
    }
    EXPECT_TRUE(moved);
#ifdef _WIN32
    syncedAfter = true;  // the moves are written through instead
#endif
    EXPECT_TRUE(syncedAfter) << "the folder is not synced after the last move";
}

// Which act, by which route of the replace (Windows has no hard links: after
// ReplaceFileA come the moves).
class CrashAtEveryStep : public vqtest::ModuleTest, public ::testing::WithParamInterface<std::tuple<What, Route>> {};

TEST_P(CrashAtEveryStep, LosesNoStampItDidNotInterrupt) {
    const auto [what, route] = GetParam();
    (void)Registered;
    std::size_t steps = 0;
    {
        vqtest::ScratchDirectory folder;
        PrepareFolder();
        const std::vector<DiskStep> log = RunAct(what, route, 0);
        ExpectFlushedBeforeMovedAndFolderSynced(log);
        for (const DiskStep& step : log) steps += step.Operation != Op::Open;
    }
    int stops = 0, losses = 0;
    for (std::size_t step = 1; step <= steps + 1; ++step) {
        vqtest::ScratchDirectory folder;
        PrepareFolder();
        const int status = vqtest::RunChild("crash", static_cast<int>(step) * 8 + static_cast<int>(route) * 2 + what);
        ASSERT_EQ(status, step <= steps ? Stopped : 0) << "step " << step;
        stops += status == Stopped;
        ResetModuleState();
        static StartPlan plan;
        PlanStart(ReportFileName, RecoveryFileName, plan);
        static ReportDigest report;  // what is under the name, or rolled forward to it
        DigestOfFile(plan.ReportFrom.empty() ? ReportFileName : plan.ReportFrom.c_str(), report);
        EXPECT_TRUE(report.Whole) << "no whole report to load after a stop at step " << step;
        LoadReport();
        const int kept = Arrivals(), reached = what == Save || status == 0 ? 4 : 3;
        EXPECT_GE(kept, reached) << "a stop at step " << step << " lost a stamp";
        losses += kept < reached;
    }
    std::cout << (what == Save ? "save" : "recovery write") << ", " << vqtest::RouteName(route) << ": " << steps
              << " steps, " << stops << " stops, " << losses << " losses\n";
}

#ifdef _WIN32
const std::vector<Route> Routes{Route::Best, Route::Moves};
#else
const std::vector<Route> Routes{Route::Best, Route::NoSwap, Route::Moves};
#endif
INSTANTIATE_TEST_SUITE_P(Routes, CrashAtEveryStep,
                         ::testing::Combine(::testing::Values(Save, RecoveryWrite), ::testing::ValuesIn(Routes)));

class SaveSteps : public vqtest::ModuleTest {};

// A report placed under the report's name at any step of a save, by a rename
// onto the name or by writing over the file in place, is found byte for byte
// in the folder afterwards. The one window left is the hard-link route's: a
// file renamed onto the name between the link and the rename is replaced.
TEST_F(SaveSteps, APlacedReportSurvivesEveryStep) {
    const std::string placed = "a dispatcher's report\r\n";
    for (Route route : Routes) {
        for (bool byRename : {true, false}) {
            for (int step = 1;; ++step) {
                SCOPED_TRACE(std::string(vqtest::RouteName(route)) + (byRename ? ", renamed" : ", written") +
                             " before step " + std::to_string(step));
                vqtest::ScratchDirectory folder;
                PrepareFolder();
                bool reached = false, window = false;
                Op previous = Op::Open;
                const Place place = [&](int n, const DiskStep& at) {
                    if (n == step) {
                        reached = true;
                        window = route == Route::NoSwap && byRename && at.Operation == Op::Move &&
                                 previous == Op::Link;
                        if (byRename) {
                            vqtest::WriteFile("placed.tmp", placed);
                            std::filesystem::rename("placed.tmp", "tolvanix.rec");
                        } else {
                            std::ofstream("tolvanix.rec", std::ios::binary | std::ios::trunc) << placed;
                        }
                    }
                    previous = at.Operation;
                };
                RunAct(Save, route, 0, place);
                if (!reached) break;
                bool found = false;
                for (const std::string& name : vqtest::ListDirectory()) found |= vqtest::ReadFile(name) == placed;
                EXPECT_EQ(found, !window) << (window ? "the hard-link route's window has closed: say so" : "lost");
            }
        }
    }
}

// The frame that stamps a checkpoint writes the recovery file and reads no
// file; the frames before and after it touch none.
TEST_F(SaveSteps, TheStampingFrameWritesTheRecoveryFileAndReadsNone) {
    PrepareFolder();
    host::PanelHost host(&Linkage, &ImportTable);
    host.Install();
    host.Click(4);  // switched on: the flight taken up at checkpoint 4
    host.SetClock(13, 0, 0.0);
    host.SetAircraftPosition(60.0, 13.5);
    vqtest::InjectedDisk disk(DiskFaults{});
    for (int i = 0; i < 40; ++i) host.Frame();
    EXPECT_EQ(disk.Log().size(), 0u) << "frames away from the checkpoint";
    host.SetAircraftPosition(60.0, 13.0);
    host.Frame();
    std::set<Op> done;
    for (const DiskStep& step : disk.Log()) done.insert(step.Operation);
    EXPECT_EQ(done.count(Op::Open), 0u) << "the stamping frame reads a file";
    EXPECT_EQ(done.count(Op::Create), 1u);
    EXPECT_NE(vqtest::ReadFile("tolvanix-recovery.rec").find("\r\n13:00\r\n"), std::string::npos);
    const std::size_t stamped = disk.Log().size();
    for (int i = 0; i < 40; ++i) host.Frame();
    EXPECT_EQ(disk.Log().size(), stamped) << "frames at the checkpoint after the stamp";
    EXPECT_EQ(ChkPointList.Item(3).ActualArrival, "13:00");
}

}  // namespace
