#include "tests/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <fstream>
#include <random>
#include <sstream>

#include "host/program_directory.h"
#include "report/report_file.h"
#include "report/report_format.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace vqtest {

ScratchDirectory::ScratchDirectory() {
    Previous = fs::current_path().string();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("vqtest-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            Dir = candidate.string();
            break;
        }
    }
    if (Dir.empty()) throw std::runtime_error("cannot make a scratch directory");
    fs::current_path(Dir);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code error;
    fs::current_path(Previous, error);
    // Give back write permission that a test may have taken away.
    fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(Dir, error);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

void RemoveForTest(const std::string& path) {
    std::error_code error;
    fs::remove_all(path, error);
}

std::vector<std::string> ListDirectory(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
// Worked out when the program starts, before any test changes directory.
const std::string ProgramDirectory = host::ProgramDirectory();
}  // namespace

std::string TestProgramDirectory() { return ProgramDirectory; }

std::string GaugeModulePath() {
#ifdef _WIN32
    const char* name = "VQgauge.gau";
#else
    const char* name = "VQgauge.so";
#endif
    return (fs::path(TestProgramDirectory()).parent_path() / name).string();
}

std::string SourceFile(const std::string& relative) {
#ifdef _WIN32
    // Wine shows the build machine's root as drive Z:.
    return std::string("Z:") + VQ_SOURCE_DIR + "/" + relative;
#else
    return std::string(VQ_SOURCE_DIR) + "/" + relative;
#endif
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> ReportLines(int count, const FieldText& text) {
    std::vector<std::string> lines;
    for (std::int64_t n = 1; n <= LastReportLine(count); ++n) {
        const LineField at = FieldAtLine(n, count);
        const ReportPart part = at.Field->Part;
        lines.push_back(part == ReportPart::FirstLine ? std::string(ReportHeaderText)
                        : part == ReportPart::Count   ? std::to_string(count)
                                                      : text(*at.Field, at.Checkpoint));
    }
    return lines;
}

std::vector<std::string> NumberedReportLines(int count) {
    return ReportLines(count, [](const ReportField& field, int k) {
        const std::string f = std::to_string(field.Index + 1);
        switch (field.Part) {
        case ReportPart::Header: return "H" + f;
        case ReportPart::List: return "L" + f;
        case ReportPart::Checkpoint: return "C" + std::to_string(k) + "F" + f;
        case ReportPart::Position: return std::to_string((field.Index ? 20 : 10) + k) + ".000000";
        default: return std::string("1234.500000");  // the start fuel
        }
    });
}

namespace {

std::map<std::string, ChildAct>& ChildActs() {
    static std::map<std::string, ChildAct> acts;
    return acts;
}
const char* const ChildOption = "--vq-child=";

}  // namespace

bool RegisterChildAct(const char* name, ChildAct act) {
    ChildActs()[name] = act;
    return true;
}

void EndProcessNow(int status) {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
#endif
    _exit(status);
}

void RunChildIfAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], ChildOption, std::strlen(ChildOption)) != 0) continue;
        const std::string asked = argv[i] + std::strlen(ChildOption);  // NAME:ARGUMENT
        const auto act = ChildActs().find(asked.substr(0, asked.find(':')));
        if (act == ChildActs().end()) EndProcessNow(125);
        act->second(std::atoi(asked.c_str() + asked.find(':') + 1));
        EndProcessNow(0);
    }
}

int RunChild(const char* name, int argument) {
#ifdef _WIN32
    char program[MAX_PATH];
    if (GetModuleFileNameA(nullptr, program, MAX_PATH) == 0) return -1;
    std::string line = "\"" + std::string(program) + "\" " + ChildOption + name + ":" + std::to_string(argument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool got = GetExitCodeProcess(process.hProcess, &status) != 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return got ? static_cast<int>(status) : -1;
#else
    const auto act = ChildActs().find(name);
    if (act == ChildActs().end()) return -1;
    const pid_t child = fork();
    if (child == 0) {
        act->second(argument);
        EndProcessNow(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
#endif
}

}  // namespace vqtest
