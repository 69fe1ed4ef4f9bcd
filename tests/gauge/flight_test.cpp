// A whole flight through the module file, by a host that knows only the
// exports: install, switch on, greeting, checkpoints passed by moving line 3's
// position, one checkpoint without position marked by hand, the fuel
// commands, switch off and kill; then the report file holds the times. The
// same flight with the host running other x87 control words, or mirrored west
// of the zero meridian, gives the same report, and every call hands the host's
// word back with no flag it unmasks. And the gauge file reads odd reports as
// vqreport does. Under Wine, the gauge file reads the user's own regional
// settings.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "host/module_file.h"
#include "host/panel_host.h"
#include "tests/recording_host.h"
#include "interface/units.h"
#include "interface/variables.h"
#include "tests/test_support.h"
#include "tools/vqreport/cli.h"

namespace {

using vqtest::CrLfLines;

enum Area { Next = 2, Switch = 4, StoreFuel = 5, FuelSummary = 6, Mark = 7 };

struct Checkpoint {
    const char* name;
    const char* ident;
    double latitude, longitude;
    const char* legDistance;
    const char* plannedLegTime;
};

// 60.183301 has more digits than single precision holds: a module that
// computes with the host's single-precision word writes it back changed.
const Checkpoint Route[] = {
    {"Gardermoen", "ENGM", 60.1939, 11.1004, "", ""},
    {"Oslo VOR", "OSL", 60.183301, 10.9, "10", "00:05"},
    {"Solna", "SOLNA", 0.0, 0.0, "20", "00:06"},
    {"Fagernes", "FAG", 60.30, 8.0, "100", "00:20"},
    {"Flesland", "ENBR", 60.2934, 5.2181, "80", "00:16"},
};
constexpr int RouteLength = 5;

std::vector<std::string> RouteReport() {
    return vqtest::ReportLines(RouteLength, [](const ReportField& field, int k) -> std::string {
        const int i = field.Index;
        char number[64];
        switch (field.Part) {
        case ReportPart::Header:
            if (i == HfDepartureTime || i == HfExtraFuel1) return i == HfDepartureTime ? "10:00" : "200";
            return i < HfArrivalTime ? "H" + std::to_string(i + 1) : "";
        case ReportPart::List: return "L" + std::to_string(i + 1);
        case ReportPart::Checkpoint:
            return i == PfName ? Route[k].name : i == PfIdent ? Route[k].ident
                 : i == PfLegDistance ? Route[k].legDistance : i == PfPlannedLegTime ? Route[k].plannedLegTime
                 : i == PfActualArrival && k == 0 ? "10:00" : "";
        case ReportPart::Position:
            std::snprintf(number, sizeof number, "%.6f", i == 0 ? Route[k].latitude : Route[k].longitude);
            return number;
        default: return "0.000000";  // the start fuel
        }
    });
}

// "-x" for "x" and "x" for "-x": a longitude mirrored at the zero meridian.
void Mirror(std::string& longitude) {
    longitude = longitude[0] == '-' ? longitude.substr(1) : "-" + longitude;
}

// The lines of a report's bytes, as many as the layout of a report of the
// route has: a line that does not end in CR LF, or is missing, is named and
// taken as empty, so that a wrong byte fails the test and nothing else.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(bytes.substr(start, end - start));
        if (lines.back().empty() || lines.back().back() != '\r') {
            ADD_FAILURE() << "report line " << lines.size() << " does not end in CR LF: " << lines.back();
        } else {
            lines.back().pop_back();
        }
    }
    if (start != bytes.size()) ADD_FAILURE() << "the report ends without a line end: " << bytes.substr(start);
    const std::size_t expected = static_cast<std::size_t>(LastReportLine(RouteLength));
    if (lines.size() != expected) ADD_FAILURE() << "the report has " << lines.size() << " lines, not " << expected;
    lines.resize(expected);
    return lines;
}

