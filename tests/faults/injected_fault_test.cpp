// Saves that fail at each step of writing, injected through the platform's
// file layer: the old report file and the report in memory survive every
// failure, and the next save that can succeed writes the report whole.
#include "gauge/mouse.h"
#include "interface/state.h"
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

TEST_F(InjectedFault, SwitchingOffOnAFailingDiskKeepsTheFlightInMemory) {
    // The pilot's switch-off saves; the flight goes on with the report as it was.
    Active = 1;
    GreetingTicks = 30;
    DiskFaults faults;
    faults.SpaceLeft = 1000;
    {
        InjectedDisk disk(faults);
        SwitchOnOff(0, 0);
    }
    EXPECT_EQ(Active, 0);
    ExpectNothingLost();
    ExpectNextSaveWritesItWhole();
}

// The copy of a file the load could not take whole is made before the save;
// when the copy cannot be written the file is not replaced at all.
TEST_F(InjectedFault, CopyOfARefusedFileFailsSoTheFileIsNotReplaced) {
    const std::string refused = "a dispatcher's note, not a report\r\n";
    WriteFile("tolvanix.rec", refused);
    LoadReport();
    ASSERT_TRUE(ReportFileNeedsCopy());
    for (int attempt = 0; attempt < 2; ++attempt) {
        DiskFaults faults;
        if (attempt == 0) faults.FailCreate = DiskFaults::Nth(1);  // the copy cannot be created
        if (attempt == 1) faults.SpaceLeft = 10;  // the copy fills the disk
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

// Systems without an atomic replace move the old file aside first; a failure
// of either move leaves a complete old report under one of the two names.
TEST_F(InjectedFault, ReplaceWithoutAtomicMoveFailingAtEachMove) {
    // A file under the backup's name is never removed: the replace is refused
    // (the save keeps such a file aside first), as is a target that is a directory.
    WriteFile("target", "older");
    WriteFile("target.old", "oldest");
    WriteFile("temp", "old");
    EXPECT_FALSE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target.old"), "oldest");
    vqtest::RemoveForTest("target.old");
    ASSERT_TRUE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target"), "old");
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"target", "tolvanix.rec"}));
    std::filesystem::create_directory("dir");
    WriteFile("temp", "x");
    EXPECT_FALSE(platform::ReplaceFileSafely("temp", "dir", "dir.old", false));
    EXPECT_FALSE(Exists("dir.old"));

    // The moves: target to backup, temp to target, and on failure backup to target.
    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        WriteFile("target", "old");
        WriteFile("temp", "new");
        DiskFaults faults;
        faults.FailMove = DiskFaults::Nth(failing);
        InjectedDisk disk(faults);
        EXPECT_FALSE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
        EXPECT_EQ(ReadFile("target"), "old") << "left in place or moved back from the backup";
        EXPECT_FALSE(Exists("target.old"));
        EXPECT_EQ(ReadFile("temp"), "new") << "the caller removes its temporary file";
    }

    // The move back fails too: the old report waits under the backup's name,
    // and the next replace leaves it there.
    {
        DiskFaults faults;
        faults.FailMove = DiskFaults::Nth(2) | DiskFaults::Nth(3);
        InjectedDisk disk(faults);
        EXPECT_FALSE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    }
    EXPECT_FALSE(Exists("target"));
    EXPECT_EQ(ReadFile("target.old"), "old");
    ASSERT_TRUE(platform::ReplaceFileSafely("temp", "target", "target.old", false));
    EXPECT_EQ(ReadFile("target"), "new");
    EXPECT_EQ(ReadFile("target.old"), "old");
}

}  // namespace
