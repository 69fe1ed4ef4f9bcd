// vqreport recover: listing the recovery files the gauge leaves after a
// flight that ended without a save, and putting one in place of tolvanix.rec
// without ever losing a file.
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "persistence/report_store.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/vqreport/vqreport_test.h"
#include "tools/vqreport/recover.h"

namespace {

using vqreporttest::At;
using vqreporttest::CleanReportLines;
using vqreporttest::Vqreport;
namespace fs = std::filesystem;

// A report of 4 checkpoints whose first `times` checkpoints have an actual
// arrival (the first one the departure time 10:15, then 10:25, 10:35, ...).
std::string ReportWithTimes(int times, const std::string& field1 = "VQ301") {
    auto lines = CleanReportLines(4);
    At(lines, HeaderFieldLine(0)) = field1;
    for (int k = 1; k < 4; ++k) {
        At(lines, CheckpointFieldLine(k, PfActualArrival)) = k < times ? "10:" + std::to_string(15 + 10 * k) : "";
    }
    return vqtest::CrLfLines(lines);
}

// Every file of the directory with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& dir = ".") {
    std::map<std::string, std::string> files;
    for (const std::string& name : vqtest::ListDirectory(dir)) files[name] = vqtest::ReadFile(dir + "/" + name);
    return files;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Recover : public vqtest::ModuleTest {};

// What the gauge will do at its next start, told by its own rule, for each
// row of the take-up table; the gauge's load then does just that. A kept
// copy holding a flown report is listed too.
TEST_F(Recover, TellsWhatTheGaugeDoesAtItsNextStart) {
    const struct {
        std::string Report, Recovery;  // "" for none
        const char* Told;
        LoadOutcome Load;
        bool SetAside;  // by the load; a restore is recommended for such a whole file
    } rows[] = {
        {ReportWithTimes(1), ReportWithTimes(3), "take up the flight in tolvanix-recovery.rec (3 checkpoint times, "
         "the last at checkpoint 3 P3 (10:35)) and go on at checkpoint 4", LoadOutcome::TakenUp, false},
        {ReportWithTimes(1, "VQ302"), ReportWithTimes(3), "aside as tolvanix-recovery-1.rec, not taken up: "
         "tolvanix.rec holds another flight", LoadOutcome::Loaded, true},
        {ReportWithTimes(3), ReportWithTimes(2), "remove tolvanix-recovery.rec: tolvanix.rec holds every time",
         LoadOutcome::Loaded, false},
        {ReportWithTimes(1), "cut\r\n", "not taken up: it does not read whole", LoadOutcome::Loaded, true},
        {"", ReportWithTimes(3), "not taken up: there is no tolvanix.rec the gauge reads", LoadOutcome::NotLoaded, true},
        {ReportWithTimes(1), "", "read tolvanix.rec (there is no recovery file)", LoadOutcome::Loaded, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Told);
        vqtest::ScratchDirectory folder;
        if (!row.Report.empty()) vqtest::WriteFile("tolvanix.rec", row.Report);
        if (!row.Recovery.empty()) vqtest::WriteFile("tolvanix-recovery.rec", row.Recovery);
        vqtest::WriteFile("tolvanix-kept-1.rec", ReportWithTimes(2, "VQ300"));
        const std::string told = Vqreport({"recover"}).Out;
        EXPECT_TRUE(Contains(told, row.Told)) << told;
        EXPECT_TRUE(Contains(told, "tolvanix-kept-1.rec  written 20")) << told;
        EXPECT_EQ(Contains(told, "  vqreport recover --restore\n"), row.SetAside && row.Recovery.size() > 10) << told;
        EXPECT_EQ(LoadReport(), row.Load);
        EXPECT_EQ(vqtest::Exists("tolvanix-recovery-1.rec"), row.SetAside);
        ResetModuleState();
    }
}

// The file the gauge leaves, listed against tolvanix.rec without changing a
// file; restored, the report is kept under the first free name, a copy of the
// recovery file takes its place, the file itself stays, and the gauge's
// reader takes the result.
TEST_F(Recover, ListsTheRecoveryFileThenRestoresItKeepingTheReport) {
    const std::string report = ReportWithTimes(2);
    const std::string recovery = ReportWithTimes(4);
    vqtest::WriteFile("tolvanix.rec", report);
    vqtest::WriteFile("tolvanix-before-recover-1.rec", "an earlier one");  // not a recovery file
    EXPECT_TRUE(Contains(Vqreport({"recover"}).Out, "No recovery file in the current directory: nothing to restore.\n"));
    vqtest::WriteFile("tolvanix-recovery.rec", recovery);
    fs::last_write_time("tolvanix.rec", fs::last_write_time("tolvanix-recovery.rec") + std::chrono::seconds(5));
    const auto before = Snapshot();
    const std::string list = Vqreport({"recover"}).Out;
    EXPECT_TRUE(Contains(list, "not taken up: tolvanix.rec was written after it\n")) << list;
    EXPECT_TRUE(Contains(list, "tolvanix-recovery.rec  written 20")) << list;
    EXPECT_TRUE(Contains(list, "(the last flight ended without a save)\n"
                               "  flight VQ301 KL1234, departure 10:15, 4 checkpoints\n"
                               "  holds 4 checkpoint times, the last at checkpoint 4 P4 (10:45); tolvanix.rec holds 2\n"))
        << list;
    EXPECT_TRUE(Contains(list, "(tolvanix.rec is kept as tolvanix-before-recover-2.rec)")) << list;
    EXPECT_TRUE(Contains(list, "\n  vqreport recover --restore\n")) << list;
    EXPECT_EQ(Snapshot(), before);

    const auto run = Vqreport({"recover", "--restore"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), "kept tolvanix.rec as tolvanix-before-recover-2.rec");
    EXPECT_EQ(vqtest::ListDirectory(),
              (std::vector<std::string>{"tolvanix-before-recover-1.rec", "tolvanix-before-recover-2.rec",
                                        "tolvanix-recovery.rec", "tolvanix.rec"}));
    EXPECT_EQ(vqtest::ReadFile("tolvanix-recovery.rec"), recovery);
    EXPECT_TRUE(Contains(Vqreport({"recover"}).Out, "the same as tolvanix.rec (restored already)\n\n")) << "no advice";
    EXPECT_EQ(vqtest::ReadFile("tolvanix-before-recover-1.rec"), "an earlier one");
    EXPECT_EQ(vqtest::ReadFile("tolvanix-before-recover-2.rec"), report);
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), recovery);
    ResetModuleState();
    LoadReport();
    ASSERT_EQ(ChkPointList.Count, 4);
    EXPECT_EQ(ChkPointList.Item(3).ActualArrival, "10:45");
    EXPECT_FALSE(ReportFileNeedsCopy());
}

