// Saving never leaves a half-written report file, and never loses the old
// one when the new one cannot be written.
#include "platform/text_file.h"
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/test_support.h"

#include <filesystem>

namespace {

using vqtest::Exists;
using vqtest::ReadFile;
using vqtest::WriteFile;

const char* const File = "tolvanix.rec";

class SafeSave : public vqtest::ModuleTest {};

TEST_F(SafeSave, LeavesNoTemporaryFileBehind) {
    ReportHeader.Field01 = "first";
    SaveReport();
    ReportHeader.Field01 = "second";
    SaveReport();
    EXPECT_EQ(vqtest::ListDirectory(), std::vector<std::string>{"tolvanix.rec"});
    EXPECT_NE(ReadFile(File).find("second"), std::string::npos);
}

TEST_F(SafeSave, OldFileStaysWhenTheNewOneCannotBeCreated) {
    WriteFile(File, "the old report");
    std::filesystem::create_directory("tolvanix.rec.new");  // blocks the temporary file
    ReportHeader.Field01 = "new";
    SaveReport();
    EXPECT_EQ(ReadFile(File), "the old report");
    std::filesystem::remove("tolvanix.rec.new");
    SaveReport();
    EXPECT_NE(ReadFile(File).find("\r\nnew\r\n"), std::string::npos);
}

TEST_F(SafeSave, ReplaceWithoutAtomicMoveAlwaysLeavesACompleteFile) {
    // The path for systems without an atomic replace, forced here.
    WriteFile("target", "old");
    WriteFile("temp", "new");
    ASSERT_TRUE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target"), "new");
    EXPECT_FALSE(Exists("temp"));
    EXPECT_FALSE(Exists("target.old"));

    // A backup left by an interrupted replace is older than the target.
    WriteFile("target.old", "older");
    WriteFile("temp", "newest");
    ASSERT_TRUE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target"), "newest");

    // Interrupted between the two moves: only the backup holds the report, and
    // a replace of a missing target leaves that backup alone.
    vqtest::RemoveForTest("target");
    WriteFile("target.old", "only copy");
    WriteFile("temp", "fresh");
    ASSERT_TRUE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target.old"), "only copy");
    EXPECT_EQ(ReadFile("target"), "fresh");

    // Target is a directory: refused, nothing moved.
    std::filesystem::create_directory("dir");
    WriteFile("temp", "x");
    EXPECT_FALSE(platform::ReplaceFileSafely("temp", "dir", "dir.old", false));
    EXPECT_TRUE(std::filesystem::is_directory("dir"));
    EXPECT_FALSE(Exists("dir.old"));
}

}  // namespace
