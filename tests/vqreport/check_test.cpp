// vqreport check: each class of problem in a small file, found on its line,
// named by its field, with the right level; and nothing on a clean file.
#include <string>

#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreport::CheckOptions;
using vqreport::CheckResult;
using vqreport::Severity;
using vqreporttest::At;
using vqreporttest::CheckLines;
using vqreporttest::CleanReportLines;
using vqreporttest::Describe;
using vqreporttest::FindingsOn;

class Check : public vqtest::ModuleTest {
protected:
    // The finding list is exactly one finding, on `line`, of `level`, whose
    // field and problem mention `field` and `problem`.
    static void ExpectOnly(const CheckResult& result, std::int64_t line, Severity level, const std::string& field,
                           const std::string& problem = "") {
        ASSERT_EQ(result.Findings.size(), 1u) << Describe(result);
        const auto& finding = result.Findings[0];
        EXPECT_EQ(finding.Line, line) << Describe(result);
        EXPECT_EQ(finding.Level, level) << Describe(result);
        EXPECT_NE(finding.Field.find(field), std::string::npos) << Describe(result);
        EXPECT_NE(finding.Problem.find(problem), std::string::npos) << Describe(result);
        EXPECT_FALSE(finding.Effect.empty());
    }
    std::vector<std::string> Lines = CleanReportLines(3);
    // Lines of the three-checkpoint report.
    static int PointLine(int k, int field) { return CheckpointFieldLine(k, field); }
    static constexpr int StartFuel = StartFuelLine(3);
    static int LatLine(int k) { return LatitudeLine(3, k); }
};

TEST_F(Check, CleanReportHasNoFindings) {
    const CheckResult result = CheckLines(Lines);
    EXPECT_TRUE(result.Opened);
    EXPECT_TRUE(result.Findings.empty()) << Describe(result);
    EXPECT_EQ(result.Checkpoints, 3);
    // Accepted alternatives: 12-hour times, "??" as a missing arrival, a
    // first checkpoint without leg distance, an exponent in a distance.
    At(Lines, 9) = "7:45 pm";
    At(Lines, PointLine(1, 14)) = "??";
    At(Lines, PointLine(2, 9)) = "1e1";
    const CheckResult again = CheckLines(Lines);
    EXPECT_TRUE(again.Findings.empty()) << Describe(again);
}

TEST_F(Check, RefusedHeaderLineAndEmptyFile) {
    At(Lines, 1) = "Vardemolinquex 1.0";
    CheckResult result = CheckLines(Lines);
    ExpectOnly(result, 1, Severity::Error, "header line", "Vardemolinquex 1.0");
    EXPECT_TRUE(result.Refused);

    vqtest::WriteFile("report.rec", "");
    result = vqreport::CheckReportFile("report.rec", {});
    ExpectOnly(result, 0, Severity::Error, "file", "empty");

    Lines = CleanReportLines(3);
    At(Lines, 1) = "## Vardemolinquex 2.0 by hand";
    ExpectOnly(CheckLines(Lines), 1, Severity::Warning, "header line", "more than");
    At(Lines, 1) = "\xEF\xBB\xBFVardemolinquex 2.0";
    ExpectOnly(CheckLines(Lines), 1, Severity::Warning, "header line", "byte order mark");

    // Lines ending in CR alone make one line of the whole file.
    std::string oneLine;
    for (const auto& text : CleanReportLines(3)) oneLine += text + "\r";
    vqtest::WriteFile("report.rec", oneLine);
    result = vqreport::CheckReportFile("report.rec", {});
    ASSERT_FALSE(result.Findings.empty());
    EXPECT_NE(result.Findings[0].Problem.find("carriage return alone"), std::string::npos) << Describe(result);
}

TEST_F(Check, FileEndingEarlyNamesTheFirstMissingLine) {
    Lines.resize(50);  // inside checkpoint 2
    const CheckResult result = CheckLines(Lines);
    ExpectOnly(result, 51, Severity::Error, "checkpoint 2 alternate identifier", "ends after line 50");
    EXPECT_NE(result.Findings[0].Problem.find("83 lines"), std::string::npos);
}

TEST_F(Check, CheckpointCountLine) {
    Lines = CleanReportLines(101);
    CheckResult result = CheckLines(Lines);
    ExpectOnly(result, 31, Severity::Error, "checkpoint count", "101");
    EXPECT_EQ(result.Checkpoints, 100);

    Lines = CleanReportLines(3);
    At(Lines, 31) = "three";
    result = CheckLines(Lines);
    ASSERT_FALSE(result.Findings.empty());
    EXPECT_EQ(result.Findings[0].Line, 31);
    EXPECT_EQ(result.Findings[0].Level, Severity::Error);

    // The rest of the file tells how many checkpoints it holds.
    bool hinted = false;
    for (const auto& finding : FindingsOn(result, 31)) {
        hinted = hinted || finding.Effect.find("set the count to 3") != std::string::npos;
    }
    EXPECT_TRUE(hinted) << Describe(result);
    Lines = CleanReportLines(4);
    At(Lines, 31) = "3";  // a checkpoint added by hand, the count left alone
    result = CheckLines(Lines);
    ASSERT_FALSE(FindingsOn(result, 31).empty()) << Describe(result);
    EXPECT_NE(FindingsOn(result, 31)[0].Problem.find("the lines of 4 checkpoints"), std::string::npos);

    Lines = CleanReportLines(3);
    At(Lines, 31) = "3 checkpoints";
    ExpectOnly(CheckLines(Lines), 31, Severity::Warning, "checkpoint count");

    Lines = CleanReportLines(0);
    ExpectOnly(CheckLines(Lines), 31, Severity::Warning, "checkpoint count", "no checkpoints");
}