// A recovery file the gauge would refuse, one cut short (3 of 9 checkpoints),
// one with fewer times than tolvanix.rec, a missing one, and tolvanix.rec
// itself: status 3, a message, and every file as it was; the listing
// recommends none of them. --force restores the first three.
TEST_F(Recover, RestoreRefusesAndChangesNothing) {
    const std::string report = ReportWithTimes(2);
    const std::string nine = vqtest::CrLfLines(CleanReportLines(9));
    struct Case {
        std::string Recovery;  // bytes of tolvanix-recovery.rec; empty for none
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {
        {"garbage\r\n", {"recover", "--restore"}, "the gauge refuses it (its first line does not hold the header)"},
        {nine.substr(0, nine.find("\r\nPoint 4\r\n")), {"recover", "--restore"}, "cannot take it whole"},
        {ReportWithTimes(1), {"recover", "--restore"},
         "holds more checkpoint times: 2 checkpoint times, the last at checkpoint 2 P2 (10:25), against 1 "
         "checkpoint time, the last at checkpoint 1 P1 (10:15)"},
        {"", {"recover", "--restore"}, "cannot restore tolvanix-recovery.rec: no such file; nothing changed"},
        {"", {"recover", "--restore", "tolvanix.rec"}, "tolvanix.rec is the report file itself; nothing changed"},
    };
    for (const Case& c : cases) {
        vqtest::WriteFile("tolvanix.rec", report);
        vqtest::RemoveForTest("tolvanix-before-recover-1.rec");
        vqtest::RemoveForTest("tolvanix-recovery.rec");
        if (!c.Recovery.empty()) vqtest::WriteFile("tolvanix-recovery.rec", c.Recovery);
        const auto before = Snapshot();
        const auto run = Vqreport(c.Args);
        EXPECT_EQ(run.Status, 3) << c.Message;
        EXPECT_TRUE(Contains(run.Err, c.Message)) << run.Err;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(Snapshot(), before) << c.Message;
        if (c.Recovery.empty()) continue;
        const std::string list = Vqreport({"recover"}).Out;
        EXPECT_TRUE(Contains(list, c.Message)) << list;
        EXPECT_TRUE(Contains(list, "No restore is recommended")) << list;
        EXPECT_EQ(Vqreport({"recover", "--restore", "--force"}).Status, 0) << c.Message;
        EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), c.Recovery);
        EXPECT_EQ(vqtest::ReadFile("tolvanix-before-recover-1.rec"), report);
        EXPECT_EQ(vqtest::ReadFile("tolvanix-recovery.rec"), c.Recovery);
    }
}

