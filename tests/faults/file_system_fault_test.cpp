// Saves on real file systems that refuse them: one that fills up during the
// save (a small tmpfs mount, Linux as root; a file system that refuses the new
// file is the injected create failure), and a directory named like the report
// file (every build).
#include <filesystem>

#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/faults/fault_support.h"

#ifdef __linux__
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

namespace {

using vqtest::ReadFile;
using vqtest::WriteFile;

class FileSystemFault : public vqtest::SaveFaultTest {
protected:
#ifdef __linux__
    ~FileSystemFault() override {
        if (Mounted) {
            std::filesystem::current_path(Scratch.Path());
            umount2(Disk.c_str(), MNT_DETACH);
        }
    }

    // Moves the test into a fresh tmpfs of `kib` KiB holding the old report
    // file, or says why it cannot.
    std::string MountSmallDisk(int kib) {
        if (geteuid() != 0) return "mounting a tmpfs needs root";
        Disk = Scratch.Path() + "/disk";
        std::filesystem::create_directory(Disk);
        const std::string options = "size=" + std::to_string(kib) + "k";
        if (mount("tmpfs", Disk.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
        }
        Mounted = true;
        std::filesystem::current_path(Disk);
        WriteFile("tolvanix.rec", OldFile);
        return std::string();
    }

    std::string Disk;
    bool Mounted = false;
#endif
};

TEST_F(FileSystemFault, FileSystemFillsUpDuringTheSave) {
#ifdef __linux__
    const std::string why = MountSmallDisk(64);
    if (!why.empty()) GTEST_SKIP() << why;
    // Fill the disk, then free less than the new file needs.
    const std::string fillerPath = Disk + "/filler";
    std::FILE* filler = std::fopen(fillerPath.c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
    const auto filled = std::filesystem::file_size(fillerPath);
    ASSERT_GE(filled, WholeFile.size() / 2) << "the disk should hold the filler";
    std::filesystem::resize_file(fillerPath, filled - WholeFile.size() / 2);

    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix.rec"), OldFile);
    EXPECT_EQ(vqtest::DescribeReport(), MemoryBefore);
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"filler", "tolvanix.rec"}));

    vqtest::RemoveForTest(fillerPath);
    ExpectNextSaveWritesItWhole();
#else
    GTEST_SKIP() << "tmpfs mounts are a Linux test";
#endif
}

// A directory where the report file belongs: the load finds no report in it,
// and the save writes nothing into it or over it; once it is gone the next
// save writes the report whole.
TEST_F(FileSystemFault, DirectoryNamedLikeTheReportFile) {
    vqtest::RemoveForTest("tolvanix.rec");
    std::filesystem::create_directory("tolvanix.rec");
    WriteFile("tolvanix.rec/inside", "a dispatcher's file");
    LoadReport();
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix.rec/inside"), "a dispatcher's file");
    EXPECT_EQ(vqtest::ListDirectory(), (std::vector<std::string>{"tolvanix-recovery.rec", "tolvanix.rec"}));
    EXPECT_EQ(vqtest::DescribeReport(), MemoryBefore);
    vqtest::RemoveForTest("tolvanix.rec");
    ExpectNextSaveWritesItWhole();
}

}  // namespace
