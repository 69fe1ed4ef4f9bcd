#include "report/report_file.h"

#include "platform/decimal.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/text.h"

const char* const ReportHeaderText = "Vardemolinquex 2.0";

#ifdef _WIN32
const char* const ReportFileName = ".\\tolvanix.rec";
#else
const char* const ReportFileName = "tolvanix.rec";
#endif

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

// Reads the fields of one report file in order and notes what was not taken whole.
struct FieldReader {
    platform::TextFileReader& In;
    char Line[ReportNumberLimit + 1];
    std::size_t Length = 0;
    bool Missing = false;  // a line the file should have had was not there

    bool Next(std::size_t limit) {
        if (In.ReadLine(Line, limit, Length)) return true;
        Missing = true;
        return false;
    }
    void Text(ReportText& field) {
        Next(ReportTextLimit);
        AssignTrimmed(field, Line, Length);
    }
    double Number(bool& clean) {
        if (!Next(ReportNumberLimit)) return 0.0;
        bool lineClean = true;
        double value = ParseReportNumber(Line, Length, &lineClean);
        if (!lineClean) clean = false;
        return value;
    }
};

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

bool ReadReport(platform::TextFileReader& in) {
    FieldReader read{in, {}};
    bool numbersClean = true;
    bool dropped = false;

    for (auto text : TReportHeader::Texts) read.Text(ReportHeader.*text);
    read.Text(ChkPointList.Field1);
    read.Text(ChkPointList.Field2);

    bool countClean = true;
    std::int32_t count = 0;
    if (read.Next(ReportNumberLimit)) count = ParseReportCount(read.Line, read.Length, &countClean);
    // A negative count is read as no checkpoints, which is not what the file says.
    if (!countClean || count < 0) numbersClean = false;

    // The texts of every checkpoint the count names are read, so that the
    // lines after them stay in place; only the first Capacity are kept. The
    // load ends at the end of the file, whatever the count says.
    static TChkPoint scratch;  // 4 KB: kept off the stack
    for (std::int32_t k = 0; k < count; ++k) {
        if (!read.Next(ReportTextLimit)) break;  // the file ends before this checkpoint
        AssignTrimmed(scratch.Name, read.Line, read.Length);
        for (int f = 1; f < TChkPoint::TextCount; ++f) read.Text(scratch.*TChkPoint::Texts[f]);
        if (ChkPointList.Count < ChkPointList.Capacity) {
            ChkPointList.Add(scratch);
        } else {
            dropped = true;
        }
        if (read.Missing) break;
    }

    ChkPointList.StartFuel = read.Number(numbersClean);
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        point.Latitude = read.Number(numbersClean);
        point.Longitude = read.Number(numbersClean);
    }

    bool trailing = !read.Missing && in.HasMoreContent();
    return !read.Missing && !dropped && numbersClean && !trailing && !in.WasCut();
}

void WriteReport(platform::TextFileWriter& out) {
    // A non-finite number would be written as "inf" or "nan", which no reader
    // takes back; such a value is written as 0.
    char text[platform::FixedTextMaxChars + 1];
    auto number = [&out, &text](double value) {
        out.WriteLine(text, platform::FormatFixed(value, 6, text));
    };
    out.WriteLine(ReportHeaderText);
    for (auto text : TReportHeader::Texts) out.WriteLine(ReportHeader.*text);
    out.WriteLine(ChkPointList.Field1);
    out.WriteLine(ChkPointList.Field2);
    out.WriteLine(text, platform::FormatWhole(ChkPointList.Count, text));
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        for (auto text : TChkPoint::Texts) out.WriteLine(point.*text);
    }
    number(ChkPointList.StartFuel);
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        number(point.Latitude);
        number(point.Longitude);
    }
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
        if (!platform::FileExists(name.c_str())) return name;
    }
    return PathText();
}

namespace {

// `path` with `ending` after it, in `name`; false when that is too long.
bool NameBeside(const char* path, const char* ending, PathText& name) {
    if (TextLength(path) + TextLength(ending) > PathText::MaxChars) return false;
    name = path;
    name.Append(ending);
    return true;
}

}  // namespace

bool WriteReportFile(const char* path) {
    // A path too long for the names beside it is refused: a cut name could be
    // the report itself or another file.
    PathText temp, backup;
    if (!NameBeside(path, ".new", temp) || !NameBeside(path, ".old", backup)) return false;
    platform::File file;
    if (!file.CreateForWriting(temp.c_str())) return false;
    platform::TextFileWriter out(file);
    WriteReport(out);
    bool ok = out.Finish();
    if (!file.FlushToDisk()) ok = false;
    if (!file.Close()) ok = false;
    if (ok) ok = platform::ReplaceFileSafely(temp.c_str(), path, backup.c_str());
    if (!ok) platform::RemoveFile(temp.c_str());
    return ok;
}