#ifdef _WIN32
const std::uint32_t DiskFull = 112, NotSameDevice = 17;  // ERROR_DISK_FULL, ERROR_NOT_SAME_DEVICE
#else
const std::uint32_t DiskFull = ENOSPC, NotSameDevice = EXDEV;
#endif

// A copy or a move that fails part way: both files as they were, no copy
// left, and the message says why.
bool FailingCopy(const char* from, const char* to) {
    vqtest::WriteFile(to, vqtest::ReadFile(from).substr(0, 10));  // a disk that fills up
    platform::SetLastSystemError(DiskFull);
    return false;
}
bool ShortCopy(const char* from, const char* to) {
    vqtest::WriteFile(to, vqtest::ReadFile(from).substr(0, 10));
    return true;  // and says it went well
}
bool FailingReplace(const char*, const char*, const char*) {
    platform::SetLastSystemError(NotSameDevice);
    return false;
}

TEST_F(Recover, RestoreThatFailsLeavesBothFiles) {
    vqtest::WriteFile("tolvanix.rec", ReportWithTimes(2));
    vqtest::WriteFile("tolvanix-recovery.rec", ReportWithTimes(4));
    const auto before = Snapshot();
    const vqreport::RestoreSteps platform = vqreport::PlatformRestoreSteps();
    const struct {
        vqreport::RestoreSteps Steps;
        const char* Cause;
    } failing[] = {{{FailingCopy, platform.Replace}, "disk is full"},
                   {{ShortCopy, platform.Replace}, "does not read back"},
                   {{platform.Copy, FailingReplace}, "different"}};
    vqreport::RecoverOptions options;
    options.Restore = true;
    for (const auto& f : failing) {
        std::ostringstream out, err;
        EXPECT_EQ(vqreport::RunRecover(options, out, err, f.Steps), 3);
        EXPECT_TRUE(Contains(err.str(), f.Cause)) << err.str();
        EXPECT_TRUE(Contains(err.str(), "; nothing changed\n")) << err.str();
        EXPECT_EQ(Snapshot(), before);
    }
}

// A tolvanix.rec.old left by an interrupted save is kept aside, as the
// gauge's save keeps it; a tolvanix.rec.new named is restored itself. Names
// match without regard to case, as on Windows; a file of another folder is
// copied into the current one and stays. No restore is offered over a folder.
TEST_F(Recover, RestoresLeftoversInAnyCaseFromElsewhere) {
    vqtest::WriteFile("TOLVANIX-RECOVERY.REC", ReportWithTimes(4));
    vqtest::WriteFile("tolvanix.rec", ReportWithTimes(2));
    fs::last_write_time("tolvanix.rec", fs::last_write_time("TOLVANIX-RECOVERY.REC") + std::chrono::seconds(5));
    vqtest::WriteFile("tolvanix.rec.old", "left by a save");
    EXPECT_TRUE(Contains(Vqreport({"recover"}).Out, "\n  vqreport recover --restore\n"));
    auto run = Vqreport({"recover", "--restore"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"TOLVANIX-RECOVERY.REC", "tolvanix-before-recover-1.rec",
                                                                  "tolvanix-kept-1.rec", "tolvanix.rec"}));
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), ReportWithTimes(4));
    EXPECT_EQ(vqtest::ReadFile("tolvanix-kept-1.rec"), "left by a save");

    vqtest::WriteFile("tolvanix.rec.new", ReportWithTimes(3, "VQ303"));
    run = Vqreport({"recover", "--restore", "--force", "tolvanix.rec.new"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), ReportWithTimes(3, "VQ303"));

    fs::create_directories("elsewhere/sub");
    vqtest::WriteFile("elsewhere/sub/Flight.Rec", ReportWithTimes(4, "VQ302"));
    fs::current_path("elsewhere");
    vqtest::WriteFile("tolvanix.rec", ReportWithTimes(1, "VQ302"));
    run = Vqreport({"recover", "--restore", "sub/FLIGHT.REC"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), ReportWithTimes(4, "VQ302"));
    EXPECT_EQ(vqtest::ListDirectory("sub"), std::vector<std::string>{"Flight.Rec"});

    vqtest::RemoveForTest("tolvanix.rec");
    fs::create_directory("tolvanix.rec");
    vqtest::WriteFile("tolvanix-recovery.rec", ReportWithTimes(4, "VQ302"));
    EXPECT_FALSE(Contains(Vqreport({"recover"}).Out, "--restore")) << "no restore over a folder";
    EXPECT_EQ(Vqreport({"recover", "--restore"}).Status, 3);
}

}  // namespace
