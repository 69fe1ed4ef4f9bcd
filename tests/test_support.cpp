#include "tests/test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "host/program_directory.h"
#include "report/report_file.h"
#include "report/report_format.h"

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

}  // namespace vqtest
