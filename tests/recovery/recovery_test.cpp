// The recovery file: written at each event that changes the report while the
// instrument is on, removed by a normal save, and never lost or overwritten
// when it comes from an earlier flight (a crash with the module file: the
// crash flight of tests/vqsim).
#include <filesystem>

#include "interface/state.h"
#include "persistence/recovery.h"
#include "persistence/report_store.h"
#include "report/report_file.h"
#include "tests/host_double.h"

namespace {

using vqtest::CrLfLines;
using vqtest::Exists;
using vqtest::ReadFile;
using vqtest::WriteFile;

const char* const Recovery = "tolvanix-recovery.rec";

// Four checkpoints along a parallel, one degree apart.
std::vector<std::string> RouteLines() {
    return vqtest::ReportLines(4, [](const ReportField& field, int k) -> std::string {
        const int i = field.Index;
        switch (field.Part) {
        case ReportPart::Header: return i == HfDepartureTime ? "10:00" : "";
        case ReportPart::Checkpoint:
            return i == PfName ? "P" + std::to_string(k) : i == PfIdent ? "ID" + std::to_string(k)
                 : i == PfLegDistance ? (k ? "60" : "") : i == PfActualArrival && k == 0 ? "10:00" : "";
        case ReportPart::StartFuel: return "0.000000";
        case ReportPart::Position: return std::to_string(i == 0 ? 60 : 10 + k) + ".000000";
        default: return "";
        }
    });
}

// Flies the host from checkpoint to checkpoint, one degree (60 minutes) each.
void FlyPast(host::PanelHost& host, int checkpoint) {
    host.SetClock(10 + checkpoint, 0, 0.0);
    host.SetAircraftPosition(60.0, 10.0 + checkpoint);
    host.Frame();
    host.SetAircraftPosition(60.0, 10.5 + checkpoint);
    host.Frame();
}

class RecoveryFile : public vqtest::HostedTest {
protected:
    void StartFlight() {
        WriteFile("tolvanix.rec", CrLfLines(RouteLines()));
        Host.Install();
        Host.Click(4);  // switch on
        Host.SetFuel(1000.0, 500.0, 250.0);
    }
    // The bytes a save would write now, made in another directory.
    std::string WhatASaveWouldWrite() {
        vqtest::ScratchDirectory elsewhere;
        SaveReport();
        return ReadFile("tolvanix.rec");
    }
};

TEST_F(RecoveryFile, HoldsEveryStampedCheckpointWhileTheReportFileIsUntouched) {
    StartFlight();
    const std::string original = ReadFile("tolvanix.rec");
    FlyPast(Host, 0);
    EXPECT_FALSE(Exists(Recovery)) << "the first checkpoint gets no times: nothing changed";
    Host.Click(5);  // store the fuel on board
    EXPECT_NE(ReadFile(Recovery).find("\r\n1750.000000\r\n"), std::string::npos) << "the start fuel, at once";
    for (int k = 1; k <= 2; ++k) {
        FlyPast(Host, k);
        EXPECT_EQ(ReadFile(Recovery), WhatASaveWouldWrite()) << "after checkpoint " << k;
    }
    EXPECT_EQ(ReadFile("tolvanix.rec"), original);
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{Recovery, "tolvanix.rec"})) << "one recovery file";
    // A crash now loses nothing: the recovery file loads as a report.
    std::filesystem::rename(Recovery, "tolvanix.rec");
    ResetModuleState();
    LoadReport();
    EXPECT_EQ(ChkPointList.Item(2).ActualArrival, "12:00");
    EXPECT_EQ(ChkPointList.StartFuel, 1750.0);
}

TEST_F(RecoveryFile, WrittenOncePerEventNotOnTheFramesBetween) {
    StartFlight();
    FlyPast(Host, 0);
    Host.SetAircraftPosition(60.0, 11.0);
    Host.SetClock(11, 0, 0.0);
    Host.Frame();
    ASSERT_TRUE(Exists(Recovery));
    vqtest::RemoveForTest(Recovery);
    for (int i = 0; i < 50; ++i) Host.Frame();  // still at the checkpoint, then away
    Host.SetAircraftPosition(60.0, 11.5);
    for (int i = 0; i < 50; ++i) Host.Frame();
    EXPECT_FALSE(Exists(Recovery));
    Host.Click(7);  // the mark button stamps checkpoint 2 by hand
    EXPECT_TRUE(Exists(Recovery));
}

