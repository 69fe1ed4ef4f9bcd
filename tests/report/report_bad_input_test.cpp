// Report files that are broken in every way a dispatcher's editor, a full
// disk or a wrong file can break them: the load must end promptly with
// defined fields, and what it could not take whole is kept before a save.
#include <string>

#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/test_support.h"

namespace {

using vqtest::CrLfLines;
using vqtest::Exists;
using vqtest::NumberedReportLines;
using vqtest::ReadFile;
using vqtest::WriteFile;

const char* const File = "tolvanix.rec";

class BadReportFile : public vqtest::ModuleTest {
protected:
    // Loads `bytes`, saves, and checks that the original bytes were kept
    // aside as tolvanix-kept-1.rec when the load could not take them whole.
    void LoadAndSave(const std::string& bytes, bool expectCopy) {
        WriteFile(File, bytes);
        LoadReport();
        EXPECT_EQ(ReportFileNeedsCopy(), expectCopy);
        SaveReport();
        EXPECT_EQ(Exists("tolvanix-kept-1.rec"), expectCopy);
        if (expectCopy) {
            EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), bytes);
        }
    }
};

TEST_F(BadReportFile, CountAbove100KeepsFirst100AndFindsLaterLines) {
    const std::string bytes = CrLfLines(NumberedReportLines(150));
    LoadAndSave(bytes, true);
    ASSERT_EQ(ChkPointList.Count, 100);
    EXPECT_EQ(ChkPointList.Item(99).Name, "C99F1");
    EXPECT_EQ(ChkPointList.StartFuel, 1234.5);
    EXPECT_EQ(ChkPointList.Item(0).Latitude, 10.0);
    EXPECT_EQ(ChkPointList.Item(99).Longitude, 119.0);
    EXPECT_EQ(ChkPointList.Item(100).Name, "") << "nothing beyond the capacity";
}

TEST_F(BadReportFile, HugeCountInShortFileEndsAtEndOfFile) {
    auto lines = NumberedReportLines(2);
    lines[30] = "2147483647";
    LoadAndSave(CrLfLines(lines), true);
    // Both checkpoints, then the block of StartFuel and coordinates read as a
    // third (partial) checkpoint; everything after the end is empty.
    EXPECT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.Item(1).Name, "C1F1");
    EXPECT_EQ(ChkPointList.Item(2).Name, "1234.500000");
    EXPECT_EQ(ChkPointList.Item(2).ActualArrival, "");
    EXPECT_EQ(ChkPointList.StartFuel, 0.0);
}

TEST_F(BadReportFile, TruncatedFileGivesEmptyFieldsNotRepeats) {
    auto lines = NumberedReportLines(2);
    lines.resize(20);  // ends inside the header
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ReportHeader.Field18, "H18");
    EXPECT_EQ(ReportHeader.Field19, "H19");
    EXPECT_EQ(ReportHeader.Field20, "") << "a missing line is an empty text, not the last line again";
    EXPECT_EQ(ChkPointList.Field2, "");
    EXPECT_EQ(ChkPointList.Count, 0);
    EXPECT_EQ(ChkPointList.StartFuel, 0.0);
}

TEST_F(BadReportFile, FileWithOnlyTheHeaderLine) {
    ReportHeader.Field01 = "old";
    LoadAndSave("Vardemolinquex 2.0", true);
    EXPECT_EQ(ReportHeader.Field01, "");
    EXPECT_EQ(ChkPointList.Count, 0);
}

TEST_F(BadReportFile, LongLineIsCutWithoutShiftingLaterFields) {
    auto lines = NumberedReportLines(2);
    lines[1] = std::string(300, 'x');
    lines[31] = std::string(255, 'n');  // the longest text that reads back whole
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(vqtest::Str(ReportHeader.Field01), std::string(255, 'x'));
    EXPECT_EQ(ReportHeader.Field02, "H2");
    EXPECT_EQ(vqtest::Str(ChkPointList.Item(0).Name), std::string(255, 'n'));
    EXPECT_EQ(ChkPointList.Item(1).Name, "C1F1");
    EXPECT_EQ(ChkPointList.Item(1).Longitude, 21.0);
}

TEST_F(BadReportFile, CtrlZAndNulInsideFieldsAreKept) {
    auto lines = NumberedReportLines(1);
    lines[1] = std::string("A\x1a" "B", 3);
    lines[2] = std::string("C\0D", 3);
    const std::string bytes = CrLfLines(lines);
    LoadAndSave(bytes, false);
    EXPECT_EQ(vqtest::Str(ReportHeader.Field01), std::string("A\x1a" "B", 3));
    EXPECT_EQ(ReportHeader.Field03, "H3") << "a Ctrl-Z does not end the file";
    EXPECT_EQ(ReadFile(File), bytes);
}

TEST_F(BadReportFile, BinaryFileIsRefusedAndKept) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>((i * 7919) & 0xff));
    ReportHeader.Field01 = "in memory";
    LoadAndSave(bytes, true);
    EXPECT_EQ(ReportHeader.Field01, "in memory");
    EXPECT_NE(ReadFile(File).find("\r\nin memory\r\n"), std::string::npos);
}

TEST_F(BadReportFile, EmptyFileIsRefusedWithNothingToKeep) {
    LoadAndSave("", false);
    EXPECT_EQ(ChkPointList.Count, 0);
}

TEST_F(BadReportFile, TrailingContentAndBadNumbersAreKept) {
    auto lines = NumberedReportLines(1);
    lines.push_back("remarks the gauge does not read");
    LoadAndSave(CrLfLines(lines), true);

    ResetModuleState();
    vqtest::RemoveForTest("tolvanix-kept-1.rec");
    lines = NumberedReportLines(1);
    lines[lines.size() - 1] = "20.0 E";
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ChkPointList.Item(0).Longitude, 20.0);

    ResetModuleState();
    vqtest::RemoveForTest("tolvanix-kept-1.rec");
    lines = NumberedReportLines(0);
    lines[30] = "-5";
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ChkPointList.Count, 0);
    EXPECT_EQ(ChkPointList.StartFuel, 1234.5);

    ResetModuleState();
    vqtest::RemoveForTest("tolvanix-kept-1.rec");
    lines = NumberedReportLines(1);
    lines.push_back("");
    lines.push_back("   ");
    LoadAndSave(CrLfLines(lines), false);
}

TEST_F(BadReportFile, KeptCopiesNeverOverwriteEachOther) {
    WriteFile("tolvanix-kept-1.rec", "an older copy");
    WriteFile(File, "not a report");
    LoadReport();
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), "an older copy");
    EXPECT_EQ(ReadFile("tolvanix-kept-2.rec"), "not a report");
    // Once kept, the next save simply replaces the file.
    SaveReport();
    EXPECT_FALSE(Exists("tolvanix-kept-3.rec"));
}

}  // namespace