TEST_F(Check, TimeFieldsThatAreNotTimes) {
    At(Lines, PointLine(1, 11)) = "1h30";
    ExpectOnly(CheckLines(Lines), PointLine(1, 11), Severity::Error, "checkpoint 2 (\"Point 2\") planned leg time",
               "1h30");

    Lines = CleanReportLines(3);
    At(Lines, 9) = "24:00";
    ExpectOnly(CheckLines(Lines), 9, Severity::Error, "departure time", "24:00");

    At(Lines, 9) = "";
    ExpectOnly(CheckLines(Lines), 9, Severity::Warning, "departure time", "empty");

    Lines = CleanReportLines(3);
    At(Lines, PointLine(1, 14)) = "--:--";
    ExpectOnly(CheckLines(Lines), PointLine(1, 14), Severity::Error, "actual arrival");

    // The gauge never stamps the first checkpoint; every leg is timed from it.
    Lines = CleanReportLines(3);
    At(Lines, PointLine(0, 14)) = "";
    ExpectOnly(CheckLines(Lines), PointLine(0, 14), Severity::Error, "checkpoint 1 (\"Point 1\") actual arrival",
               "empty");
}

TEST_F(Check, LegDistancesUnderTheDecimalSeparator) {
    At(Lines, PointLine(1, 9)) = "12,5";
    CheckResult result = CheckLines(Lines);
    ExpectOnly(result, PointLine(1, 9), Severity::Error, "checkpoint 2 (\"Point 2\") leg distance", "'.'");
    EXPECT_NE(result.Findings[0].Effect.find("checkpoint 3"), std::string::npos) << Describe(result);
    EXPECT_NE(result.Findings[0].Effect.find("--decimal ,"), std::string::npos) << Describe(result);

    CheckOptions comma;
    comma.DecimalSeparator = ',';
    result = CheckLines(Lines, comma);
    EXPECT_TRUE(result.Findings.empty()) << Describe(result);
    // Under ',' the other (whole) distance still reads, and "12.5" does not.
    At(Lines, PointLine(2, 9)) = "12.5";
    ExpectOnly(CheckLines(Lines, comma), PointLine(2, 9), Severity::Error, "leg distance", "','");

    Lines = CleanReportLines(3);
    At(Lines, PointLine(2, 9)) = "0";
    ExpectOnly(CheckLines(Lines), PointLine(2, 9), Severity::Error, "checkpoint 3 (\"Point 3\") leg distance", "zero");
    At(Lines, PointLine(2, 9)) = "";
    ExpectOnly(CheckLines(Lines), PointLine(2, 9), Severity::Error, "leg distance", "empty");
}

TEST_F(Check, PositionsOutOfRangeOrMissing) {
    At(Lines, LatLine(1)) = "95.000000";
    ExpectOnly(CheckLines(Lines), LatLine(1), Severity::Error, "checkpoint 2 (\"Point 2\") latitude", "-90 to 90");

    Lines = CleanReportLines(3);
    At(Lines, LatLine(2) + 1) = "-190.000000";
    ExpectOnly(CheckLines(Lines), LatLine(2) + 1, Severity::Error, "checkpoint 3 (\"Point 3\") longitude");

    Lines = CleanReportLines(3);
    At(Lines, LatLine(2)) = "0.000000";
    At(Lines, LatLine(2) + 1) = "0.000000";
    ExpectOnly(CheckLines(Lines), LatLine(2), Severity::Warning, "checkpoint 3 (\"Point 3\") position",
               "no position");

    Lines = CleanReportLines(3);
    At(Lines, LatLine(1)) = "52.100000 S";
    ExpectOnly(CheckLines(Lines), LatLine(1), Severity::Error, "latitude", "more than a number");
    At(Lines, LatLine(1)) = "north";
    ExpectOnly(CheckLines(Lines), LatLine(1), Severity::Error, "latitude", "not a number");

    // Two checkpoints whose arrival areas overlap.
    Lines = CleanReportLines(3);
    At(Lines, LatLine(1)) = "52.005000";
    At(Lines, LatLine(1) + 1) = "4.005000";
    ExpectOnly(CheckLines(Lines), LatLine(1), Severity::Warning, "checkpoint 2 (\"Point 2\") position", "overlap");
}

