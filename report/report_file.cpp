#include "report/report_file.h"

#include "platform/decimal.h"
#include "platform/text_file.h"
#include "report/field_walk.h"
#include "report/file_names.h"
#include "report/report.h"
#include "report/report_format.h"
#include "report/text.h"

const char* const ReportHeaderText = "Vardemolinquex 2.0";

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t SkipSpace(const char* line, std::size_t length) {
    std::size_t i = 0;
    while (i < length && IsSpace(line[i])) ++i;
    return i;
}

bool OnlySpaceFrom(const char* line, std::size_t length, std::size_t i) {
    while (i < length && IsSpace(line[i])) ++i;
    return i == length;
}

std::size_t TextLength(const char* text) {
    std::size_t n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

// True when `text` occurs in line[0, length).
bool Contains(const char* line, std::size_t length, const char* text) {
    const std::size_t n = TextLength(text);
    for (std::size_t start = 0; start + n <= length; ++start) {
        if (__builtin_memcmp(line + start, text, n) == 0) return true;
    }
    return false;
}

// The text of the report globals that a text field goes to; a checkpoint's
// texts are those of `point` when given.
ReportText& TextOf(const LineField& at, TChkPoint* point = nullptr) {
    switch (at.Field->Part) {
    case ReportPart::Header: return ReportHeader.*TReportHeader::Texts[at.Field->Index];
    case ReportPart::List: return at.Field->Index == 0 ? ChkPointList.Field1 : ChkPointList.Field2;
    default: return (point ? *point : ChkPointList.Item(at.Checkpoint)).*TChkPoint::Texts[at.Field->Index];
    }
}

// The number of the report globals that a number field goes to.
double& NumberOf(const LineField& at) {
    if (at.Field->Part == ReportPart::StartFuel) return ChkPointList.StartFuel;
    TChkPoint& point = ChkPointList.Item(at.Checkpoint);
    return at.Field->Index == 0 ? point.Latitude : point.Longitude;
}

constexpr std::int32_t Int32Max = 2147483647;
constexpr std::int32_t Int32Min = -Int32Max - 1;

}  // namespace

bool IsReportFirstLine(const char* line, std::size_t length) { return Contains(line, length, ReportHeaderText); }

