#include "fuzz/fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/decimal.h"
#include "report/report.h"

namespace vqfuzz {

namespace {

void Text(std::string& out, const std::string& text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
    out += '|';
}

void Number(std::string& out, double value) {
    out += Fixed(value, 6);
    out += '|';
}

}  // namespace

std::string Fixed(double value, int decimals) {
    char text[platform::FixedTextMaxChars + 1];
    return std::string(text, platform::FormatFixed(value, decimals, text));
}

void EnterScratchDirectory() {
    static bool entered = false;
    if (entered) return;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vqfuzz-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "cannot make a scratch directory");
    Check(chdir(pattern.c_str()) == 0, "cannot enter the scratch directory");
    entered = true;
}

void ClearScratchDirectory() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
    Check(std::filesystem::is_empty(".", error), "the scratch directory can be emptied");
}

std::string ReadFile(const char* path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
        std::fclose(file);
    }
    return bytes;
}

void WriteFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    Check(file != nullptr, "cannot write the input file");
    if (size > 0) Check(std::fwrite(data, 1, size, file) == size, "cannot write the input file");
    std::fclose(file);
}

bool Exists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

std::string DescribeStoredReport() {
    std::string out;
    for (auto text : TReportHeader::Texts) Text(out, ReportHeader.*text);
    Text(out, ChkPointList.Field1);
    Text(out, ChkPointList.Field2);
    Number(out, ChkPointList.StartFuel);
    out += std::to_string(ChkPointList.Count) + "|";
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        for (auto text : TChkPoint::Texts) Text(out, point.*text);
        Number(out, point.Latitude);
        Number(out, point.Longitude);
    }
    return out;
}

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace vqfuzz
