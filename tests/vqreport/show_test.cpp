// vqreport show: the nav log of a small report, as text and as JSON.
#include <string>

#include "report/report.h"
#include "tests/vqreport/vqreport_test.h"
#include "tools/vqreport/load.h"

namespace {

using vqreporttest::At;
using vqreporttest::CleanReportLines;
using vqreporttest::Vqreport;

class Show : public vqtest::ModuleTest {
protected:
    Show() {
        auto lines = CleanReportLines(3);
        At(lines, HeaderFieldLine(HfFuelPerHour)) = "235.60";
        At(lines, CheckpointFieldLine(1, PfActualLegTime)) = "00:12";
        At(lines, CheckpointFieldLine(1, PfActualArrival)) = "10:27";
        At(lines, CheckpointFieldLine(2, PfIdent)) = "";  // checkpoint 3: the alternate identifier instead
        At(lines, CheckpointFieldLine(2, PfAltIdent)) = "ALT";
        At(lines, CheckpointFieldLine(2, PfName)) = "Caf\xE9 \"Q\"";  // in the Windows character set, with quotes
        At(lines, LatitudeLine(3, 2)) = "-1.500000";   // south
        At(lines, LongitudeLine(3, 2)) = "-4.250000";  // and west
        At(lines, StartFuelLine(3)) = "1234.500000";
        vqtest::WriteFile("report.rec", vqtest::CrLfLines(lines));
    }
};

TEST_F(Show, NavLogHasHeaderRowsFuelAndFlightTime) {
    const auto run = Vqreport({"show", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string& log = run.Out;
    EXPECT_NE(log.find("Report report.rec: 3 checkpoints"), std::string::npos) << log;
    EXPECT_NE(log.find("line   4  header field 3  : KL1234\n"), std::string::npos) << log;
    EXPECT_NE(log.find("line   9  departure time  : 10:15"), std::string::npos) << log;
    EXPECT_NE(log.find("(clock time, hh:mm, from which the flight time is measured)"), std::string::npos) << log;
    // One row per checkpoint, in route order, columns aligned.
    EXPECT_NE(log.find("  No  Name      Ident  Dist  Plan   Act    ETA    ATA    Position\n"
                       "   1  Point 1   P1           00:10  --:--  --:--  10:15  52.000000 N    4.000000 E\n"
                       "   2  Point 2   P2       10  00:10  00:12  --:--  10:27  52.100000 N    4.100000 E\n"
                       "   3  Caf\xE9 \"Q\"  ALT      10  00:10  --:--  --:--  --:--   1.500000 S    4.250000 W\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("line  28  fuel per hour   : 235.60"), std::string::npos) << log;
    EXPECT_NE(log.find("line  77  start fuel      : 1234.500000"), std::string::npos) << log;
    EXPECT_NE(log.find("Flight time: 02:30 (departure 10:15, arrival 12:45)"), std::string::npos) << log;
}

TEST_F(Show, JsonCarriesEveryFieldAsUtf8) {
    const auto run = Vqreport({"show", "--json", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string& json = run.Out;
    EXPECT_EQ(json.front(), '{');
    EXPECT_NE(json.find("\"Field03\": \"KL1234\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"DepartureTime\": \"10:15\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"StartFuel\": 1234.500000"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"Number\": 2, \"Name\": \"Point 2\", \"Field02\": \"\", \"Ident\": \"P2\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"ActualArrival\": \"10:27\", \"Latitude\": 52.100000, \"Longitude\": 4.100000, "
                        "\"HasPosition\": true}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Name\": \"Caf\xC3\xA9 \\\"Q\\\"\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"FlightTime\": \"02:30\""), std::string::npos) << json;
    EXPECT_EQ(json.substr(json.size() - 3), "\n}\n");
}

TEST_F(Show, RefusedOrMissingFile) {
    vqtest::WriteFile("other.rec", "Vardemolinquex 1.0\r\n");
    auto run = Vqreport({"show", "other.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_NE(run.Err.find("the gauge refuses this file"), std::string::npos) << run.Err;

    run = Vqreport({"show", "--json", "missing.rec"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_TRUE(run.Out.empty());

    // A file the gauge cannot take whole is shown as it loads, with a note.
    vqtest::WriteFile("short.rec", "Vardemolinquex 2.0\r\nonly one field\r\n");
    run = Vqreport({"show", "short.rec"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("header field 1  : only one field"), std::string::npos) << run.Out;
    EXPECT_NE(run.Err.find("vqreport check short.rec"), std::string::npos) << run.Err;
}

}  // namespace

namespace {

std::string ExampleReport() {
#ifdef _WIN32
    // Wine shows the build machine's root as drive Z:.
    return std::string("Z:") + VQREPORT_SOURCE_DIR + "/examples/tolvanix.rec";
#else
    return std::string(VQREPORT_SOURCE_DIR) + "/examples/tolvanix.rec";
#endif
}

class ExampleReportFile : public vqtest::ModuleTest {};

// The example report is clean (a checkpoint without position is one by
// design, and only warned of), and show lists every checkpoint it loads.
TEST_F(ExampleReportFile, ChecksWithoutErrorsAndShowsEveryCheckpoint) {
    const std::string path = ExampleReport();
    if (!vqtest::Exists(path)) GTEST_SKIP() << "no " << path;
    const vqreport::CheckResult result = vqreport::CheckReportFile(path, {});
    EXPECT_EQ(result.Errors, 0) << vqreporttest::Describe(result);
    for (const auto& finding : result.Findings) {
        EXPECT_NE(finding.Problem.find("no position"), std::string::npos) << vqreporttest::Describe(result);
    }
    ASSERT_GT(result.Checkpoints, 0);

    const auto run = Vqreport({"show", path});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(run.Err.empty()) << run.Err;
    vqreport::LoadReportFile(path);
    std::size_t at = run.Out.find("Nav log");
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const std::string row = std::string(k + 1 < 10 ? "   " : "  ") + std::to_string(k + 1) + "  " +
                                vqtest::Str(ChkPointList.Item(k).Name);
        at = run.Out.find(row, at);
        ASSERT_NE(at, std::string::npos) << row << "\n" << run.Out;
    }
}

}  // namespace