std::int32_t ParseReportCount(const char* line, std::size_t length, bool* clean) {
    std::size_t i = SkipSpace(line, length);
    bool negative = false;
    if (i < length && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    std::int64_t value = 0;
    std::size_t digits = 0;
    while (i < length && line[i] >= '0' && line[i] <= '9') {
        if (value <= Int32Max) value = value * 10 + (line[i] - '0');
        ++i;
        ++digits;
    }
    if (clean) *clean = digits > 0 && OnlySpaceFrom(line, length, i);
    if (digits == 0) return 0;
    if (negative) value = -value;
    if (value > Int32Max) return Int32Max;
    if (value < Int32Min) return Int32Min;
    return static_cast<std::int32_t>(value);
}

double ParseReportNumber(const char* line, std::size_t length, bool* clean) {
    std::size_t start = SkipSpace(line, length);
    double value = 0.0;
    std::size_t taken = platform::ReadDecimalPrefix(line + start, length - start, '.', value);
    bool ok = taken > 0 && __builtin_isfinite(value);
    if (clean) *clean = ok && OnlySpaceFrom(line, length, start + taken);
    return ok ? value : 0.0;
}

namespace {

// Puts the fields into the report globals, each in place: a checkpoint's
// texts into its slot, which counts once its last text is in (with no
// position until its coordinates come); those beyond the capacity go to the
// list's spare slot, which keeps nothing.
struct IntoGlobals {
    void Text(const LineField& at, const char* text, std::size_t length) {
        TextOf(at).Assign(text, length);
        if (at.Field->Part == ReportPart::Checkpoint && at.Field->Index == TChkPoint::TextCount - 1 &&
            at.Checkpoint < ChkPointCapacity) {
            TChkPoint& slot = ChkPointList.Item(at.Checkpoint);
            slot.Latitude = slot.Longitude = 0.0;
            ChkPointList.Count = at.Checkpoint + 1;
        }
    }
    void Count(std::int32_t) {}
    void Number(const LineField& at, double value) { NumberOf(at) = value; }
};

}  // namespace

bool ReadReport(platform::TextFileReader& in, ReportLines* lines) {
    IntoGlobals sink;
    return WalkReportFields(in, sink, lines);
}

void WriteReport(platform::TextFileWriter& out) {
    // A non-finite number would be written as "inf" or "nan", which no reader
    // takes back; such a value is written as 0.
    char text[platform::FixedTextMaxChars + 1];
    const std::int32_t count = ChkPointList.Count;
    for (std::int64_t n = 1; n <= LastReportLine(count); ++n) {
        const LineField at = FieldAtLine(n, count);
        switch (at.Field->Kind) {
        case FieldKind::Text:
            if (at.Field->Part == ReportPart::FirstLine) {
                out.WriteLine(ReportHeaderText);
            } else {
                out.WriteLine(TextOf(at));
            }
            break;
        case FieldKind::Count: out.WriteLine(text, platform::FormatWhole(count, text)); break;
        case FieldKind::Number: out.WriteLine(text, platform::FormatFixed(NumberOf(at), 6, text)); break;
        }
    }
}

ReportFileRead ReadReportFile(const char* path, bool evenIfRefused) {
    ReportFileRead read;
    platform::File file;
    if (!file.OpenForReading(path)) return read;
    read.Opened = true;
    platform::TextFileReader in(file);
    char first[ReportTextLimit + 1];
    std::size_t length = 0;
    read.Empty = !in.ReadLine(first, ReportTextLimit, length);
    read.FirstLine.Assign(first, length);
    read.Accepted = IsReportFirstLine(first, length);
    if (read.Accepted || (evenIfRefused && !read.Empty)) {
        ChkPointList.Clear();
        read.Whole = ReadReport(in, &read.Lines);
    }
    return read;
}

PathText FirstFreeName(const char* prefix, const char* suffix) {
    for (std::int32_t n = 1; n < 10000; ++n) {
        char number[12];
        const std::size_t numberLength = platform::FormatWhole(n, number);
        // A name cut at the capacity would not be the name asked for.
        if (TextLength(prefix) + numberLength + TextLength(suffix) > PathText::MaxChars) break;
        PathText name = prefix;
        name.Append(number, numberLength);
        name.Append(suffix);
        // A link counts as taken, even one that leads nowhere.
        if (platform::KindOfName(name.c_str()) == platform::NameKind::Free) return name;
    }
    return PathText();
}

namespace {

bool EndsFolder(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}

}  // namespace

bool MoveToNumberedName(const char* path, const char* name, const char* prefix) {
    std::size_t folder = TextLength(path);
    while (folder > 0 && !EndsFolder(path[folder - 1])) --folder;
    if (folder + TextLength(prefix) > PathText::MaxChars) return false;
    PathText start;
    start.Assign(path, folder);
    start.Append(prefix);
    const PathText numbered = FirstFreeName(start.c_str(), NumberedNameEnding);
    return !numbered.empty() && platform::RenameFile(name, numbered.c_str());
}

namespace {

// `path` with `ending` after it, in `name`; false when that is too long.
bool NameBeside(const char* path, const char* ending, PathText& name) {
    if (TextLength(path) + TextLength(ending) > PathText::MaxChars) return false;
    name = path;
    name.Append(ending);
    return true;
}

// Frees a name for a file of a save: `path` with `ending`, or with `ending`
// and a digit from 1 to 9 when something is under the names before. A
// directory or a link there is passed over. A plain file there, left by an
// interrupted save, may be the only complete copy of a report: when
// `keepAside` (the gauge's save) it is kept aside first and its name used,
// never written over; otherwise (a tool's write) it is passed over too.
bool FreeNameBeside(const char* path, const char* ending, bool keepAside, PathText& name) {
    for (char digit = '0'; digit <= '9'; ++digit) {
        if (!NameBeside(path, ending, name) || (digit > '0' && name.size() == PathText::MaxChars)) return false;
        if (digit > '0') name.Append(&digit, 1);
        const platform::NameKind kind = platform::KindOfName(name.c_str());
        if (kind == platform::NameKind::Free) return true;
        if (kind == platform::NameKind::PlainFile && keepAside) return MoveToNumberedName(path, name.c_str(), KeptPrefix);
    }
    return false;
}

// The file a replace took the place of, now under `oldAt`: removed when no
// bytes were expected there or it holds the expected ones, else kept aside
// (unread when nothing known was expected).
void DisposeOfOld(const char* path, const PathText& oldAt, const platform::FileFingerprint* expected) {
    if (!expected || (expected->Known && platform::FingerprintOf(oldAt.c_str()).Same(*expected))) {
        platform::RemoveFile(oldAt.c_str());
    } else {
        // Not what its writer last saw there: placed or changed since, or a
        // file the caller keeps anyway. If it cannot be moved it stays, and
        // the next save keeps it aside.
        MoveToNumberedName(path, oldAt.c_str(), KeptPrefix);
    }
}

// Writes the report into `temp`, created new, flushes it, and puts it in
// place of `path` (or, when `backup` is null, under the free name `path`).
bool WriteThrough(const PathText& temp, const char* path, const char* backup, platform::FileFingerprint* written,
                  const platform::FileFingerprint* expectedOld) {
    platform::File file;
    if (!file.CreateNew(temp.c_str())) return false;
    platform::TextFileWriter out(file);
    WriteReport(out);
    bool ok = out.Finish();
    if (!file.FlushToDisk()) ok = false;
    if (!file.Close()) ok = false;
    platform::Replaced replaced;
    if (ok && backup) {
        replaced = platform::ReplaceKeepingOld(temp.c_str(), path, backup);
        ok = replaced.Done;
    } else if (ok) {
        ok = platform::RenameFile(temp.c_str(), path);
    }
    if (!ok) {
        const std::uint32_t reason = platform::LastSystemError();
        platform::RemoveFile(temp.c_str());
        platform::SetLastSystemError(reason);
        return false;
    }
    if (!replaced.OldAt.empty()) DisposeOfOld(path, replaced.OldAt, expectedOld);
    if (written) *written = out.Written();
    return true;
}

}  // namespace

bool WriteReportFile(const char* path, platform::FileFingerprint* written,
                     const platform::FileFingerprint* expectedOld) {
    // The temporary file and the backup of a replace without an atomic move
    // get free names beside `path`. A path too long for them is refused: a cut
    // name could be the report itself or another file.
    PathText temp, backup;
    if (!FreeNameBeside(path, TemporaryEnding, true, temp) || !FreeNameBeside(path, BackupEnding, true, backup)) {
        return false;
    }
    return WriteThrough(temp, path, backup.c_str(), written, expectedOld);
}

PathText UnusedNameBeside(const char* path, const char* ending) {
    PathText name;
    return FreeNameBeside(path, ending, false, name) ? name : PathText();
}

bool WriteReportFileForTool(const char* path, bool replace) {
    const PathText temp = UnusedNameBeside(path, TemporaryEnding);
    const PathText backup = UnusedNameBeside(path, BackupEnding);
    if (temp.empty() || (replace && backup.empty())) return false;
    return WriteThrough(temp, path, replace ? backup.c_str() : nullptr, nullptr, nullptr);
}