class Flight : public ::testing::Test {
protected:
    // Flies the route with the module loaded afresh into a fresh directory,
    // the host running with `hostWord` if given; returns the report's bytes.
    // Host stays alive afterwards for its records.
    std::string Fly(std::optional<std::uint16_t> hostWord = std::nullopt);
    // The module loaded afresh into a fresh directory with the route's report,
    // installed and switched on at the gate at 09:58; the greeting over.
    void Start(std::optional<std::uint16_t> hostWord = std::nullopt);
    void At(int hour, int minute, double second, double latitude, double longitude) {
        Host->SetClock(hour, minute, second);
        // The host keeps the face's source variables current by their tokens,
        // in its own units, the longitude counted 0 to 360 degrees east.
        if (West) longitude = -longitude;
        if (longitude < 0.0) longitude += 360.0;
        for (int line = 1; line <= 3; ++line) {
            for (HostVariable& source : Host->Line(line)->Source) {
                if (source.Token == LatitudeToken) source.Value = latitude * MinutesPerDegree * LatitudeUnitsPerMinute;
                if (source.Token == LongitudeToken) {
                    source.Value = longitude * MinutesPerDegree * LongitudeUnitsPerMinute;
                }
            }
        }
        // Two frames: line 3 moves on after lines 1 and 2 were built.
        Host->Frame();
        Host->Frame();
    }
    bool West = false;  // the route and the flight mirrored west of the zero meridian
    bool MissFagernes = false;  // Fagernes passed 0.01 degrees off its position
    std::vector<std::pair<std::int64_t, std::string>> Changes;  // report lines (from 1) given other texts
    std::optional<vqtest::ScratchDirectory> Scratch;
    host::ModuleFile Module;
    std::unique_ptr<vqtest::RecordingHost> Host;
};

void Flight::Start(std::optional<std::uint16_t> hostWord) {
    Host.reset();
    Module.Unload();
    Scratch.reset();
    Scratch.emplace();
    std::string error;
    ASSERT_TRUE(Module.Load(vqtest::GaugeModulePath(), error)) << error;
    Host = std::make_unique<vqtest::RecordingHost>(Module.Linkage, Module.Imports);
    if (hostWord) Host->UseControlWord(*hostWord);
    std::vector<std::string> report = RouteReport();
    for (int k = 0; West && k < RouteLength; ++k) Mirror(report[report.size() - 1 - 2 * k]);
    for (const auto& [line, text] : Changes) report[line - 1] = text;
    vqtest::WriteFile("tolvanix.rec", CrLfLines(report));
    Host->ModuleInit();
    Host->Install(0);
    EXPECT_EQ(Host->RegisteredTokens(), (std::vector<std::uint32_t>{3, 4, 5, 304, 305, 303}));
    Host->SetFuel(3000.0, 2000.0, 1000.0);

    Host->Click(Switch);
    At(9, 58, 0.0, 60.1939, 11.1004);  // at the gate: the first checkpoint is marked
    EXPECT_EQ(Host->Text(1), "  GOOD FLIGHT WITH  ");
    EXPECT_EQ(Host->Text(2), "    VESTRALONICA    ");
    EXPECT_EQ(Host->Text(3), "#");
    Host->Click(StoreFuel);
    for (int i = 0; i < 30; ++i) Host->Frame();
    EXPECT_EQ(Host->Text(1), "01/05 ENGM          ");
}

std::string Flight::Fly(std::optional<std::uint16_t> hostWord) {
    Start(hostWord);
    if (!Host) return "";

    At(10, 3, 0.0, 60.19, 11.0);  // airborne, away from the gate
    EXPECT_EQ(Host->Text(1), "02/05 OSL           ");
    EXPECT_EQ(Host->Text(3), " ");
    At(10, 6, 10.0, 60.1833, 10.9);  // over the VOR
    EXPECT_EQ(Host->Text(3), "#");
    EXPECT_EQ(Host->Text(2), "      10 00:05 00:06");
    At(10, 8, 0.0, 60.2, 10.5);
    EXPECT_EQ(Host->Text(1), "03/05 (SOLNA)       ") << "no position: brackets";

    Host->SetClock(10, 15, 40.0);
    Host->Click(Mark);  // the pilot marks the fix without position
    Host->Click(Next);
    At(10, 30, 0.0, 60.25, 9.0);
    EXPECT_EQ(Host->Text(1), "04/05 FAG           ");
    At(11, 0, 0.0, MissFagernes ? 60.31 : 60.30, 8.0);
    if (MissFagernes) Host->Click(Next);  // passed off the fix: the pilot steps on
    At(11, 1, 0.0, 60.30, 7.9);
    At(11, 40, 31.0, 60.2934, 5.2181);
    At(11, 45, 0.0, 60.29, 5.0);  // taxi away: past the last checkpoint
    EXPECT_EQ(Host->Text(1), "--/05 END OF ROUTE  ");

    Host->SetFuel(2000.0, 1500.0, 600.0);
    Host->Click(FuelSummary);
    Host->Click(Switch);
    Host->Kill();
    Host->ModuleDeinit();
    EXPECT_TRUE(Host->GuardsIntact());
    return vqtest::ReadFile("tolvanix.rec");
}

