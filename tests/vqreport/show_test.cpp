// vqreport show: the report as JSON in UTF-8, and what it says of files the
// gauge refuses or cannot take whole (the fields it shows are compared with the
// gauge file's in tests/gauge).
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
        At(lines, 32 + 30 + 0) = "Caf\xE9 \"Q\"";  // a name in the Windows character set, with quotes
        At(lines, 4) = "K\x1b[31mL";                 // a terminal's escape sequence
        vqtest::WriteFile("report.rec", vqtest::CrLfLines(lines));
    }
};

TEST_F(Show, JsonIsUtf8WithEscapes) {
    const auto run = Vqreport({"show", "--json", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("\"Name\": \"Caf\xC3\xA9 \\\"Q\\\"\""), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("\"FlightTime\": \"02:30\""), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.substr(run.Out.size() - 3), "\n}\n");
}

TEST_F(Show, TextEscapesControlCharacters) {
    const auto run = Vqreport({"show", "report.rec"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.find('\x1b'), std::string::npos);
    EXPECT_NE(run.Out.find("K\\x1b[31mL"), std::string::npos) << run.Out;
}

TEST_F(Show, RefusedFileAndOneTheGaugeCannotTakeWhole) {
    vqtest::WriteFile("other.rec", "Vardemolinquex 1.0\r\n");
    auto run = Vqreport({"show", "other.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("the gauge refuses this file"), std::string::npos) << run.Err;
    vqtest::WriteFile("short.rec", "Vardemolinquex 2.0\r\nonly one field\r\n");
    run = Vqreport({"show", "short.rec"});
    EXPECT_EQ(run.Status, 2);
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
