#include "tests/test_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "host/program_directory.h"

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

std::vector<std::string> NumberedReportLines(int count) {
    std::vector<std::string> lines{"Vardemolinquex 2.0"};
    for (int h = 1; h <= 27; ++h) lines.push_back("H" + std::to_string(h));
    lines.push_back("L1");
    lines.push_back("L2");
    lines.push_back(std::to_string(count));
    for (int k = 0; k < count; ++k) {
        for (int f = 1; f <= 15; ++f) lines.push_back("C" + std::to_string(k) + "F" + std::to_string(f));
    }
    lines.push_back("1234.500000");
    for (int k = 0; k < count; ++k) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%d.000000", 10 + k);
        lines.push_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%d.000000", 20 + k);
        lines.push_back(buffer);
    }
    return lines;
}

}  // namespace vqtest