TEST_F(Flight, OsloToBergenLeavesTheTimesAndFuelInTheReport) {
    const auto lines = SplitLines(Fly());
    auto line = [&lines](std::int64_t n) { return lines[n - 1]; };
    auto field = [&line](int k, int f) { return line(CheckpointFieldLine(k, f)); };
    EXPECT_EQ(line(HeaderFieldLine(HfArrivalTime)), "11:41");
    EXPECT_EQ(line(HeaderFieldLine(HfFuelUsed)), "1900");
    EXPECT_EQ(line(HeaderFieldLine(HfTotalFuel)), "2100");
    EXPECT_EQ(line(HeaderFieldLine(HfFuelPerHour)), "1128.71");
    EXPECT_EQ(line(StartFuelLine(RouteLength)), "6000.000000");
    // ActualLegTime, EstimatedArrival, ActualArrival of each checkpoint.
    const char* expected[RouteLength][3] = {{"", "", "10:00"},
                                            {"00:06", "", "10:06"},
                                            {"00:10", "10:18", "10:16"},
                                            {"00:44", "11:06", "11:00"},
                                            {"00:41", "11:35", "11:41"}};
    for (int k = 0; k < RouteLength; ++k) {
        EXPECT_EQ(field(k, PfActualLegTime), expected[k][0]) << "checkpoint " << k + 1;
        EXPECT_EQ(field(k, PfEstimatedArrival), expected[k][1]) << "checkpoint " << k + 1;
        EXPECT_EQ(field(k, PfActualArrival), expected[k][2]) << "checkpoint " << k + 1;
    }
}

TEST_F(Flight, WestOfTheZeroMeridianTakesTheSameTimes) {
    const auto east = SplitLines(Fly());
    West = true;
    auto west = SplitLines(Fly());
    for (int k = 0; k < RouteLength; ++k) Mirror(west[west.size() - 1 - 2 * k]);
    EXPECT_EQ(west, east);
}

// A checkpoint passed off its position and stepped past costs its own times
// and the next leg's time and estimate only: the last arrival, the flight's
// arrival time and the fuel figures are written as on the timed flight.
TEST_F(Flight, AMissedCheckpointCostsOnlyItsOwnLeg) {
    const auto timed = SplitLines(Fly());
    MissFagernes = true;
    auto missed = SplitLines(Fly());
    for (auto [k, f] : {std::pair{3, PfActualLegTime}, {3, PfActualArrival}, {4, PfActualLegTime},
                        {4, PfEstimatedArrival}}) {
        const std::int64_t n = CheckpointFieldLine(k, f) - 1;
        EXPECT_EQ(missed[n], "") << "line " << n + 1 << " of the flight that missed Fagernes";
        missed[n] = timed[n];
    }
    EXPECT_EQ(missed, timed);
}

