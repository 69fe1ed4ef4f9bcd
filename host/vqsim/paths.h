// Where the simulator finds its files: the module beside the program, the
// background picture beside the module, the display font; and the output
// directory it works in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vqsim {

// The gauge module file of this build beside the program.
std::string DefaultModulePath();
// The background picture kept beside a module file (VQgauge.bmp beside VQgauge.so).
std::string BesideModule(const std::string& modulePath, const std::string& fileName);
std::string PictureBesideModule(const std::string& modulePath);
// Candidate places of the fixed-pitch display font, in the order tried.
std::vector<std::string> DefaultFontPaths();

// `path` made absolute against the current directory.
std::string Absolute(const std::string& path);
// True when `file` lies directly in `directory` (both may be relative).
bool IsInDirectory(const std::string& file, const std::string& directory);
// `name` inside `directory`.
std::string Joined(const std::string& directory, const std::string& name);

// Files the gauge or vqreport leave beside the report that may hold the only
// copy of a flight: recovery files, kept copies, the copy kept by a restore,
// and the temporary files of a save (tolvanix.rec.new, .new1 to .new9, .old).
bool IsKeptFile(const std::string& name);

// Makes `directory` ready for a run: created if missing; refused (false with a
// message) when it holds files but no log of an earlier run, so that nobody's
// files are overwritten. Kept files (IsKeptFile) of an earlier run are never
// deleted: refused, naming them, unless `clean`; then moved into a new
// previous-N folder in it, whose name and theirs `moved` gets (folder first).
// The rest of an earlier run (report, pictures, map, nav-log, log) is removed.
bool PrepareOutputDirectory(const std::string& directory, bool clean, std::vector<std::string>& moved,
                            std::string& error);
// The name of the log that marks a directory as one of vqsim's.
constexpr const char* LogFileName = "vqsim.log";
// Where a run that crashed (--crash-at) leaves what --restart needs.
constexpr const char* CrashFileName = "vqsim-crash.txt";

// When a file was last written, as finely as the system keeps it, and on
// POSIX which file it is (the inode): a file written or replaced some
// milliseconds later has another stamp. All 0 for no file.
struct WriteStamp {
    std::uint64_t Time = 0, Identity = 0;
    bool operator==(const WriteStamp& other) const { return Time == other.Time && Identity == other.Identity; }
};
WriteStamp WriteStampOf(const std::string& path);

// Writes `bytes` to `path` whole; false with a message when it cannot.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error);
// Reads the regular file `path` whole; a pipe or a device is not read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);
// Reads a file the user named, whatever it is (a pipe too), as given.
bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error);
// Creates `path` new (nothing may be under the name, no link is followed)
// with `bytes`, marked read-only when asked.
bool WriteNewFile(const std::string& path, const std::string& bytes, bool readOnly, std::string& error);

// Changes the current directory and changes back when it goes out of scope.
class CurrentDirectory {
public:
    CurrentDirectory() = default;
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;
    bool Enter(const std::string& directory, std::string& error);

private:
    std::string Previous;
};

}  // namespace vqsim
