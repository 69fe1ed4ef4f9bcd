// Helpers shared by the test programs: a scratch directory that becomes the
// current directory (where the gauge keeps its report file), a clean report
// and gauge state, and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "persistence/reset.h"
#include "platform/fixed_text.h"
#include "report/report_format.h"

// A failed check shows a text of the module as a string, not as its bytes.
template <std::size_t Capacity>
void PrintTo(const FixedText<Capacity>& text, std::ostream* out) {
    *out << ::testing::PrintToString(std::string(text.data(), text.size()));
}

namespace vqtest {

// Makes a fresh directory, changes into it, and back out and away at the end.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& Path() const { return Dir; }

private:
    std::string Dir;
    std::string Previous;
};

// A text of the module as a std::string, NULs included.
template <typename Text>
std::string Str(const Text& text) {
    return std::string(text.data(), text.size());
}

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
void RemoveForTest(const std::string& path);
// The names in the current directory, sorted.
std::vector<std::string> ListDirectory(const std::string& path = ".");

// The directory of the running test program (absolute).
std::string TestProgramDirectory();
// The gauge module file of this build (VQgauge.so or VQgauge.gau), by absolute path.
std::string GaugeModulePath();

// A file of the source tree (examples), by a path this build's programs can open.
std::string SourceFile(const std::string& relative);

// Joins lines with CR LF after each, as the report writer does.
std::string CrLfLines(const std::vector<std::string>& lines);

// The lines of a report file of `count` checkpoints in the layout of
// report/report_format.h, with coordinates for the checkpoints the gauge
// keeps: the first line and the count as they belong, every other field made
// by `text` from its row and its checkpoint (from 0; -1 outside them).
using FieldText = std::function<std::string(const ReportField& field, int checkpoint)>;
std::vector<std::string> ReportLines(int count, const FieldText& text);

// A complete report file with `count` checkpoints whose fields tell where they
// stand ("H1".."H27", "L1", "L2", "C<k>F<f>"), StartFuel 1234.5 and the
// coordinates 10+k, 20+k.
std::vector<std::string> NumberedReportLines(int count);

// A part of a test that runs in a process of its own, in the current
// directory, and may end itself part-way as a crash does: registered by name
// (at static initialisation), run by RunChild, which returns the child's exit
// status (-1 when it could not run or did not exit). The test programs' main
// runs the act a command line asks for (RunChildIfAsked).
using ChildAct = void (*)(int argument);
bool RegisterChildAct(const char* name, ChildAct act);
int RunChild(const char* name, int argument);
void RunChildIfAsked(int argc, char** argv);
// Ends this process at once, as a crash does: no destructor, no flush, no
// handler runs.
[[noreturn]] void EndProcessNow(int status);

// Test fixture: a scratch directory and a freshly reset module.
class ModuleTest : public ::testing::Test {
protected:
    ModuleTest() { ResetModuleState(); }
    ~ModuleTest() override { ResetModuleState(); }
    ScratchDirectory Scratch;
};

}  // namespace vqtest
