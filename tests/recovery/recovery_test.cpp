// The flight between saves, through the gauge file as a host loads it: the
// recovery file keeps every stamp, the stored fuel and the fuel figures
// while no save can write them; a crash (the module left without kill or
// deinit) is taken up at the next load by the rule of each row of the
// take-up table; an unchanged report leaves a newer file alone; and a pipe or
// a device under the report's name blocks nothing.
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>

#include "host/module_file.h"
#include "host/panel_host.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using vqtest::Exists;
using vqtest::ReadFile;
using vqtest::WriteFile;

enum Area { Switch = 4, StoreFuel = 5, FuelSummary = 6 };
constexpr int Checkpoints = 5;
const char* const Recovery = "tolvanix-recovery.rec";

// Five checkpoints along 60 N, one degree apart from 10 E; the flight leaves
// checkpoint 1 at 10:00 (its actual arrival) and passes checkpoint k at 1k:00.
std::string Route(const std::string& flight = "VQ301") {
    return vqtest::CrLfLines(vqtest::ReportLines(Checkpoints, [&](const ReportField& field, int k) -> std::string {
        const int i = field.Index;
        switch (field.Part) {
        case ReportPart::Header: return i == 0 ? flight : i == HfDepartureTime ? "10:00" : "";
        case ReportPart::Checkpoint:
            return i == PfName ? "P" + std::to_string(k + 1) : i == PfLegDistance && k ? "60"
                 : i == PfActualArrival && k == 0 ? "10:00" : "";
        case ReportPart::StartFuel: return "0";
        case ReportPart::Position: return std::to_string(i == 0 ? 60 : 10 + k);
        default: return "";
        }
    }));
}

// What a report file holds of a flight: the actual arrivals ("-" for none),
// then the start fuel and the fuel used: "10:00 11:00 12:00 - - | 1750 310".
std::string Flown(const char* path) {
    if (!ReadReportFile(path).Accepted) return "no report";
    std::string flown;
    for (int k = 0; k < ChkPointList.Count; ++k) {
        const std::string arrival = ChkPointList.Item(k).ActualArrival;
        flown += (arrival.empty() ? "-" : arrival) + " ";
    }
    flown += "| " + std::to_string(static_cast<long>(ChkPointList.StartFuel)) + " " +
             std::string(ReportHeader.FuelUsed);
    ResetModuleState();
    return flown;
}

class GaugeFile : public vqtest::ModuleTest {
protected:
    ~GaugeFile() override { Crash(); }

    // Loads the gauge file afresh and installs the gauge, as a host does
    // when an aircraft with the gauge is loaded.
    void Install() {
        Crash();
        std::string error;
        ASSERT_TRUE(Module.Load(vqtest::GaugeModulePath(), error)) << error;
        Host = std::make_unique<host::PanelHost>(Module.Linkage, Module.Imports);
        Host->ModuleInit();
        Host->Install();
        Host->SetFuel(1000.0, 500.0, 250.0);
    }
    // The host stops calling the module: no kill, no deinit.
    void Crash() {
        Host.reset();
        Module.Unload();
    }
    void Leave() {
        Host->Kill();
        Host->ModuleDeinit();
        Crash();
    }
    // Over checkpoint k (from 1) at 1(k-1):00, then away from it.
    void Pass(int k) {
        Host->SetClock(9 + k, 0, 0.0);
        Host->SetAircraftPosition(60.0, 9.0 + k);
        Host->Frame();
        Host->SetAircraftPosition(60.0, 9.5 + k);
        Host->Frame();
    }
    // The checkpoint number line 1 shows after the greeting ("04/05 ...": 4).
    int Shown() {
        for (int i = 0; i < 31; ++i) Host->Frame();
        return std::atoi(Host->Text(1).c_str());
    }
    // Installed, switched on, fuel stored, checkpoints 1 to `last` passed, crashed.
    void CrashAfter(int last) {
        WriteFile("tolvanix.rec", Route());
        Install();
        Host->Click(Switch);
        Host->Click(StoreFuel);
        for (int k = 1; k <= last; ++k) Pass(k);
        Crash();
    }

