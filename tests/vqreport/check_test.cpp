// vqreport check: each class of problem in a small file, found on its line,
// named by its field, with the right level; and nothing on a clean file.
#include <string>
#include <utility>

#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreport::CheckResult;
using vqreport::Severity;
using vqreporttest::At;
using vqreporttest::CheckLines;
using vqreporttest::CleanReportLines;
using vqreporttest::Describe;
using vqreporttest::FindingsOn;

using Edits = std::vector<std::pair<int, std::string>>;  // a line (from 1) and its new text

// Lines of the three-checkpoint report.
int PointLine(int k, int field) { return 32 + 15 * k + field; }
int LatLine(int k) { return 78 + 2 * k; }

std::vector<std::string> Spoiled(const Edits& edits, int count = 3) {
    auto lines = CleanReportLines(count);
    for (const auto& [line, text] : edits) At(lines, line) = text;
    return lines;
}

constexpr Severity Error = Severity::Error, Warning = Severity::Warning;

class Check : public vqtest::ModuleTest {};

TEST_F(Check, EachProblemOnItsLineWithItsFieldAndLevel) {
    const struct {
        Edits Change;
        int Line;
        Severity Level;
        const char *Field, *Problem;
    } cases[] = {
        {{{1, "Vardemolinquex 1.0"}}, 1, Error, "header line", "Vardemolinquex 1.0"},
        {{{1, "\xEF\xBB\xBFVardemolinquex 2.0"}}, 1, Warning, "header line", "byte order mark"},
        {{{31, "3 checkpoints"}}, 31, Error, "checkpoint count", ""},
        // Number lines the gauge reads only in part, or as 0: whatever the field.
        {{{77, "1,000"}}, 77, Error, "start fuel", "1,000"},
        {{{77, "0x10"}}, 77, Error, "start fuel", "0x10"},
        {{{LatLine(1), "1e300"}}, LatLine(1), Error, "latitude", "e+300"},
        {{{77, "-5"}}, 77, Warning, "start fuel", "negative"},
        {{{25, "-20"}}, 25, Warning, "extra fuel 2", "negative"},
        {{{26, "2147483648"}}, 26, Error, "extra fuel 3", "2147483647"},
        {{{23, "-8882"}}, 23, Warning, "fuel used", "negative"},
        {{{28, "-19032.86"}}, 28, Warning, "fuel per hour", "negative"},
        {{{17, "09:00"}}, 17, Warning, "arrival time", "10:15"},
        {{{PointLine(1, 8), "a\x1b]0;x\x07b"}}, PointLine(1, 8), Warning, "spare", "control character"},
        {{{9, "24:00"}}, 9, Error, "departure time", "24:00"},
        {{{9, ""}}, 9, Warning, "departure time", "empty"},
        {{{PointLine(1, 11), "1h30"}}, PointLine(1, 11), Error, "checkpoint 2 (\"Point 2\") planned leg time",
         "1h30"},
        {{{PointLine(0, 14), ""}}, PointLine(0, 14), Warning, "checkpoint 1 (\"Point 1\") actual arrival",
         "empty"},
        {{{PointLine(1, 9), "12,5"}}, PointLine(1, 9), Error, "checkpoint 2 (\"Point 2\") leg distance", "'.'"},
        {{{PointLine(2, 9), "0"}}, PointLine(2, 9), Error, "leg distance", "zero"},
        {{{LatLine(1), "95.000000"}}, LatLine(1), Error, "checkpoint 2 (\"Point 2\") latitude", "-90 to 90"},
        {{{LatLine(2), "0.000000"}, {LatLine(2) + 1, "0.000000"}}, LatLine(2), Warning, "position",
         "no position"},
        {{{LatLine(1), "north"}}, LatLine(1), Error, "latitude", "not a number"},
        {{{LatLine(1), "52.005000"}, {LatLine(1) + 1, "4.005000"}}, LatLine(1), Warning, "position",
         "overlap"},
        {{{PointLine(0, 0), "Spijkerboor VOR"}}, PointLine(0, 0), Warning, "name", "13"},
        {{{PointLine(2, 6), "FL100"}}, PointLine(2, 6), Warning, "level", "holds 3"},
        {{{4, "  KL1234\t"}}, 4, Warning, "header field 3", "blanks"},
        {{{20, std::string(300, 'x')}}, 20, Error, "header field 19", "300 characters"},
        {{{26, "12.5"}}, 26, Error, "extra fuel 3", "12.5"},
        {{{PointLine(1, 0), "Z\xC3\xBCrich"}}, PointLine(1, 0), Warning, "name", "UTF-8"},
        {{{PointLine(1, 0), "APPROACH"}}, PointLine(1, 0), Warning, "name", "Approach"},
    };
    for (const auto& c : cases) {
        const CheckResult result = CheckLines(Spoiled(c.Change));
        ASSERT_EQ(result.Findings.size(), 1u) << Describe(result);
        const auto& finding = result.Findings[0];
        EXPECT_EQ(finding.Line, c.Line) << Describe(result);
        EXPECT_EQ(finding.Level, c.Level) << Describe(result);
        EXPECT_NE(finding.Field.find(c.Field), std::string::npos) << Describe(result);
        EXPECT_NE(finding.Problem.find(c.Problem), std::string::npos) << Describe(result);
        EXPECT_FALSE(finding.Effect.empty());
    }
}

