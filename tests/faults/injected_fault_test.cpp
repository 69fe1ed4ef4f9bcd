// Saves that fail at each step of writing, injected through the platform's
// file layer: the old report file and the report in memory survive every
// failure, and the next save that can succeed writes the report whole.
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/faults/fault_support.h"

#include <filesystem>

namespace {

using vqtest::DiskFaults;
using vqtest::Exists;
using vqtest::InjectedDisk;
using vqtest::ReadFile;
using vqtest::WriteFile;

class InjectedFault : public vqtest::SaveFaultTest {};

// The new file cannot be created (a directory that cannot be written), put
// on the disk, or moved into place; twice in a row.
TEST_F(InjectedFault, EachStepOfTheSaveFailing) {
    DiskFaults create, flush, move;
    create.FailCreate = flush.FailFlush = move.FailMove = DiskFaults::Every;
    move.FailReplace = true;
    for (const DiskFaults& faults : {create, flush, move}) {
        {
            InjectedDisk disk(faults);
            SaveReport();
            SaveReport();
        }
        ExpectNothingLost();
    }
    ExpectNextSaveWritesItWhole();
}

TEST_F(InjectedFault, DiskFillsUpPartWayThroughTheSave) {
    const std::size_t size = WholeFile.size();
    // Full before the first byte, inside the first line, at the edges of the
    // writer's buffer (2048 bytes), half way, inside and before the last line end.
    for (std::size_t space : {std::size_t{0}, std::size_t{1}, std::size_t{19}, std::size_t{2047},
                              std::size_t{2048}, std::size_t{2049}, size / 2, size - 2, size - 1}) {
        {
            DiskFaults faults;
            faults.SpaceLeft = space;
            InjectedDisk disk(faults);
            SaveReport();
        }
        ExpectNothingLost("space for " + std::to_string(space) + " of " + std::to_string(size) + " bytes");
    }
    // Exactly enough space is enough: the rule counts what the save needs.
    DiskFaults faults;
    faults.SpaceLeft = size;
    InjectedDisk disk(faults);
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix.rec"), WholeFile);
}

// A file the load could not take whole is kept, not overwritten, by the save
// that replaces it; a save that cannot write its new file leaves it in place.
TEST_F(InjectedFault, ARefusedFileIsKeptWhenTheSaveReplacesIt) {
    const std::string refused = "a dispatcher's note, not a report\r\n";
    vqtest::RemoveForTest("tolvanix-recovery.rec");
    WriteFile("tolvanix.rec", refused);
    LoadReport();
    ASSERT_TRUE(ReportFileNeedsCopy());
    for (int attempt = 0; attempt < 2; ++attempt) {
        DiskFaults faults;
        if (attempt == 0) faults.FailCreate = DiskFaults::Nth(1);  // the new file cannot be created
        if (attempt == 1) faults.SpaceLeft = 10;  // the new file fills the disk
        {
            InjectedDisk disk(faults);
            SaveReport();
        }
        SCOPED_TRACE(attempt);
        EXPECT_EQ(ReadFile("tolvanix.rec"), refused);
        EXPECT_EQ(vqtest::ListDirectory(), std::vector<std::string>{"tolvanix.rec"});
        EXPECT_TRUE(ReportFileNeedsCopy());
        EXPECT_EQ(vqtest::DescribeReport(), MemoryBefore);
    }
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix-kept-1.rec"), refused);
    EXPECT_EQ(ReadFile("tolvanix.rec"), WholeFile);
}

// Every route of the replace hands back the file it replaced; a backup name
// in use, or a target that is not a regular file, refuses it; with no target
// the new file is moved in and nothing is handed back.
TEST_F(InjectedFault, EachReplaceRouteHandsBackTheOldFile) {
    for (vqtest::Route route : {vqtest::Route::Best, vqtest::Route::NoSwap, vqtest::Route::Moves}) {
        SCOPED_TRACE(vqtest::RouteName(route));
        InjectedDisk disk(vqtest::RouteFaults(route));
        WriteFile("target", "old");
        WriteFile("temp", "new");
        WriteFile("target.old", "oldest");
        EXPECT_FALSE(platform::ReplaceKeepingOld("temp", "target", "target.old").Done);
        EXPECT_EQ(ReadFile("target.old"), "oldest");
        vqtest::RemoveForTest("target.old");
        std::filesystem::create_directory("dir");
        EXPECT_FALSE(platform::ReplaceKeepingOld("temp", "dir", "dir.old").Done);
        EXPECT_EQ(ReadFile("temp"), "new");
        const platform::Replaced replaced = platform::ReplaceKeepingOld("temp", "target", "target.old");
        ASSERT_TRUE(replaced.Done);
        EXPECT_EQ(ReadFile("target"), "new");
        EXPECT_EQ(ReadFile(replaced.OldAt.c_str()), "old");
        vqtest::RemoveForTest(replaced.OldAt.c_str());
        WriteFile("temp", "first");
        const platform::Replaced moved = platform::ReplaceKeepingOld("temp", "fresh", "fresh.old");
        EXPECT_TRUE(moved.Done && moved.OldAt.empty());
        EXPECT_EQ(vqtest::ListDirectory(),
                  (std::vector<std::string>{"dir", "fresh", "target", "tolvanix-recovery.rec", "tolvanix.rec"}));
        for (const char* name : {"dir", "fresh", "target"}) vqtest::RemoveForTest(name);
    }
}

// The moves: target to backup, temp to target, and on failure backup to
// target. A failure of either leaves a complete old file under one of the
// two names; the next replace leaves a file under the backup's name alone.
TEST_F(InjectedFault, TheMovesFailingOneByOne) {
    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        WriteFile("target", "old");
        WriteFile("temp", "new");
        DiskFaults faults = vqtest::RouteFaults(vqtest::Route::Moves);
        faults.FailMove = DiskFaults::Nth(failing);
        InjectedDisk disk(faults);
        EXPECT_FALSE(platform::ReplaceKeepingOld("temp", "target", "target.old").Done);
        EXPECT_EQ(ReadFile("target"), "old") << "left in place or moved back from the backup";
        EXPECT_FALSE(Exists("target.old"));
        EXPECT_EQ(ReadFile("temp"), "new") << "the caller removes its temporary file";
    }
    DiskFaults faults = vqtest::RouteFaults(vqtest::Route::Moves);
    faults.FailMove = DiskFaults::Nth(2) | DiskFaults::Nth(3);
    {
        InjectedDisk disk(faults);
        EXPECT_FALSE(platform::ReplaceKeepingOld("temp", "target", "target.old").Done);
    }
    EXPECT_FALSE(Exists("target"));
    EXPECT_EQ(ReadFile("target.old"), "old");
    InjectedDisk disk(vqtest::RouteFaults(vqtest::Route::Moves));
    const platform::Replaced replaced = platform::ReplaceKeepingOld("temp", "target", "target.old");
    EXPECT_TRUE(replaced.Done && replaced.OldAt.empty());
    EXPECT_EQ(ReadFile("target"), "new");
    EXPECT_EQ(ReadFile("target.old"), "old");
}

}  // namespace
