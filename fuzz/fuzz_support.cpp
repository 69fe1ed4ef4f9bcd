#include "fuzz/fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "display/elements.h"
#include "display/lines.h"
#include "gauge/gauge.h"
#include "platform/decimal.h"
#include "report/report.h"

namespace vqfuzz {

namespace {

constexpr std::size_t GuardBytes = 16;
constexpr char GuardValue = '\xA5';
char LineBuffers[3][32 + GuardBytes];
double Variables[6];  // clock hour, minute, second; fuel 304, 305, 303
void* ServiceTable[48];

std::uint32_t VQ_STDCALL RefreshVariable(std::uint32_t record) {
    HostVariable* variable = reinterpret_cast<HostVariable*>(static_cast<std::uintptr_t>(record));
    switch (variable->Token) {
    case 3: case 4: case 5: variable->Value = Variables[variable->Token - 3]; break;
    case 304: variable->Value = Variables[3]; break;
    case 305: variable->Value = Variables[4]; break;
    case 303: variable->Value = Variables[5]; break;
    default: variable->Value = 0.0;
    }
    return 0;
}

std::uint32_t VQ_STDCALL OtherService(std::uint32_t) { return 0; }

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

void InstallHost() {
    for (void*& entry : ServiceTable) entry = reinterpret_cast<void*>(&OtherService);
    ServiceTable[40] = reinterpret_cast<void*>(&RefreshVariable);
    ImportTable.Services = ServiceTable;
    TextElement* lines[3] = {&Line1Element, &Line2Element, &Line3Element};
    for (int i = 0; i < 3; ++i) {
        std::memset(LineBuffers[i], GuardValue, sizeof LineBuffers[i]);
        LineBuffers[i][0] = '\0';
        lines[i]->Buffer = LineBuffers[i];
    }
}

void SetClock(double hour, double minute, double second) {
    Variables[0] = hour;
    Variables[1] = minute;
    Variables[2] = second;
}

void SetFuel(double first, double second, double third) {
    Variables[3] = first;
    Variables[4] = second;
    Variables[5] = third;
}

void SetAircraftPosition(double latitudeDegrees, double longitudeDegrees) {
    if (longitudeDegrees < 0.0) longitudeDegrees += 360.0;
    Line3Element.Source[1].Value = latitudeDegrees * MinutesPerDegree * LatitudeUnitsPerMinute;
    Line3Element.Source[2].Value = longitudeDegrees * MinutesPerDegree * LongitudeUnitsPerMinute;
}

bool LinesWithinBuffers() {
    const TextElement* lines[3] = {&Line1Element, &Line2Element, &Line3Element};
    for (int i = 0; i < 3; ++i) {
        const std::size_t count = lines[i]->CharacterCount;
        if (strnlen(LineBuffers[i], count + 1) > count) return false;
        for (std::size_t g = count + 1; g < sizeof LineBuffers[i]; ++g) {
            if (LineBuffers[i][g] != GuardValue) return false;
        }
    }
    return true;
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
