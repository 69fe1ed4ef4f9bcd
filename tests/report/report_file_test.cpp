// Reading and writing the report file on real files.
#include <limits>
#include <string_view>

#include "persistence/reset.h"
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/test_support.h"

namespace {

using namespace std::string_view_literals;
using vqtest::CrLfLines;
using vqtest::NumberedReportLines;
using vqtest::ReadFile;
using vqtest::WriteFile;

const char* const File = "tolvanix.rec";

class ReportFile : public vqtest::ModuleTest {};

TEST_F(ReportFile, EmptyReportIsWrittenAs32Lines) {
    LoadReport();  // no file: nothing changes
    SaveReport();
    std::vector<std::string> expected{"Vardemolinquex 2.0"};
    for (int i = 0; i < 29; ++i) expected.push_back("");
    expected.push_back("0");
    expected.push_back("0.000000");
    EXPECT_EQ(ReadFile(File), CrLfLines(expected));
}

TEST_F(ReportFile, ReadsEveryFieldFromItsLine) {
    WriteFile(File, CrLfLines(NumberedReportLines(3)));
    EXPECT_EQ(LoadReport(), LoadOutcome::Loaded);
    EXPECT_EQ(ReportHeader.Field01, "H1");
    EXPECT_EQ(ReportHeader.DepartureTime, "H8");
    EXPECT_EQ(ReportHeader.ArrivalTime, "H16");
    EXPECT_EQ(ReportHeader.FuelPerHour, "H27");
    EXPECT_EQ(ChkPointList.Field1, "L1");
    EXPECT_EQ(ChkPointList.Field2, "L2");
    ASSERT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.Item(0).Name, "C0F1");
    EXPECT_EQ(ChkPointList.Item(1).LegDistance, "C1F10");
    EXPECT_EQ(ChkPointList.Item(2).ActualArrival, "C2F15");
    EXPECT_EQ(ChkPointList.StartFuel, 1234.5);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ChkPointList.Item(k).Latitude, 10.0 + k);
        EXPECT_EQ(ChkPointList.Item(k).Longitude, 20.0 + k);
    }
    EXPECT_FALSE(ReportFileNeedsCopy());
}

TEST_F(ReportFile, LoadAndSaveGiveBackTheSameBytes) {
    auto lines = NumberedReportLines(4);
    lines[lines.size() - 1] = "-0.123457";
    lines[lines.size() - 2] = "59.650000";
    // The example's nine checkpoints first: the shorter report after them is saved without theirs.
    for (const std::string& original : {ReadFile(vqtest::SourceFile("examples/tolvanix.rec")), CrLfLines(lines)}) {
        ASSERT_FALSE(original.empty());
        WriteFile(File, original);
        for (int round = 0; round < 2; ++round) {
            LoadReport();
            EXPECT_FALSE(ReportFileNeedsCopy());
            SaveReport();
            EXPECT_EQ(ReadFile(File), original);
        }
    }
}

TEST_F(ReportFile, FirstLineMustHoldTheHeaderTextAnywhere) {
    const struct {
        const char* First;
        bool Taken;
    } cases[] = {{"xx Vardemolinquex 2.0 (edited)", true}, {"Vardemolinquex 2.0\t", true},
                 {"Vardemolinquex 1.0", false},          {"vardemolinquex 2.0", false}, {"", false}};
    for (const auto& c : cases) {
        ResetModuleState();
        ReportHeader.Field01 = "kept";
        auto lines = NumberedReportLines(2);
        lines[0] = c.First;
        WriteFile(File, CrLfLines(lines));
        EXPECT_EQ(LoadReport() == LoadOutcome::Loaded, c.Taken) << c.First;
        EXPECT_EQ(ReportHeader.Field01, c.Taken ? "H1" : "kept") << c.First;
    }
}

TEST_F(ReportFile, LoneLineFeedsTrimmingAndLastLineWithoutLineEnd) {
    auto lines = NumberedReportLines(1);
    lines[1] = "\x01 Troms\xF8 \t";  // trimmed of control characters and blanks, not of letters
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\n";
    bytes.pop_back();  // the last coordinate has no line end
    WriteFile(File, bytes);
    LoadReport();
    EXPECT_EQ(ReportHeader.Field01, "Troms\xF8");
    EXPECT_EQ(ChkPointList.Item(0).Longitude, 20.0);
    EXPECT_FALSE(ReportFileNeedsCopy());
}

TEST_F(ReportFile, CountAndNumberLinesReadTheirLeadingNumber) {
    auto lines = NumberedReportLines(3);
    lines[30] = "  3 checkpoints";
    lines[31 + 45] = "250.5kg";
    lines[31 + 46] = "abc";  // latitude of checkpoint 0
    lines[31 + 48] = " +1.5e1 ";
    WriteFile(File, CrLfLines(lines));
    LoadReport();
    ASSERT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.StartFuel, 250.5);
    EXPECT_EQ(ChkPointList.Item(0).Latitude, 0.0);
    EXPECT_EQ(ChkPointList.Item(1).Latitude, 15.0);
}

TEST_F(ReportFile, NumbersNeverWriteInfOrNan) {
    ChkPointList.Add(TChkPoint());
    ChkPointList.Item(0).Latitude = 59.123456789;
    ChkPointList.Item(0).Longitude = std::numeric_limits<double>::quiet_NaN();
    ChkPointList.StartFuel = std::numeric_limits<double>::infinity();
    SaveReport();
    const std::string bytes = ReadFile(File);
    EXPECT_NE(bytes.find("\r\n1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n0.000000\r\n59.123457\r\n0.000000\r\n"), std::string::npos);
}

TEST(ReportNumbers, GrammarIsPlainDecimalOnly) {
    bool clean = false;
    EXPECT_EQ(ParseReportNumber("1e3x"sv, &clean), 1000.0);
    EXPECT_FALSE(clean);
    for (std::string_view line : {"inf", "nan", "0x1p3", ".", "-", "", "1e999"}) {
        EXPECT_EQ(ParseReportNumber(line, &clean), 0.0) << line;
        EXPECT_FALSE(clean) << line;
    }
    EXPECT_EQ(ParseReportCount("99999999999999999999"sv), 2147483647);
    EXPECT_EQ(ParseReportCount("-99999999999999999999"sv), -2147483647 - 1);
}

}  // namespace
