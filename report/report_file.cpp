#include "report/report_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "gauge/state.h"
#include "platform/decimal.h"
#include "platform/text_file.h"
#include "report/recovery.h"
#include "report/report.h"
#include "report/text.h"

const char* const ReportHeaderText = "Vardemolinquex 2.0";

#ifdef _WIN32
const char* const ReportFileName = ".\\tolvanix.rec";
#else
const char* const ReportFileName = "tolvanix.rec";
#endif

namespace {

// Set when the report file on disk holds something the last load did not take
// in whole (refused, cut, too many checkpoints, unreadable): the next save
// keeps a copy of it before replacing it.
bool KeepCopyBeforeSave = false;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t SkipSpace(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    return i;
}

bool OnlySpaceFrom(const std::string& line, std::size_t i) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    return i == line.size();
}

// Reads the fields of one report file in order and notes what was not taken whole.
struct FieldReader {
    platform::TextFileReader& In;
    std::string Line;
    bool Missing = false;  // a line the file should have had was not there

    bool Next(std::size_t limit) {
        if (In.ReadLine(Line, limit)) return true;
        Missing = true;
        return false;
    }
    void Text(std::string& field) {
        Next(ReportTextLimit);
        AssignTrimmed(field, Line);
    }
    double Number(bool& clean) {
        if (!Next(ReportNumberLimit)) return 0.0;
        bool lineClean = true;
        double value = ParseReportNumber(Line, &lineClean);
        if (!lineClean) clean = false;
        return value;
    }
};

}  // namespace

std::int32_t ParseReportCount(const std::string& line, bool* clean) {
    std::size_t i = SkipSpace(line);
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    std::int64_t value = 0;
    std::size_t digits = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        if (value <= std::numeric_limits<std::int32_t>::max()) value = value * 10 + (line[i] - '0');
        ++i;
        ++digits;
    }
    if (clean) *clean = digits > 0 && OnlySpaceFrom(line, i);
    if (digits == 0) return 0;
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

double ParseReportNumber(const std::string& line, bool* clean) {
    std::size_t start = SkipSpace(line);
    double value = 0.0;
    std::size_t taken = platform::ReadDecimalPrefix(line.data() + start, line.size() - start, '.', value);
    bool ok = taken > 0 && std::isfinite(value);
    if (clean) *clean = ok && OnlySpaceFrom(line, start + taken);
    return ok ? value : 0.0;
}

bool ReadReport(platform::TextFileReader& in) {
    FieldReader read{in, std::string()};
    bool numbersClean = true;
    bool dropped = false;

    for (auto text : TReportHeader::Texts) read.Text(ReportHeader.*text);
    read.Text(ChkPointList.Field1);
    read.Text(ChkPointList.Field2);

    bool countClean = true;
    std::int32_t count = 0;
    if (read.Next(ReportNumberLimit)) count = ParseReportCount(read.Line, &countClean);
    // A negative count is read as no checkpoints, which is not what the file says.
    if (!countClean || count < 0) numbersClean = false;

    // The texts of every checkpoint the count names are read, so that the
    // lines after them stay in place; only the first Capacity are kept. The
    // load ends at the end of the file, whatever the count says.
    TChkPoint scratch;
    for (std::int32_t k = 0; k < count; ++k) {
        if (!read.Next(ReportTextLimit)) break;  // the file ends before this checkpoint
        AssignTrimmed(scratch.Name, read.Line);
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
    auto number = [&out](double value) {
        out.WriteLine(platform::FormatFixed(std::isfinite(value) ? value : 0.0, 6));
    };
    out.WriteLine(ReportHeaderText);
    for (auto text : TReportHeader::Texts) out.WriteLine(ReportHeader.*text);
    out.WriteLine(ChkPointList.Field1);
    out.WriteLine(ChkPointList.Field2);
    out.WriteLine(std::to_string(ChkPointList.Count));
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

void LoadReport() {
    std::FILE* file = platform::OpenForReading(ReportFileName);
    if (!file) {
        // There, but not readable now (locked, no permission): protect it.
        if (platform::FileExists(ReportFileName)) KeepCopyBeforeSave = true;
        return;
    }
    platform::TextFileReader in(file);
    std::string first;
    bool any = in.ReadLine(first, ReportTextLimit);
    if (first.find(ReportHeaderText) == std::string::npos) {
        std::fclose(file);
        if (any) KeepCopyBeforeSave = true;
        return;
    }
    ChkPointList.Clear();
    CurrentChkPoint = 0;
    bool whole = ReadReport(in);
    std::fclose(file);
    KeepCopyBeforeSave = !whole;
}

void ResetReportFileGuard() { KeepCopyBeforeSave = false; }

bool ReportFileNeedsCopy() { return KeepCopyBeforeSave; }

std::string FirstFreeName(const char* prefix, const char* suffix) {
    for (int n = 1; n < 10000; ++n) {
        std::string name = prefix + std::to_string(n) + suffix;
        if (!platform::FileExists(name.c_str())) return name;
    }
    return std::string();
}

bool WriteReportFile(const char* path) {
    const std::string temp = std::string(path) + ".new";
    const std::string backup = std::string(path) + ".old";
    std::FILE* file = platform::OpenForWriting(temp.c_str());
    if (!file) return false;
    platform::TextFileWriter out(file);
    WriteReport(out);
    bool ok = !out.Failed();
    if (!platform::FlushToDisk(file)) ok = false;
    if (std::fclose(file) != 0) ok = false;
    if (ok) ok = platform::ReplaceFileSafely(temp.c_str(), path, backup.c_str());
    if (!ok) platform::RemoveFile(temp.c_str());
    return ok;
}

void SaveReport() {
    if (KeepCopyBeforeSave && platform::FileExists(ReportFileName)) {
        // Never replace a file we could not take whole without keeping it.
        std::string copy = FirstFreeName("tolvanix-kept-", ".rec");
        if (copy.empty() || !platform::CopyNewFile(ReportFileName, copy.c_str())) return;
    }
    KeepCopyBeforeSave = false;
    if (WriteReportFile(ReportFileName)) RecoveryNoLongerNeeded();
}