TEST_F(Check, WhatTheGaugeTakesWithoutTroubleHasNoFindings) {
    // 12-hour times, "??" as a missing arrival, an exponent in a distance, an
    // identifier that fits its column, an alternate one where it is not shown,
    // hexadecimal extra fuel, the Windows character set, the
    // approach entry, blanks around numbers, a field of exactly the limit and
    // blank lines after the report.
    auto lines = Spoiled({{9, "12:15 pm"}, {PointLine(1, 14), "??"}, {PointLine(2, 9), "1e1"},
                          {PointLine(1, 2), "ABCDEF"}, {PointLine(2, 4), "TOOLONGID"}, {24, "$1F4"}, {25, "0x10"},
                          {PointLine(0, 0), "Z\xFCrich"}, {PointLine(2, 0), "Approach"}, {31, " 3 "}, {77, "  0.5"},
                          {20, std::string(255, 'x')}});
    lines.push_back("");
    lines.push_back("  ");
    const CheckResult result = CheckLines(lines);
    EXPECT_TRUE(result.Opened);
    EXPECT_TRUE(result.Findings.empty()) << Describe(result);
    EXPECT_EQ(result.Checkpoints, 3);
    lines.push_back("\x1a");  // an editor's end-of-file mark
    EXPECT_EQ(FindingsOn(CheckLines(lines), 86).size(), 1u);
}

TEST_F(Check, CountsAndEndsThatDoNotMatch) {
    auto lines = CleanReportLines(3);
    lines.resize(50);  // inside checkpoint 2
    CheckResult result = CheckLines(lines);
    ASSERT_EQ(result.Findings.size(), 1u) << Describe(result);
    EXPECT_NE(result.Findings[0].Problem.find("ends after line 50"), std::string::npos) << Describe(result);

    result = CheckLines(CleanReportLines(101));
    EXPECT_EQ(FindingsOn(result, 31).size(), 1u) << Describe(result);
    EXPECT_EQ(result.Checkpoints, 100);
    result = CheckLines(Spoiled({{31, "2147483648"}}));  // beyond the 32 bits the gauge reads it in
    EXPECT_NE(Describe(result).find("count 2147483648 is more"), std::string::npos) << Describe(result);
    // The rest of the file tells how many checkpoints it holds.
    result = CheckLines(Spoiled({{31, "three"}}));
    ASSERT_FALSE(FindingsOn(result, 31).empty()) << Describe(result);
    EXPECT_NE(Describe(result).find("set the count to 3"), std::string::npos) << Describe(result);
}

TEST_F(Check, TheDecimalSeparatorOfTheGaugesPC) {
    vqreport::CheckOptions comma;
    comma.DecimalSeparator = ',';
    EXPECT_TRUE(CheckLines(Spoiled({{PointLine(1, 9), "12,5"}}), comma).Findings.empty());
    const CheckResult result = CheckLines(Spoiled({{PointLine(1, 9), "12.5"}}), comma);
    EXPECT_EQ(FindingsOn(result, PointLine(1, 9)).size(), 1u) << Describe(result);
}

TEST_F(Check, ExitStatusAndOutput) {
    const struct {
        Edits Change;
        int Status;
        const char* Output;
    } cases[] = {{{}, 0, "report.rec: no problems found (3 checkpoints)\n"},
                 {{{9, ""}}, 1, "report.rec:9: warning: departure time: is empty\n    The fuel summary"},
                 {{{9, ""}, {31, "300"}}, 2, "report.rec:31: error: checkpoint count"}};
    for (const auto& c : cases) {
        vqtest::WriteFile("report.rec", vqtest::CrLfLines(Spoiled(c.Change)));
        const auto run = vqreporttest::Vqreport({"check", "report.rec"});
        EXPECT_EQ(run.Status, c.Status);
        EXPECT_NE(run.Out.find(c.Output), std::string::npos) << run.Out;
    }
    const auto run = vqreporttest::Vqreport({"check", "missing.rec"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Err.find("cannot read missing.rec: no such file"), std::string::npos) << run.Err;
}

}  // namespace
