// vqreport recover: the recovery files the gauge leaves beside tolvanix.rec
// when a flight ends without a save, listed against tolvanix.rec, and one of
// them put in its place.
#pragma once

#include <iosfwd>
#include <string>

namespace vqreport {

struct RecoverOptions {
    std::string Directory;  // the simulator's folder; empty: the current directory
    bool Restore = false;
    std::string File;       // the recovery file to restore; empty: tolvanix-recovery.rec
    bool Force = false;     // restore one the gauge refuses, cannot take whole, or with fewer times
};

// The file operations a restore is made of. The tests replace them to see
// that a failing step leaves every file as it was. A failing step leaves the
// system's reason in platform::LastSystemError().
struct RestoreSteps {
    // Copies `from` to `to`, which must not exist yet, and flushes it to disk
    // (platform::CopyNewFile).
    bool (*Copy)(const char* from, const char* to);
    // Puts `from` in place of `to` in one step (platform::ReplaceFileSafely,
    // with `backup` for systems without such a step).
    bool (*Replace)(const char* from, const char* to, const char* backup);
};
RestoreSteps PlatformRestoreSteps();

// Lists the recovery files (options.Restore false), or restores one. Returns
// the exit status (status.h).
int RunRecover(const RecoverOptions& options, std::ostream& out, std::ostream& err,
               const RestoreSteps& steps = PlatformRestoreSteps());

// Whether `path` names a directory (vqreport recover --restore DIR).
bool NamesDirectory(const std::string& path);

}  // namespace vqreport
