// Report files that are broken in every way a dispatcher's editor, a full
// disk or a wrong file can break them: the load must end promptly with
// defined fields, and what it could not take whole is kept before a save.
#include <filesystem>
#include <string>

#include "persistence/reset.h"
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using vqtest::CrLfLines;
using vqtest::Exists;
using vqtest::NumberedReportLines;
using vqtest::ReadFile;
using vqtest::WriteFile;

const char* const File = "tolvanix.rec";

class BadReportFile : public vqtest::ModuleTest {
protected:
    // Loads `bytes` into a fresh module, saves, and checks that the original
    // bytes were kept aside as tolvanix-kept-1.rec when, and only when, the
    // load could not take them whole.
    void LoadAndSave(const std::string& bytes, bool expectCopy) {
        ResetModuleState();
        vqtest::RemoveForTest("tolvanix-kept-1.rec");
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

TEST_F(BadReportFile, MoreThan100CheckpointsKeepTheFirst100AndFindTheLaterLines) {
    LoadAndSave(CrLfLines(NumberedReportLines(150)), true);
    ASSERT_EQ(ChkPointList.Count, 100);
    EXPECT_EQ(ChkPointList.Item(99).Name, "C99F1");
    EXPECT_EQ(ChkPointList.StartFuel, 1234.5);
    EXPECT_EQ(ChkPointList.Item(99).Longitude, 119.0);
    EXPECT_EQ(ChkPointList.Item(100).Name, "") << "nothing beyond the capacity";

    // 101 checkpoints with exactly the 100 coordinate pairs the gauge reads:
    // nothing follows them, and still the 101st is lost.
    auto lines = NumberedReportLines(101);
    lines.resize(lines.size() - 2);
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ChkPointList.Count, 100);
}

TEST_F(BadReportFile, FilesThatEndEarly) {
    auto lines = NumberedReportLines(2);
    lines[30] = "2147483647";
    LoadAndSave(CrLfLines(lines), true);
    // Both checkpoints, then the block of StartFuel and coordinates read as a
    // third (partial) checkpoint; everything after the end is empty.
    EXPECT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.Item(2).Name, "1234.500000");
    EXPECT_EQ(ChkPointList.Item(2).ActualArrival, "");
    EXPECT_EQ(ChkPointList.StartFuel, 0.0);

    lines = NumberedReportLines(2);
    lines.resize(20);  // ends inside the header
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ReportHeader.Field19, "H19");
    EXPECT_EQ(ReportHeader.Field20, "") << "a missing line is an empty text, not the last line again";
    EXPECT_EQ(ChkPointList.Count, 0);

    LoadAndSave("Vardemolinquex 2.0", true);
    LoadAndSave("", false);  // refused, and nothing to keep
}

TEST_F(BadReportFile, LongLinesAreCutWithoutShiftingLaterFieldsAnd255CharactersAreWhole) {
    auto lines = NumberedReportLines(2);
    lines[31] = std::string(255, 'n');  // the longest text that reads back whole
    LoadAndSave(CrLfLines(lines), false);
    EXPECT_EQ(vqtest::Str(ChkPointList.Item(0).Name), std::string(255, 'n'));

    lines[1] = std::string(300, 'x');
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(vqtest::Str(ReportHeader.Field01), std::string(255, 'x'));
    EXPECT_EQ(ReportHeader.Field02, "H2");
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

TEST_F(BadReportFile, TrailingContentAndBadNumbersAreKeptBlankLinesAreNot) {
    auto lines = NumberedReportLines(1);
    lines.push_back("remarks the gauge does not read");
    LoadAndSave(CrLfLines(lines), true);

    lines = NumberedReportLines(1);
    lines.back() = "20.0 E";
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ChkPointList.Item(0).Longitude, 20.0);

    lines = NumberedReportLines(0);
    lines[30] = "-5";
    LoadAndSave(CrLfLines(lines), true);
    EXPECT_EQ(ChkPointList.StartFuel, 1234.5);

    lines = NumberedReportLines(1);
    lines.push_back("");
    lines.push_back("   ");
    LoadAndSave(CrLfLines(lines), false);
}

TEST_F(BadReportFile, KeptCopiesNeverOverwriteEachOther) {
    WriteFile("tolvanix-kept-1.rec", "an older copy");
#ifdef _WIN32
    std::filesystem::create_directory("tolvanix-kept-2.rec");
#else
    std::filesystem::create_symlink("nowhere", "tolvanix-kept-2.rec");  // a link to nothing takes its name too
#endif
    WriteFile(File, "not a report");
    LoadReport();
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), "an older copy");
    EXPECT_EQ(ReadFile("tolvanix-kept-3.rec"), "not a report");
    // Once kept, the next save simply replaces the file.
    SaveReport();
    EXPECT_FALSE(Exists("tolvanix-kept-4.rec"));
}

// A report file that is there but cannot be opened (another program holds
// it, or the pilot may not read it) is kept before the save replaces it.
TEST_F(BadReportFile, FileThatCannotBeOpenedIsKeptBeforeTheSave) {
    const std::string bytes = CrLfLines(NumberedReportLines(1));
    WriteFile(File, bytes);
    ReportHeader.FuelUsed = "in memory";  // a flight's gain, kept in the recovery file
    ReportGained();
#ifdef _WIN32
    HANDLE held = CreateFileA(File, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool loaded = LoadReport() == LoadOutcome::Loaded;
    CloseHandle(held);
    EXPECT_FALSE(loaded);
    SaveReport();
#else
    // The tests run as root, who opens any file: a child loads as an
    // unprivileged user, then saves with its rights back.
    ASSERT_EQ(chmod(File, 0), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && seteuid(65534) != 0) _exit(3);
        const bool loaded = LoadReport() == LoadOutcome::Loaded;
        if ((getuid() == 0 && seteuid(0) != 0) || chmod(File, 0644) != 0) _exit(3);
        SaveReport();
        _exit(loaded ? 2 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the file was read, 3: the user could not be changed";
#endif
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), bytes);
    EXPECT_NE(ReadFile(File).find("\r\nin memory\r\n"), std::string::npos);
}

}  // namespace