// What the pilot's guide says about keeping in step: the mark button takes
// the times but lights no #; a checkpoint passed off its position holds the
// gauge there, and the checkpoints after it pass unseen, until the up arrow;
// switching off and on in flight starts at checkpoint 1; the up arrow while
// # is lit skips one more; a fuel summary without an arrival time writes no
// report, and the next save writes its figures.
TEST_F(Flight, KeepingInStepAsTheGuideSays) {
    Start();
    At(10, 3, 0.0, 60.19, 11.0);
    Host->SetClock(10, 5, 0.0);
    Host->Click(Mark);
    At(10, 5, 0.0, 60.19, 10.7);
    EXPECT_EQ(Host->Text(1), "02/05 OSL           ") << "the mark keeps the gauge at the checkpoint";
    EXPECT_EQ(Host->Text(2), "      10 00:05 00:05") << "and shows the leg time";
    EXPECT_EQ(Host->Text(3), " ") << "with no #";
    Host->Click(Next);
    Host->Click(Next);
    At(11, 0, 0.0, 60.31, 8.0);  // Fagernes, 0.01 degrees off
    At(11, 40, 0.0, 60.2934, 5.2181);  // Flesland, unseen
    EXPECT_EQ(Host->Text(1), "04/05 FAG           ");
    EXPECT_EQ(Host->Text(3), " ");
    const std::string before = vqtest::ReadFile("tolvanix.rec");
    Host->Click(Switch);
    Host->Click(Switch);
    At(11, 45, 0.0, 60.30, 8.0);  // flown back over Fagernes
    for (int i = 0; i < 30; ++i) Host->Frame();
    EXPECT_EQ(Host->Text(1), "01/05 ENGM          ") << "switched on again: checkpoint 1";
    for (int i = 0; i < 3; ++i) Host->Click(Next);
    At(11, 50, 0.0, 60.30, 8.0);
    EXPECT_EQ(Host->Text(3), "#");
    Host->Click(Next);  // while # is lit: Flesland is skipped too
    At(11, 51, 0.0, 60.30, 8.0);
    EXPECT_EQ(Host->Text(1), "--/05 END OF ROUTE  ");
    Host->Click(FuelSummary);  // no arrival time: no save
    EXPECT_NE(vqtest::ReadFile("tolvanix.rec"), before);
    const std::string saved = vqtest::ReadFile("tolvanix.rec");
    Host->Click(FuelSummary);
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), saved);
    Host->Kill();
    const auto lines = SplitLines(vqtest::ReadFile("tolvanix.rec"));
    EXPECT_EQ(lines[HeaderFieldLine(HfFuelUsed) - 1], "0") << "written by the kill's save";
    EXPECT_EQ(lines[HeaderFieldLine(HfArrivalTime) - 1], "");
    EXPECT_EQ(lines[CheckpointFieldLine(1, PfActualArrival) - 1], "10:05");
    EXPECT_EQ(lines[CheckpointFieldLine(3, PfActualArrival) - 1], "11:50");
    EXPECT_EQ(lines[CheckpointFieldLine(4, PfActualArrival) - 1], "");
}

// The gauge file takes the decimal separator and the morning marker from the
// user's settings, looked up by itself: tests/gauge/regional_settings.sh runs
// this in a Wine prefix of its own whose user has a decimal comma and the
// markers "fm" and "em". The leg distances and the first arrival written that
// way give the same leg times and estimates as the plain report.
TEST_F(Flight, ReadsTheUsersRegionalSettings) {
    if (!std::getenv("VQ_USER_SETTINGS")) GTEST_SKIP() << "run by tests/gauge/regional_settings.sh";
    const auto plain = SplitLines(Fly());
    Changes = {{CheckpointFieldLine(0, PfActualArrival), "10:00 fm"},
               {CheckpointFieldLine(2, PfLegDistance), "20,0"},
               {CheckpointFieldLine(3, PfLegDistance), "100,0"}};
    auto regional = SplitLines(Fly());
    for (const auto& [line, text] : Changes) regional[line - 1] = plain[line - 1];
    for (std::size_t n = 0; n < plain.size(); ++n) EXPECT_EQ(regional[n], plain[n]) << "line " << n + 1;
    EXPECT_EQ(plain[CheckpointFieldLine(3, PfEstimatedArrival) - 1], "11:06");
}

// The host's word changes nothing: precision, rounding, exceptions unmasked,
// and with precision unmasked too every call that leaves the inexact flag set
// is caught.
class FlightWithHostWord : public Flight, public ::testing::WithParamInterface<std::uint16_t> {};