    host::ModuleFile Module;
    std::unique_ptr<host::PanelHost> Host;
};

// A read-only report: no save writes it, and switching off and on, or
// leaving the simulator, loses nothing: each start takes the flight up
// again, until the report can be written.
TEST_F(GaugeFile, ReadOnlyReportKeepsTheFlightInTheRecoveryFileUntilItCanBeWritten) {
    const std::string route = Route();
    WriteFile("tolvanix.rec", route);
    fs::permissions("tolvanix.rec", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Install();
    Host->Click(Switch);
    Host->Click(StoreFuel);
    Pass(1);
    Pass(2);
    Host->Click(Switch);  // off: nothing written
    Host->Click(Switch);  // on: the flight taken up, at checkpoint 3
    EXPECT_EQ(Shown(), 3);
    Pass(3);
    Leave();
    Install();
    Host->Click(Switch);
    EXPECT_EQ(Shown(), 4) << "taken up again at the next start";
    Pass(4);
    Pass(5);
    Host->SetFuel(700.0, 400.0, 240.0);
    Host->Click(FuelSummary);  // the figures, kept although no save can write them
    Leave();
    EXPECT_EQ(ReadFile("tolvanix.rec"), route);
    EXPECT_EQ(Flown(Recovery), "10:00 11:00 12:00 13:00 14:00 | 1750 410");
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{Recovery, "tolvanix.rec"}));

    fs::permissions("tolvanix.rec", fs::perms::owner_write, fs::perm_options::add);
    Install();
    Leave();  // taken up at install, written at kill
    EXPECT_EQ(Flown("tolvanix.rec"), "10:00 11:00 12:00 13:00 14:00 | 1750 410");
    EXPECT_EQ(vqtest::ListDirectory(), std::vector<std::string>{"tolvanix.rec"});
}

// A recovery file is never overwritten while it holds a time that neither
// tolvanix.rec nor the report in memory holds: checkpoint 2 marked again
// later sets the file with the first time aside; the save then removes only
// the file it wrote all of.
TEST_F(GaugeFile, ARecoveryFileWithATimeNoOtherHoldsIsSetAside) {
    WriteFile("tolvanix.rec", Route());
    Install();
    Host->Click(Switch);
    Pass(1);
    Pass(2);
    Host->Click(3);  // back to checkpoint 2
    Host->SetClock(11, 5, 0.0);
    Host->Click(7);  // marked again at 11:05
    EXPECT_EQ(Flown("tolvanix-recovery-1.rec"), "10:00 11:00 - - - | 0 ");
    EXPECT_EQ(Flown(Recovery), "10:00 11:05 - - - | 0 ");
    Leave();
    EXPECT_EQ(Flown("tolvanix.rec"), "10:00 11:05 - - - | 0 ");
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"tolvanix-recovery-1.rec", "tolvanix.rec"}));
}

