// Saving a report while the disk fails under it: a rule for the platform's
// file-fault hook, and a fixture holding a report file on disk and a changed
// report in memory, with the checks that nothing of either was lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "tests/test_support.h"

namespace vqtest {

// What the injected rule does while it is installed.
struct DiskFaults {
    static constexpr std::size_t Unlimited = std::numeric_limits<std::size_t>::max();
    std::size_t SpaceLeft = Unlimited;  // bytes that writes may still put into files
    // Which operations of each kind fail: bit n - 1 set fails the nth.
    static constexpr std::uint32_t Every = ~std::uint32_t{0};
    static constexpr std::uint32_t Nth(int n) { return std::uint32_t{1} << (n - 1); }
    std::uint32_t FailCreate = 0;
    std::uint32_t FailFlush = 0;
    std::uint32_t FailMove = 0;
    // Replace routes the system is to lack (platform::ReplaceKeepingOld):
    // a swap, hard links, ReplaceFileA; and whether those it has fail.
    bool NoExchange = false, NoLink = false, NoSystemReplace = false;
    bool FailReplace = false;
    // Called before each operation runs (a test places a file there, or ends
    // the process as a crash would).
    std::function<void(const struct DiskStep& step)> Before;
};

// One operation the rule saw, with its paths as given.
struct DiskStep {
    platform::FileOperation Operation;
    std::string Path, Other;
    std::string Text() const;  // "Move tolvanix.rec.new tolvanix.rec"
};

// The routes of a replace as a test runs them: the first the system offers on
// this build (a swap on Linux, ReplaceFileA on Windows), then without it (hard
// links on Linux; the moves on Windows), then the moves of Windows 95 and 98.
enum class Route { Best, NoSwap, Moves };
DiskFaults RouteFaults(Route route);
const char* RouteName(Route route);

// Installs `faults` as the platform's file-fault rule for its lifetime, and
// logs every operation it sees.
class InjectedDisk {
public:
    explicit InjectedDisk(const DiskFaults& faults);
    ~InjectedDisk();
    InjectedDisk(const InjectedDisk&) = delete;
    InjectedDisk& operator=(const InjectedDisk&) = delete;
    const std::vector<DiskStep>& Log() const;
};

// All of the report in memory as one text (floats to the last bit), and the
// gauge's current checkpoint: two equal descriptions are the same report.
std::string DescribeReport();

// A report of 100 checkpoints in tolvanix.rec, loaded, then changed in memory
// as a flight changes it, so that the file and memory differ.
class SaveFaultTest : public ModuleTest {
protected:
    SaveFaultTest();

    // The old file is as it was, memory is unchanged, the recovery file holds
    // the flight, and no temporary file or copy was left beside them.
    void ExpectNothingLost(const std::string& where = std::string());
    // With the disk healthy again, the next save writes the report whole.
    void ExpectNextSaveWritesItWhole();

    std::string OldFile;      // the bytes of tolvanix.rec before the save
    std::string MemoryBefore; // DescribeReport() before the save
    std::string WholeFile;    // the bytes a successful save writes
};

}  // namespace vqtest
