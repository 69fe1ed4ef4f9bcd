// The report file: one field per line, read into and written from the report
// globals. Reading and writing follow Windows text mode on every build. When
// the gauge loads and saves its report, and what it keeps, is the
// persistence layer's (persistence/report_store.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/fixed_text.h"
#include "platform/text_file.h"
#include "report/file_names.h"
#include "report/report_format.h"

namespace platform {
class TextFileReader;
class TextFileWriter;
}  // namespace platform

// The first line of every report file; a file whose first line does not
// contain it is refused.
extern const char* const ReportHeaderText;

// Texts are kept up to this many characters; the rest of a longer line is
// skipped (never read as the next field).
constexpr std::size_t ReportTextLimit = 255;
// Number and count lines are looked at up to this many characters.
constexpr std::size_t ReportNumberLimit = 512;

// True when a file whose first line this is, is a report file: the line
// holds ReportHeaderText.
bool IsReportFirstLine(const char* line, std::size_t length);

// Reads lines 2 to the end of a report file, each field from its line of the
// layout (report/report_format.h). Returns true when the file was taken
// whole: every line the count implies was there, none was cut, no checkpoint
// beyond the capacity was dropped, every number line held just a number, and
// nothing but blank lines followed the last coordinate. `lines`, if given,
// learns which line each field was taken from.
bool ReadReport(platform::TextFileReader& in, ReportLines* lines = nullptr);

// Writes lines 1 to the end.
void WriteReport(platform::TextFileWriter& out);

// A report file read by ReadReportFile.
struct ReportFileRead {
    bool Opened = false;    // the file could be opened for reading
    bool Empty = false;     // it has no first line
    bool Accepted = false;  // its first line holds ReportHeaderText
    bool Whole = false;     // the rest was read and taken whole
    ReportText FirstLine;   // the first line, cut at ReportTextLimit
    ReportLines Lines;      // where the fields were taken from
};

// Reads the report file `path` into the report globals (ChkPointList cleared
// first) when its first line is accepted, or with `evenIfRefused` when it has
// one; otherwise leaves them alone. The gauge's own load, with what it keeps
// of a file, is persistence's LoadReport.
ReportFileRead ReadReportFile(const char* path, bool evenIfRefused = false);

// Writes the report to `path` the crash-safe way: into `path`.new, created
// new, flushed to disk, then put in place of `path` by
// platform::ReplaceKeepingOld (with `path`.old as its backup name). A plain
// file left under either name by an interrupted save is first kept aside as
// tolvanix-kept-N.rec beside `path`, and a directory or link there makes the
// save take `path`.new1, .new2, ... up to 9. The file it replaced is removed
// when `expectedOld` is null or it holds just those bytes (what its caller
// last read or wrote there); otherwise it is kept aside as tolvanix-kept-N.rec,
// without being read when `expectedOld` is not Known.
// False when the report could not be written; the old file is then as it was.
// `written`, if given, gets the fingerprint of the bytes written.
bool WriteReportFile(const char* path, platform::FileFingerprint* written = nullptr,
                     const platform::FileFingerprint* expectedOld = nullptr);

// The first of `path` with `ending`, then with `ending` and a digit from 1 to
// 9, under which there is nothing at all (no file, directory or link); empty
// when none is free or the name would be too long.
PathText UnusedNameBeside(const char* path, const char* ending);

// Writes the report to `path` the crash-safe way, for a tool: to a temporary
// file created new under the first unused name of `path`.new, .new1, ...
// (nothing that is there is touched, no link followed), flushed to disk, then
// put in place of `path` when `replace`, or only under a free `path`. Unlike
// the gauge's save it keeps nothing aside. False when it could not be written:
// `path` is then as it was and the temporary file gone; LastSystemError()
// tells why.
bool WriteReportFileForTool(const char* path, bool replace);

// The count line: leading white space, optional sign, digits up to the first
// other character; no digits gives 0; values beyond 32 bits are clamped.
// `clean` tells whether nothing but white space followed the digits.
std::int32_t ParseReportCount(const char* line, std::size_t length, bool* clean = nullptr);
template <typename Text>
std::int32_t ParseReportCount(const Text& line, bool* clean = nullptr) {
    return ParseReportCount(line.data(), line.size(), clean);
}

// A number line: leading white space, then the longest decimal number prefix
// with '.'; no number, or one beyond the range of a double, gives 0.0.
double ParseReportNumber(const char* line, std::size_t length, bool* clean = nullptr);
template <typename Text>
double ParseReportNumber(const Text& line, bool* clean = nullptr) {
    return ParseReportNumber(line.data(), line.size(), clean);
}

// "<prefix>N<suffix>" with the first N from 1 up that names no file; empty if none is free.
PathText FirstFreeName(const char* prefix, const char* suffix);

// Moves the plain file `name` to the first free "<prefix>N.rec" in the folder
// of `path` (prefix KeptPrefix or SetAsidePrefix, report/file_names.h); false
// when it could not be moved, which leaves it where it was.
bool MoveToNumberedName(const char* path, const char* name, const char* prefix);
