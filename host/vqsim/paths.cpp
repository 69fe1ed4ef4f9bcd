#include "host/vqsim/paths.h"

#include "host/program_directory.h"
#include "platform/text_file.h"
#include "report/file_names.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace vqsim {

namespace {

bool StartsWith(const std::string& name, const char* prefix) { return name.rfind(prefix, 0) == 0; }
bool EndsWith(const std::string& name, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return name.size() >= n && name.compare(name.size() - n, n, suffix) == 0;
}

// Files of an earlier run that a new run replaces: the gauge's report and the
// simulator's own.
bool IsRunFile(const std::string& name) {
    return name == ReportName || (StartsWith(name, "face-") && EndsWith(name, ".png")) || name == "route.svg" ||
           name == "navlog.txt" || name == LogFileName || name == CrashFileName;
}

}  // namespace

bool IsKeptFile(const std::string& name) {
    // The report's and the recovery file's temporary and backup names.
    for (const std::string file : {ReportName, RecoveryName}) {
        const std::string temporary = file + TemporaryEnding;
        if (name == temporary || name == file + BackupEnding) return true;
        if (name.size() == temporary.size() + 1 && StartsWith(name, temporary.c_str()) && name.back() >= '1' &&
            name.back() <= '9') {
            return true;
        }
    }
    return EndsWith(name, NumberedNameEnding) &&
           (name == RecoveryName || StartsWith(name, SetAsideRecoveryPrefix) || StartsWith(name, KeptPrefix) ||
            StartsWith(name, BeforeRecoverPrefix));
}

std::string DefaultModulePath() {
#ifdef _WIN32
    return Joined(host::ProgramDirectory(), "VQgauge.gau");
#else
    return Joined(host::ProgramDirectory(), "VQgauge.so");
#endif
}

std::string BesideModule(const std::string& modulePath, const std::string& fileName) {
    return (fs::path(modulePath).parent_path() / fileName).string();
}

std::string PictureBesideModule(const std::string& modulePath) {
    return (fs::path(modulePath).replace_extension(".bmp")).string();
}

std::vector<std::string> DefaultFontPaths() {
    std::vector<std::string> paths;
#ifdef _WIN32
    // Under Wine the build machine's root is drive Z:.
    paths.push_back("Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationMono-Regular.ttf");
    char windows[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows, MAX_PATH) > 0) paths.push_back(std::string(windows) + "\\Fonts\\cour.ttf");
#else
    paths.push_back("/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf");
    paths.push_back("/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf");
#endif
    return paths;
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    return error ? path : absolute.lexically_normal().string();
}

bool IsInDirectory(const std::string& file, const std::string& directory) {
    std::error_code error;
    const fs::path parent = fs::weakly_canonical(fs::absolute(file, error), error).parent_path();
    if (error) return false;
    const fs::path place = fs::weakly_canonical(fs::absolute(directory, error), error);
    if (error) return false;
    return parent == place;
}

std::string Joined(const std::string& directory, const std::string& name) {
    return (fs::path(directory) / name).make_preferred().string();
}

bool PrepareOutputDirectory(const std::string& directory, bool clean, std::vector<std::string>& moved,
                            std::string& error) {
    std::error_code code;
    if (!fs::exists(directory, code)) {
        if (!fs::create_directories(directory, code)) {
            error = "cannot make the output directory " + directory + ": " + code.message();
            return false;
        }
        return true;
    }
    if (!fs::is_directory(directory, code)) {
        error = "the output directory " + directory + " is a file";
        return false;
    }
    bool empty = true;
    for (const auto& entry : fs::directory_iterator(directory, code)) {
        (void)entry;
        empty = false;
        break;
    }
    if (!empty && !fs::exists(fs::path(directory) / LogFileName, code)) {
        error = "the output directory " + directory + " holds files but is not one of vqsim's (no " + LogFileName +
                "); give another --out, or empty it";
        return false;
    }
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(directory, code)) {
        const std::string name = entry.path().filename().string();
        if (IsKeptFile(name)) kept.push_back(entry.path());
    }
    std::sort(kept.begin(), kept.end());
    for (const fs::path& path : kept) moved.push_back(path.filename().string());
    if (!kept.empty() && !clean) {
        error = "the output directory " + directory + " holds files of an earlier run that vqsim does not delete:";
        for (const std::string& name : moved) error += " " + name;
        error += "; give --clean to move them into " + Joined(directory, "previous-N") + ", or move them yourself";
        return false;
    }
    if (!kept.empty()) {
        fs::path aside;
        for (int n = 1; fs::exists(aside = fs::path(directory) / ("previous-" + std::to_string(n)), code); ++n) {
        }
        fs::create_directory(aside, code);
        for (const fs::path& path : kept) {
            if (!code) fs::rename(path, aside / path.filename(), code);
            if (code) {
                error = "cannot move " + path.string() + " into " + aside.string() + ": " + code.message();
                return false;
            }
        }
        moved.insert(moved.begin(), aside.filename().string());
    }
    for (const auto& entry : fs::directory_iterator(directory, code)) {
        const std::string name = entry.path().filename().string();
        const fs::file_type type = entry.symlink_status(code).type();
        if (!IsRunFile(name) || (type != fs::file_type::regular && type != fs::file_type::symlink)) continue;
        // A read-only report of the last run goes too (Windows deletes no
        // read-only file); a link goes itself, and what it leads to is not touched.
        if (type == fs::file_type::regular) {
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow,
                            code);
        }
        fs::remove(entry.path(), code);
    }
    return true;
}

WriteStamp WriteStampOf(const std::string& path) {
    WriteStamp stamp;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        stamp.Time = (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    }
#else
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        stamp.Time = std::uint64_t(status.st_mtim.tv_sec) * 1000000000u + std::uint64_t(status.st_mtim.tv_nsec);
        stamp.Identity = status.st_ino;
    }
#endif
    return stamp;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out << bytes;
    out.close();
    if (!out) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    // A regular file only: a pipe or a device under a name of the run's
    // must not make the simulator wait.
    platform::File file;
    bytes.clear();
    if (!file.OpenForReading(path.c_str())) {
        const bool there = platform::FileExists(path.c_str());
        error = "cannot read " + path + ": " + (there ? "not a regular file, or not readable" : "no such file");
        return false;
    }
    char buffer[16384];
    for (std::int32_t n; (n = file.Read(buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            error = "cannot read " + path + ": " + std::strerror(errno);
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream read;
    read << in.rdbuf();
    bytes = read.str();
    return true;
}

bool WriteNewFile(const std::string& path, const std::string& bytes, bool readOnly, std::string& error) {
    platform::File file;
    const bool written = file.CreateNew(path.c_str()) && file.Write(bytes.data(), bytes.size()) && file.Close();
    if (!written) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    std::error_code code;
    if (readOnly) {
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove | fs::perm_options::nofollow, code);
    }
    return true;
}

CurrentDirectory::~CurrentDirectory() {
    if (Previous.empty()) return;
    std::error_code error;
    fs::current_path(Previous, error);
}

bool CurrentDirectory::Enter(const std::string& directory, std::string& error) {
    std::error_code code;
    const std::string previous = fs::current_path(code).string();
    if (!code) fs::current_path(directory, code);
    if (code) {
        error = "cannot work in " + directory + ": " + code.message();
        return false;
    }
    if (Previous.empty()) Previous = previous;
    return true;
}

}  // namespace vqsim