TEST_F(Check, FieldsWiderThanTheirDisplayColumn) {
    At(Lines, PointLine(0, 0)) = "Spijkerboor VOR";  // 15 > 13
    ExpectOnly(CheckLines(Lines), PointLine(0, 0), Severity::Warning, "name", "13");

    // Six characters fit the identifier column, but not in brackets.
    Lines = CleanReportLines(3);
    At(Lines, PointLine(1, 2)) = "ABCDEF";
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
    At(Lines, LatLine(1)) = "0.000000";
    At(Lines, LatLine(1) + 1) = "0.000000";
    const CheckResult result = CheckLines(Lines);
    ASSERT_EQ(FindingsOn(result, PointLine(1, 2)).size(), 1u) << Describe(result);
    EXPECT_NE(FindingsOn(result, PointLine(1, 2))[0].Problem.find("holds 5"), std::string::npos);

    // The alternate identifier is checked only where it is shown.
    Lines = CleanReportLines(3);
    At(Lines, PointLine(1, 4)) = "TOOLONGID";
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
    At(Lines, PointLine(1, 2)) = "";
    ExpectOnly(CheckLines(Lines), PointLine(1, 4), Severity::Warning, "alternate identifier", "holds 7");

    Lines = CleanReportLines(3);
    At(Lines, PointLine(2, 6)) = "FL100";
    ExpectOnly(CheckLines(Lines), PointLine(2, 6), Severity::Warning, "field 7", "holds 3");
    At(Lines, PointLine(2, 6)) = "";
    At(Lines, PointLine(2, 11)) = "0:10:00";  // a time, but wider than the column
    ExpectOnly(CheckLines(Lines), PointLine(2, 11), Severity::Warning, "planned leg time", "holds 5");
}

TEST_F(Check, BlanksThatASaveDrops) {
    At(Lines, 4) = "  KL1234\t";
    ExpectOnly(CheckLines(Lines), 4, Severity::Warning, "header field 3", "blanks");
    Lines = CleanReportLines(3);
    At(Lines, PointLine(0, 8)) = "   ";
    ExpectOnly(CheckLines(Lines), PointLine(0, 8), Severity::Warning, "checkpoint 1 (\"Point 1\") field 9",
               "only blanks");
    // Blanks around numbers mean nothing to the gauge.
    Lines = CleanReportLines(3);
    At(Lines, 31) = " 3 ";
    At(Lines, StartFuel) = "  0.5";
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
}

TEST_F(Check, LongLineIsCutButShiftsNothing) {
    At(Lines, 20) = std::string(300, 'x');
    ExpectOnly(CheckLines(Lines), 20, Severity::Error, "header field 19", "300 characters");
    // Exactly the limit is kept whole.
    At(Lines, 20) = std::string(255, 'x');
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
}

TEST_F(Check, ContentAfterTheReport) {
    Lines.push_back("");
    Lines.push_back("  ");
    EXPECT_TRUE(CheckLines(Lines).Findings.empty()) << "blank lines at the end are harmless";
    Lines.push_back("\x1a");  // an editor's end-of-file mark
    ExpectOnly(CheckLines(Lines), 86, Severity::Warning, "after the report", "\\x1a");
}

TEST_F(Check, ExtraFuelThatIsNotAWholeNumber) {
    At(Lines, 24) = "$1F4";
    At(Lines, 25) = "-20";
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
    At(Lines, 26) = "12.5";
    ExpectOnly(CheckLines(Lines), 26, Severity::Error, "extra fuel 3", "12.5");
}

TEST_F(Check, TextsTheDisplayCannotShow) {
    At(Lines, PointLine(1, 0)) = "Z\xC3\xBCrich";  // UTF-8
    ExpectOnly(CheckLines(Lines), PointLine(1, 0), Severity::Warning, "name", "UTF-8");
    At(Lines, PointLine(1, 0)) = "Z\xFCrich";  // the Windows character set
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
    At(Lines, PointLine(1, 0)) = "Approach";
    EXPECT_TRUE(CheckLines(Lines).Findings.empty());
    At(Lines, PointLine(1, 0)) = "APPROACH";
    ExpectOnly(CheckLines(Lines), PointLine(1, 0), Severity::Warning, "name", "Approach");
}

TEST_F(Check, ExitStatusAndOutput) {
    vqtest::WriteFile("report.rec", vqtest::CrLfLines(Lines));
    auto run = vqreporttest::Vqreport({"check", "report.rec"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "report.rec: no problems found (3 checkpoints)\n");

    At(Lines, 9) = "";  // a warning
    vqtest::WriteFile("report.rec", vqtest::CrLfLines(Lines));
    run = vqreporttest::Vqreport({"check", "report.rec"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("report.rec:9: warning: departure time: is empty\n    The fuel summary"),
              std::string::npos)
        << run.Out;

    At(Lines, 31) = "300";  // and an error
    vqtest::WriteFile("report.rec", vqtest::CrLfLines(Lines));
    run = vqreporttest::Vqreport({"check", "report.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Out.find("report.rec:31: error: checkpoint count"), std::string::npos) << run.Out;

    run = vqreporttest::Vqreport({"check", "missing.rec"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Err.find("cannot read missing.rec: no such file"), std::string::npos) << run.Err;
    run = vqreporttest::Vqreport({"check", "."});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Err.find("directory"), std::string::npos) << run.Err;
}

}  // namespace