// The take-up table: after a crash past checkpoint 3, what the next start
// does with the folder: which checkpoint it starts at, what the kill then
// saves, and what is left (a recovery file not taken up is set aside as it was).
TEST_F(GaugeFile, ACrashIsTakenUpOnlyWhenTheRecoveryFileIsTheSameFlightAndNewer) {
    const std::string flown = "10:00 11:00 12:00 - - | 1750 ";
    const std::string notFlown = "10:00 - - - - | 0 ";
    const std::vector<std::string> setAside{"tolvanix-recovery-1.rec", "tolvanix.rec"};
    struct Row {
        const char* What;
        std::function<void()> Change;  // what happens to the folder after the crash
        int Start;                     // the checkpoint the gauge starts at
        std::string Saved;             // Flown() of tolvanix.rec after the kill
        std::vector<std::string> Left;
    } rows[] = {
        {"the same flight, tolvanix.rec not newer", [] {}, 4, flown, {"tolvanix.rec"}},
        {"tolvanix.rec edited after the crash",
         [] {
             WriteFile("tolvanix.rec", Route() + "\r\n");
             fs::last_write_time("tolvanix.rec", fs::last_write_time(Recovery) + std::chrono::seconds(5));
         },
         1, notFlown, setAside},
        {"another flight", [] { WriteFile("tolvanix.rec", Route("VQ302")); }, 1, notFlown, setAside},
        {"a recovery file that does not read whole", [] { WriteFile(Recovery, ReadFile(Recovery).substr(0, 300)); },
         1, notFlown, setAside},
        {"tolvanix.rec missing, a whole .new and the .old beside it: .new rolled forward",
         [] {
             fs::rename("tolvanix.rec", "tolvanix.rec.old");
             fs::copy_file(Recovery, "tolvanix.rec.new");
         },
         1, flown, {"tolvanix-kept-1.rec", "tolvanix.rec"}},
        {"tolvanix.rec missing, only .old beside it: .old rolled forward, then taken up",
         [] { fs::rename("tolvanix.rec", "tolvanix.rec.old"); }, 4, flown, {"tolvanix.rec"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        vqtest::ScratchDirectory folder;
        CrashAfter(3);
        ASSERT_EQ(Flown(Recovery), flown);
        row.Change();
        const std::string recovery = ReadFile(Recovery);
        Install();
        Host->Click(Switch);
        EXPECT_EQ(Shown(), row.Start);
        Leave();
        EXPECT_EQ(vqtest::ListDirectory(), row.Left);
        EXPECT_EQ(Flown("tolvanix.rec"), row.Saved);
        if (row.Left == setAside) {
            EXPECT_EQ(ReadFile("tolvanix-recovery-1.rec"), recovery);
        }
    }
}

// A report placed while the aircraft is loaded (where there was none, or over
// the one the gauge read) survives leaving the simulator and switching off
// when the gauge has nothing new to write; after a flight it is kept aside,
// then the flight is saved.
TEST_F(GaugeFile, ANewerReportIsLeftAloneOrKeptAside) {
    Install();
    WriteFile("tolvanix.rec", Route("VQ302"));
    Leave();
    EXPECT_EQ(ReadFile("tolvanix.rec"), Route("VQ302"));
    Install();
    Host->Click(Switch);
    WriteFile("tolvanix.rec", Route("VQ303"));
    Host->Click(Switch);
    EXPECT_EQ(ReadFile("tolvanix.rec"), Route("VQ303"));
    Host->Click(Switch);
    Pass(1);
    Pass(2);
    WriteFile("tolvanix.rec", Route("VQ304"));
    Leave();
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), Route("VQ304"));
    EXPECT_EQ(Flown("tolvanix.rec"), "10:00 11:00 - - - | 0 ");
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"tolvanix-kept-1.rec", "tolvanix.rec"}));
}

#ifndef _WIN32
// A pipe, and a link to a device that never ends, under the report's name:
// the load does not wait on them, and no save writes over them.
TEST_F(GaugeFile, APipeOrADeviceUnderTheReportsNameBlocksNothing) {
    for (const char* kind : {"pipe", "device"}) {
        SCOPED_TRACE(kind);
        vqtest::ScratchDirectory folder;
        if (kind[0] == 'p') {
            ASSERT_EQ(mkfifo("tolvanix.rec", 0644), 0);
        } else {
            fs::create_symlink("/dev/zero", "tolvanix.rec");
        }
        auto flight = std::async(std::launch::async, [this] {
            Install();
            Host->Click(Switch);
            Host->Click(Switch);
            Leave();
        });
        ASSERT_EQ(flight.wait_for(std::chrono::seconds(20)), std::future_status::ready) << "the gauge hangs";
        EXPECT_EQ(vqtest::ListDirectory(), std::vector<std::string>{"tolvanix.rec"});
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status("tolvanix.rec")));
    }
}
#endif

}  // namespace
