// vqreport show: the nav log of a small report, as text and as JSON.
#include <string>

#include "report/report.h"
#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreporttest::At;
using vqreporttest::CleanReportLines;
using vqreporttest::Vqreport;

class Show : public vqtest::ModuleTest {
protected:
    Show() {
        auto lines = CleanReportLines(3);
        At(lines, 32 + 15 + 12) = "00:12";        // checkpoint 2 actual leg time
        At(lines, 32 + 15 + 14) = "10:27";        // checkpoint 2 actual arrival
        At(lines, 32 + 30 + 2) = "";              // checkpoint 3: no identifier,
        At(lines, 32 + 30 + 4) = "ALT";           // the alternate one instead
        At(lines, 32 + 30 + 0) = "Caf\xE9 \"Q\"";  // a name in the Windows character set, with quotes
        At(lines, 82) = "-1.500000";              // checkpoint 3 south
        At(lines, 83) = "-4.250000";              // and west
        vqtest::WriteFile("report.rec", vqtest::CrLfLines(lines));
    }
};

TEST_F(Show, NavLogHasARowPerCheckpointAndTheFlightTime) {
    const auto run = Vqreport({"show", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("  No  Name      Ident  Dist  Plan   Act    ETA    ATA    Position\n"
                           "   1  Point 1   P1           00:10  --:--  --:--  10:15  52.000000 N    4.000000 E\n"
                           "   2  Point 2   P2       10  00:10  00:12  --:--  10:27  52.100000 N    4.100000 E\n"
                           "   3  Caf\xE9 \"Q\"  ALT      10  00:10  --:--  --:--  --:--   1.500000 S    4.250000 W\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("Flight time: 02:30 (departure 10:15, arrival 12:45)"), std::string::npos) << run.Out;
}

TEST_F(Show, JsonIsUtf8WithEscapes) {
    const auto run = Vqreport({"show", "--json", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("\"Name\": \"Caf\xC3\xA9 \\\"Q\\\"\""), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("\"FlightTime\": \"02:30\""), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.substr(run.Out.size() - 3), "\n}\n");
}

TEST_F(Show, RefusedFileAndOneTheGaugeCannotTakeWhole) {
    vqtest::WriteFile("other.rec", "Vardemolinquex 1.0\r\n");
    auto run = Vqreport({"show", "other.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("the gauge refuses this file"), std::string::npos) << run.Err;
    vqtest::WriteFile("short.rec", "Vardemolinquex 2.0\r\nonly one field\r\n");
    run = Vqreport({"show", "short.rec"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Err.find("vqreport check short.rec"), std::string::npos) << run.Err;
}

}  // namespace

namespace {

// The example report is clean: a checkpoint without position is one by
// design, and only warned of.
TEST(ExampleReportFile, ChecksWithoutErrors) {
    const vqreport::CheckResult result = vqreport::CheckReportFile(vqtest::SourceFile("examples/tolvanix.rec"), {});
    EXPECT_EQ(result.Checkpoints, 9);
    EXPECT_EQ(result.Errors, 0) << vqreporttest::Describe(result);
    for (const auto& finding : result.Findings) {
        EXPECT_NE(finding.Problem.find("no position"), std::string::npos) << vqreporttest::Describe(result);
    }
}

}  // namespace