TEST_P(FlightWithHostWord, GivesTheSameReportAndHandsTheWordBack) {
    const std::string normal = Fly();
    EXPECT_EQ(Fly(GetParam()), normal);
    EXPECT_EQ(Host->ControlWordViolations(), std::vector<std::string>{});
    EXPECT_EQ(Host->ServiceControlWords(), std::set<std::uint16_t>{GetParam()})
        << "the module switches back to the host's word around its calls into the host";
}

// Single precision, round toward zero, zero-divide and invalid unmasked, and
// inexact unmasked too.
INSTANTIATE_TEST_SUITE_P(X87, FlightWithHostWord, ::testing::Values(0x007F, 0x0F7F, 0x037A, 0x035A));

// Loads the gauge file, installs the gauge and kills it, as a host does when
// an aircraft with the gauge is loaded and left: the load and the save.
void InstallAndKill() {
    host::ModuleFile module;
    std::string error;
    ASSERT_TRUE(module.Load(vqtest::GaugeModulePath(), error)) << error;
    {
        host::PanelHost host(module.Linkage, module.Imports);
        host.Install();
        host.Kill();
    }
    module.Unload();
}

// The odd files of the fuzz corpus: a load and save through the gauge file
// shows in vqreport (built with the full runtime) as the file itself did, and
// the gauge keeps a copy of exactly the files that vqreport says it refuses or
// cannot take whole.
TEST(GaugeFileAndVqreport, AgreeOnOddReports) {
    auto show = [](std::string& err) {
        std::ostringstream out, errors;
        const int status = vqreport::RunVqreport({"show", "--json", "tolvanix.rec"}, out, errors);
        err = errors.str();  // a file not taken whole: shown as read, status 2
        return out.str().empty() ? "status " + std::to_string(status) : out.str();
    };
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(vqtest::SourceFile("fuzz/corpus/report"))) {
        SCOPED_TRACE(entry.path().filename().string());
        vqtest::ScratchDirectory scratch;
        const std::string original = vqtest::ReadFile(entry.path().string());
        vqtest::WriteFile("tolvanix.rec", original);
        std::string note;
        const std::string before = show(note);
        InstallAndKill();
        const bool taken = before.compare(0, 6, "status") != 0;
        std::string noteAfter;
        if (taken) {
            EXPECT_EQ(show(noteAfter), before);
        }
        const bool kept = !original.empty() && !(taken && note.empty());
        EXPECT_EQ(vqtest::Exists("tolvanix-kept-1.rec"), kept) << note;
        if (kept) {
            EXPECT_EQ(vqtest::ReadFile("tolvanix-kept-1.rec"), original);
        }
        ++files;
    }
    EXPECT_GE(files, 10);
}

// A save writes only files it created. A replace stopped between its moves
// leaves the previous report as .old and the new one as .new, and no report:
// the next save keeps both aside and writes the report. A link under the
// temporary name is not followed.
TEST(GaugeFile, KeepsWhatAnInterruptedSaveLeft) {
    vqtest::ScratchDirectory scratch;
    vqtest::WriteFile("tolvanix.rec.old", "previous report");
    vqtest::WriteFile("tolvanix.rec.new", "new report");
    InstallAndKill();
    InstallAndKill();
    EXPECT_EQ(vqtest::ReadFile("tolvanix-kept-1.rec"), "new report");
    EXPECT_EQ(vqtest::ReadFile("tolvanix-kept-2.rec"), "previous report");
    std::vector<std::string> files{"tolvanix-kept-1.rec", "tolvanix-kept-2.rec", "tolvanix.rec"};
    EXPECT_EQ(vqtest::ListDirectory(), files);
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec").rfind("Vardemolinquex 2.0\r\n", 0), 0u);
#ifndef _WIN32
    vqtest::RemoveForTest("tolvanix.rec");
    vqtest::WriteFile("other", "not the gauge's");
    std::filesystem::create_symlink("other", "tolvanix.rec.new");
    InstallAndKill();
    EXPECT_EQ(vqtest::ReadFile("other"), "not the gauge's");
    files.insert(files.begin(), "other");
    files.push_back("tolvanix.rec.new");
    EXPECT_EQ(vqtest::ListDirectory(), files) << "the report is written through tolvanix.rec.new1";
#endif
}

}  // namespace
