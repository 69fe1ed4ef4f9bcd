// Arbitrary bytes as the report file: load, fly a little (display builds and
// the pilot's commands), save, load again. The module must not crash, hang or
// trip a sanitizer; it never holds more than 100 checkpoints, never writes
// past a line's buffer, keeps a copy of any file it could not take whole,
// and what it saves loads back as the same report and saves as the same bytes.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "display/lines.h"
#include "fuzz/fuzz_support.h"
#include "gauge/gauge.h"
#include "gauge/mouse.h"
#include "host/panel_host.h"
#include "interface/fpu.h"
#include "interface/state.h"
#include "persistence/report_store.h"
#include "persistence/reset.h"
#include "platform/decimal.h"
#include "report/file_names.h"
#include "report/report.h"
#include "report/report_file.h"
#include "report/text.h"

namespace {

using vqfuzz::Check;
using vqfuzz::Fixed;

const char* const File = ReportName;
const std::string FirstCopy = std::string(KeptPrefix) + "1" + NumberedNameEnding;

// A report file's lines as the reader takes them: split at LF with the CR
// of a CR LF removed, the first line reduced to the header text if it holds
// it, each line trimmed, a line that is just a number written as the writer
// writes numbers, blank lines at the end dropped. Two files the same after
// this hold the same report.
std::vector<std::string> Normalized(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (i == 0 && line.find(ReportHeaderText) != std::string::npos) line = ReportHeaderText;
        // Text fields are stored trimmed, so a text that is a number once
        // trimmed is written back as that number.
        line = TrimText(line);
        bool clean = false;
        const double number = ParseReportNumber(line, &clean);
        if (clean) line = Fixed(number == 0.0 ? 0.0 : number, 6);  // a count "-0" is written "0"
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

void CheckCount() { Check(ChkPointList.Count >= 0 && ChkPointList.Count <= 100, "Count within 0 to 100"); }

void Frame(host::PanelHost& host) {
    host.Frame();
    Check(host.GuardsIntact(), "lines within their buffers");
}

// A mixing of the input's bytes, so that the clock, the fuel and the
// aircraft's path vary with the input.
std::uint32_t Mix(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

// The pilot flies the route past each checkpoint and uses every command.
void Fly(host::PanelHost& host, std::uint32_t mix) {
    host.SetClock(mix % 26, (mix >> 5) % 62, (mix >> 11) % 61);  // hours 24, 25 and minute 60, 61 too
    const double fuel = (mix >> 3) % 4 == 0 ? 1e300 : static_cast<double>((mix >> 7) % 20000);
    host.SetFuel(fuel, 1234.5, (mix >> 13) % 2 ? -fuel : 0.0);

    Active = 1;
    GreetingTicks = GreetingBuilds;
    StoreFuelOnBoard(0, 0);
    const int count = ChkPointList.Count;
    for (int k = 0; k < count + 2; ++k) {
        const TChkPoint& point = ChkPointList.Item(CurrentChkPoint);
        host.SetAircraftPosition(point.Latitude, point.Longitude);  // at the checkpoint
        Frame(host);
        host.SetAircraftPosition(point.Latitude + 1.0, point.Longitude - 1.0);  // and away
        Frame(host);
        if ((mix >> (k % 29)) & 1) ToggleAltPage(0, 0);
        CheckCount();
    }
    NextChkPoint(0, 0);
    MarkChkPoint(0, 0);
    PrevChkPoint(0, 0);
    PrevChkPoint(0, 0);
    MarkChkPoint(0, 0);
    Frame(host);
    for (int index : {-1, count, 100, 2147483647}) {
        CurrentChkPoint = index;
        Frame(host);
    }
    CurrentChkPoint = count > 0 ? count - 1 : 0;
    ComputeFuelSummary(0, 0);  // saves when the times allow it
    SwitchOnOff(0, 0);         // off: saves
    SwitchOnOff(0, 0);         // on: loads what was saved
    CheckCount();
    Frame(host);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LoadControlWord(ModuleControlWord);  // as at every entry into the module
    vqfuzz::EnterScratchDirectory();
    vqfuzz::ClearScratchDirectory();
    ResetModuleState();
    // The gauge installed by a host, before its report file is there: the
    // load below is the one under test.
    host::PanelHost host(&Linkage, &ImportTable);
    host.Install();
    vqfuzz::WriteFile(File, data, size);
    const std::string input(reinterpret_cast<const char*>(data), size);

    LoadReport();
    CheckCount();
    const bool keepCopy = ReportFileNeedsCopy();
    // A file that holds anything the report in memory does not must be kept.
    if (size > 0) {
        Check(WriteReportFile("loaded.rec"), "the loaded report can be written");
        const bool same = Normalized(vqfuzz::ReadFile("loaded.rec")) == Normalized(input);
        Check(same || keepCopy, "a file not taken whole is marked to be kept");
        std::remove("loaded.rec");
    }

    Fly(host, Mix(data, size));

    // Whatever happened, a file the first load did not take whole is kept.
    SaveReport();
    if (keepCopy) Check(vqfuzz::ReadFile(FirstCopy.c_str()) == input, "the file not taken whole is kept as it was");
    Check(!vqfuzz::Exists((std::string(KeptPrefix) + "2" + NumberedNameEnding).c_str()), "the module's own files load whole");
    Check(!vqfuzz::Exists((std::string(ReportName) + TemporaryEnding).c_str()) &&
              !vqfuzz::Exists((std::string(ReportName) + BackupEnding).c_str()),
          "no temporary file left");

    // What is saved loads back as the same report and saves as the same bytes.
    const std::string stored = vqfuzz::DescribeStoredReport();
    const std::string saved = vqfuzz::ReadFile(File);
    ResetModuleState();
    LoadReport();
    CheckCount();
    Check(!ReportFileNeedsCopy(), "a saved report loads whole");
    Check(vqfuzz::DescribeStoredReport() == stored, "a saved report loads back as the same report");
    SaveReport();
    Check(vqfuzz::ReadFile(File) == saved, "a loaded report saves as the same bytes");
    return 0;
}
