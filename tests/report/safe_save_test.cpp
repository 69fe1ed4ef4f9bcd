// The replace for systems without an atomic one always leaves a complete
// file (its failures: tests/faults).
#include "platform/text_file.h"
#include "tests/test_support.h"

#include <filesystem>

namespace {

using vqtest::Exists;
using vqtest::ReadFile;
using vqtest::WriteFile;

class SafeSave : public vqtest::ModuleTest {};

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