TEST_F(RecoveryFile, NormalSavesRemoveItAndFailedOnesDoNot) {
    StartFlight();
    FlyPast(Host, 0);
    FlyPast(Host, 1);
    // Directories under every temporary name the save may take: it cannot write.
    const auto temporary = [](char n) { return "tolvanix.rec.new" + std::string(n > '0', n); };
    for (char n = '0'; n <= '9'; ++n) std::filesystem::create_directory(temporary(n));
    Host.Click(4);  // switch off: not saved
    EXPECT_TRUE(Exists(Recovery));
    for (char n = '0'; n <= '9'; ++n) std::filesystem::remove(temporary(n));
    // A read-only report is left as it is, mode and bytes, and the recovery file with it.
    namespace fs = std::filesystem;
    fs::permissions("tolvanix.rec", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string report = ReadFile("tolvanix.rec");
    const fs::perms mode = fs::status("tolvanix.rec").permissions();
    Host.Click(4);  // on: reloaded
    FlyPast(Host, 0);
    FlyPast(Host, 1);
    Host.Click(4);  // off: not saved
    EXPECT_EQ(ReadFile("tolvanix.rec"), report);
    EXPECT_EQ(fs::status("tolvanix.rec").permissions(), mode);
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{Recovery, "tolvanix.rec"}));
    fs::permissions("tolvanix.rec", fs::perms::owner_write, fs::perm_options::add);
    Host.Click(4);  // on again: the report is reloaded (the file's), back at the first checkpoint
    for (int k = 0; k <= 2; ++k) FlyPast(Host, k);
    Host.Click(4);  // switch off: saved
    EXPECT_FALSE(Exists(Recovery));
    EXPECT_NE(ReadFile("tolvanix.rec").find("\r\n12:00\r\n"), std::string::npos);
    Host.Click(4);  // on again: the kill saves
    for (int k = 0; k <= 1; ++k) FlyPast(Host, k);
    ASSERT_TRUE(Exists(Recovery));
    Host.Kill();
    EXPECT_FALSE(Exists(Recovery));
}

// A report file that is not what the module last read or wrote is kept before
// the save on kill replaces it: placed after the install, or edited after the load.
TEST_F(RecoveryFile, AReportChangedOnDiskIsKeptBeforeTheSave) {
    Host.Install();  // no report yet
    WriteFile("tolvanix.rec", "a dispatcher's report");
    Host.Kill();
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), "a dispatcher's report");
    ResetModuleState();
    StartFlight();
    const std::string original = ReadFile("tolvanix.rec");
    std::string edited = original;
    edited[edited.size() - 3] ^= 1;  // same length, one byte other
    WriteFile("tolvanix.rec", edited);
    Host.Kill();
    EXPECT_EQ(ReadFile("tolvanix-kept-2.rec"), edited);
    EXPECT_EQ(ReadFile("tolvanix.rec"), original);
}

TEST_F(RecoveryFile, AnEarlierFlightsFileIsSetAsideNeverOverwritten) {
    WriteFile(Recovery, "from the flight that crashed");
    WriteFile("tolvanix-recovery-1.rec", "from an older crash");
    StartFlight();
    Host.Kill();
    EXPECT_EQ(ReadFile(Recovery), "from the flight that crashed") << "not this module's: a save leaves it";

    ResetModuleState();
    StartFlight();
    FlyPast(Host, 0);
    FlyPast(Host, 1);
    EXPECT_EQ(ReadFile("tolvanix-recovery-1.rec"), "from an older crash");
    EXPECT_EQ(ReadFile("tolvanix-recovery-2.rec"), "from the flight that crashed");
    EXPECT_NE(ReadFile(Recovery).find("\r\n11:00\r\n"), std::string::npos);
}

}  // namespace
