#include "tools/vqreport/check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "interface/units.h"
#include "navlog/shown.h"
#include "platform/decimal.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/report_file.h"
#include "report/text.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/fields.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

// Lines longer than this are not looked at further; they are far beyond what
// the gauge keeps anyway.
constexpr std::size_t InspectLimit = 65536;

// The first line, which holds ReportHeaderText.
constexpr std::int64_t HeaderLine = 1;

const char* const CopyKept =
    "Before its next save the gauge keeps a copy of the file as tolvanix-kept-N.rec.";

std::string Number6(double value) { return NumberText(value); }

std::string Separator(char c) { return std::string("'") + c + "'"; }

bool IsBlankLine(const std::string& line) {
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\r') return false;
    }
    return true;
}

class Checker {
public:
    Checker(const CheckOptions& options, CheckResult& result) : Options(options), Result(result) {}

    void Run(const std::string& path);

private:
    const CheckOptions& Options;
    CheckResult& Result;
    ReportLines Where;       // the line the gauge takes each field from
    std::int32_t Count = 0;  // the count line as the gauge reads it
    std::string CountText;   // the count as the file writes it (beyond the 32 bits the gauge reads)

    void Add(Severity level, std::int64_t line, std::string field, std::string problem, std::string effect) {
        (level == Severity::Error ? Result.Errors : Result.Warnings)++;
        Result.Findings.push_back({level, line, std::move(field), std::move(problem), std::move(effect)});
    }

    std::string PointName(std::int64_t k) const;
    std::string PointField(std::int64_t k, int field) const {
        return PointName(k) + " " + FieldLabel(CheckpointRow(field));
    }

    void WalkLines(const std::string& path);
    void CheckHeaderLine(const std::string& line);
    void CheckTextLine(std::int64_t n, const std::string& field, const std::string& line);
    void CheckCountLine(const std::string& line);
    void CheckNumberLine(std::int64_t n, const std::string& field, const std::string& line, bool coordinate);
    void CheckLongLine(std::int64_t n, const std::string& field, std::size_t length, bool over, bool number);

    void CheckHeaderFields();
    // A time the gauge reads (an error when it is not one) or only shows and
    // replaces in flight (a warning).
    void CheckTimeField(std::int64_t line, const std::string& field, const std::string& value, bool required,
                        Severity level, const char* effect);
    void CheckPoint(std::int64_t k);
    void CheckLegDistance(std::int64_t k);
    void CheckPosition(std::int64_t k);
    void CheckDisplay(std::int64_t k);
    void CheckShownText(std::int64_t k, int field, int width, const char* widthEffect);
};

std::string Checker::PointName(std::int64_t k) const {
    std::string label = "checkpoint " + std::to_string(k + 1);
    if (k < ChkPointList.Count && Where.Checkpoint(k, PfName)) {
        const std::string& name = ChkPointList.Item(static_cast<std::int32_t>(k)).Name;
        if (!name.empty()) label += " (" + Quoted(name, 20) + ")";
    }
    return label;
}

void Checker::Run(const std::string& path) {
    LoadResult load = LoadReportFile(path, true);
    Result.Opened = load.Opened;
    Result.OpenError = load.OpenError;
    if (!load.Opened) return;
    Result.Refused = !load.Accepted;
    if (load.Empty) {
        Add(Severity::Error, 0, "the file", "is empty",
            "The gauge refuses it and keeps the report it had; its next save writes that report here.");
        return;
    }
    if (!load.Accepted) {
        Add(Severity::Error, HeaderLine, "header line",
            Quoted(load.FirstLine) + " does not contain \"" + ReportHeaderText + "\"",
            std::string("The gauge refuses the whole file and keeps the report it had. ") + CopyKept +
                " (The other findings are as the gauge would read the file with a right first line.)");
    }
    Result.Checkpoints = ChkPointList.Count;
    Where = load.Lines;
    Count = Where.Count;
    CountText = std::to_string(Count);
    WalkLines(path);
    CheckHeaderFields();
    if (const std::int64_t line = Where.StartFuel(); line && ChkPointList.StartFuel < 0.0) {
        Add(Severity::Warning, line, "start fuel", Number6(ChkPointList.StartFuel) + " is negative",
            "Until the pilot stores the fuel on board, the fuel summary takes the fuel used as this minus the fuel "
            "on board: the fuel used, total fuel and fuel per hour come out wrong.");
    }
    for (std::int64_t k = 0; k < ChkPointList.Count; ++k) CheckPoint(k);
    std::stable_sort(Result.Findings.begin(), Result.Findings.end(),
                     [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
}

// Goes through the file line by line, as the reader does, to find what is
// wrong with the lines themselves: their length, blanks, numbers that are not
// numbers, lines missing and lines left over.
void Checker::WalkLines(const std::string& path) {
    platform::File file;
    if (!file.OpenForReading(path.c_str())) return;
    platform::TextFileReader in(file);
    std::vector<char> buffer(InspectLimit + 1);
    std::size_t length = 0;
    std::string line;
    const std::int64_t expected = LastReportLine(Count);
    std::int64_t n = 0;
    std::int64_t lastContent = 0;  // the last line that is not blank
    bool trailing = false;         // content after the report was reported
    std::vector<bool> numeric{false};  // numeric[n]: line n holds just a number
    for (;;) {
        const bool cutBefore = in.WasCut();
        if (!in.ReadLine(buffer.data(), InspectLimit, length)) break;
        line.assign(buffer.data(), length);
        ++n;
        const bool over = in.WasCut() && !cutBefore;  // longer than InspectLimit
        const LineField at = FieldAtLine(n, Count);
        if (!at.Field) {
            // The coordinates of checkpoints beyond the capacity: dropped with
            // them, and reported at the count.
            if (n <= LastReportLine(Count, Count)) {
                numeric.push_back(true);
                lastContent = n;
                continue;
            }
            bool clean = false;
            ParseReportNumber(line, &clean);
            numeric.push_back(clean);
            if (!IsBlankLine(line)) {
                lastContent = n;
                if (!trailing) {
                    Add(Severity::Warning, n, "after the report",
                        "the report ends at line " + std::to_string(expected) + ", but the file goes on with " +
                            Quoted(line),
                        std::string("The gauge does not read this line or any after it, and its next save drops "
                                    "them. ") +
                            CopyKept);
                }
                trailing = true;
            }
            continue;
        }
        if (!IsBlankLine(line)) lastContent = n;
        bool clean = false;
        ParseReportNumber(line, &clean);
        numeric.push_back(clean);
        const ReportField& field = *at.Field;
        if (field.Part == ReportPart::FirstLine) {
            CheckHeaderLine(line);
            continue;
        }
        if (at.Checkpoint >= ChkPointList.Capacity) continue;  // dropped by the gauge, reported at the count
        const std::string name =
            at.Checkpoint < 0 ? FieldLabel(field) : PointName(at.Checkpoint) + " " + FieldLabel(field);
        CheckLongLine(n, name, line.size(), over, field.Kind != FieldKind::Text);
        if (field.Kind == FieldKind::Text) {
            CheckTextLine(n, name, line);
        } else if (field.Kind == FieldKind::Count) {
            CheckCountLine(line);
        } else {
            CheckNumberLine(n, name, line, field.Part == ReportPart::Position);
        }
    }

    // A checkpoint added or removed by hand without changing the count: the
    // file has the lines of another number of checkpoints, its start fuel and
    // coordinates where they would stand for that number.
    const std::int64_t none = LastReportLine(0), perCheckpoint = LastReportLine(1) - none;
    const std::int64_t fits = (lastContent - none) / perCheckpoint;
    if (Where.Taken(CountLine) && lastContent > none && LastReportLine(fits, fits) == lastContent) {
        bool numbers = true;
        for (std::int64_t k = StartFuelLine(fits); k <= lastContent && numbers; ++k) {
            numbers = static_cast<std::size_t>(k) < numeric.size() && numeric[static_cast<std::size_t>(k)];
        }
        if (fits != Count && numbers) {
            Add(Severity::Error, CountLine, FieldNameAtLine(CountLine, Count),
                "the count says " + CountText + ", but the file has the lines of " +
                    CountOf(fits, "checkpoint", "checkpoints"),
                "The gauge reads " + CountOf(std::max<std::int32_t>(Count, 0), "checkpoint", "checkpoints") +
                    ", so the fields after them land in the wrong places. If checkpoints were added or removed, set "
                    "the count to " +
                    std::to_string(fits) + ".");
        }
    }

    if (Where.Last < expected) {
        const bool countRead = Where.Taken(CountLine) != 0;
        std::string needs = countRead ? "its count of " + CountOf(Count, "checkpoint", "checkpoints") + " needs " +
                                            std::to_string(expected) + " lines"
                                      : "a report has at least " + std::to_string(expected) + " lines";
        std::string effect = "The gauge loads the missing fields empty";
        if (countRead && Count > 0) {
            effect += " and " + CountOf(ChkPointList.Count, "checkpoint", "checkpoints") +
                      ", without position where the coordinates are missing";
        }
        effect += std::string(". ") + CopyKept;
        Add(Severity::Error, Where.Last + 1, FieldNameAtLine(Where.Last + 1, Count),
            "the file ends after line " + std::to_string(Where.Last) + ", but " + needs, effect);
    }
}

void Checker::CheckHeaderLine(const std::string& line) {
    if (line.find('\r') != std::string::npos) {
        Add(Severity::Error, HeaderLine, "header line", "the lines of the file end in a carriage return alone",
            "The gauge reads the whole file as one line; save it with Windows line ends (CR LF).");
        return;
    }
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        Add(Severity::Warning, HeaderLine, "header line", "the file starts with a UTF-8 byte order mark",
            "The gauge accepts it, but its next save drops the mark; texts with accents are shown byte by byte.");
        return;
    }
    if (line != ReportHeaderText && line.find(ReportHeaderText) != std::string::npos) {
        Add(Severity::Warning, HeaderLine, "header line", Quoted(line) + " holds more than \"" +
                                                             std::string(ReportHeaderText) + "\"",
            "The gauge accepts it, but its next save writes the first line as just \"" +
                std::string(ReportHeaderText) + "\".");
    }
}

void Checker::CheckLongLine(std::int64_t n, const std::string& field, std::size_t length, bool over, bool number) {
    const std::size_t limit = number ? ReportNumberLimit : ReportTextLimit;
    if (!over && length <= limit) return;
    const std::string size = over ? "more than " + std::to_string(InspectLimit) : std::to_string(length);
    Add(Severity::Error, n, field, "the line is " + size + " characters long",
        number ? "The gauge looks only at its first " + std::to_string(limit) + " characters. " + CopyKept
               : "The gauge keeps only its first " + std::to_string(limit) +
                     " characters; its next save loses the rest. " + CopyKept);
}

void Checker::CheckTextLine(std::int64_t n, const std::string& field, const std::string& line) {
    const std::string trimmed = TrimText(line);
    if (HasControlCharacter(trimmed)) {
        Add(Severity::Warning, n, field, Quoted(trimmed) + " holds a control character",
            "The gauge keeps it; the display cannot show it and it spoils the line it stands on, and in a "
            "terminal or an editor it may change what is shown.");
    }
    if (trimmed == line) return;
    if (trimmed.empty()) {
        Add(Severity::Warning, n, field, Quoted(line) + " holds only blanks",
            "The gauge reads an empty field, and its next save writes an empty line.");
        return;
    }
    Add(Severity::Warning, n, field, Quoted(line) + " has blanks (or control characters) at its start or end",
        "The gauge reads " + Quoted(trimmed) + ", and its next save writes it without them.");
}

void Checker::CheckCountLine(const std::string& line) {
    bool clean = true;
    ParseReportCount(line, &clean);
    const std::string field = FieldNameAtLine(CountLine, Count);
    if (!clean) {
        std::size_t i = line.find_first_not_of(" \t\r\n\v\f");
        if (i != std::string::npos && (line[i] == '+' || line[i] == '-')) ++i;
        if (i == std::string::npos || i >= line.size() || line[i] < '0' || line[i] > '9') {
            Add(Severity::Error, CountLine, field, Quoted(line) + " is not a whole number",
                "The gauge reads 0 checkpoints and takes the next line as the start fuel; every field after "
                "it is out of place. " +
                    std::string(CopyKept));
            return;
        }
        Add(Severity::Error, CountLine, field, Quoted(line) + " has more than a number",
            "The gauge reads the count " + std::to_string(Count) + " and ignores the rest; its next save writes "
            "the count alone. " + CopyKept);
    }
    // The sign and digits as written: the gauge holds the count in 32 bits.
    const std::size_t from = line.find_first_not_of(" \t\r\n\v\f");
    const std::size_t digits = line.find_first_not_of("0123456789", from + (line[from] == '+' || line[from] == '-'));
    CountText = line.substr(from, digits == std::string::npos ? std::string::npos : digits - from);
    if (CountText[0] == '+') CountText.erase(0, 1);
    if (Count < 0) {
        Add(Severity::Error, CountLine, field, "the count " + CountText + " is negative",
            "The gauge reads no checkpoints and takes the next line as the start fuel; every field after it "
            "is out of place.");
    } else if (Count > ChkPointList.Capacity) {
        Add(Severity::Error, CountLine, field,
            "the count " + CountText + " is more than the " + std::to_string(ChkPointList.Capacity) +
                " checkpoints the gauge holds",
            "The gauge keeps the first " + std::to_string(ChkPointList.Capacity) + " and drops checkpoints " +
                std::to_string(ChkPointList.Capacity + 1) + " to " + CountText +
                "; its next save loses them. " + CopyKept);
    } else if (Count == 0) {
        Add(Severity::Warning, CountLine, field, "the report has no checkpoints",
            "The gauge shows \"--/--\" and has nothing to follow.");
    } else if (Count >= 100) {
        Add(Severity::Warning, CountLine, field, "checkpoint 100 has a three-digit number",
            "The display's number column holds two digits; the gauge shortens the line for it.");
    }
}

void Checker::CheckNumberLine(std::int64_t n, const std::string& field, const std::string& line, bool coordinate) {
    bool clean = true;
    const double value = ParseReportNumber(line, &clean);
    if (clean) return;
    const std::string written = Number6(value);
    double ignored = 0.0;
    const std::size_t start = line.find_first_not_of(" \t\r\n\v\f");
    const bool hasNumber = start != std::string::npos &&
                           platform::ReadDecimalPrefix(line.data() + start, line.size() - start, '.', ignored) > 0;
    if (hasNumber && !std::isfinite(ignored)) {
        Add(Severity::Error, n, field, Quoted(line) + " is too large a number",
            "The gauge reads 0.000000. " + std::string(CopyKept));
        return;
    }
    if (!hasNumber) {
        Add(Severity::Error, n, field, Quoted(line) + " is not a number",
            "The gauge reads 0.000000" +
                std::string(coordinate ? " (a checkpoint whose latitude and longitude are both 0 has no position)"
                                       : "") +
                ". " + CopyKept);
        return;
    }
    // A number followed by other text: a decimal comma, a hemisphere letter, a
    // unit, "0x". The gauge takes the number and writes it alone at its next save.
    Add(Severity::Error, n, field,
        Quoted(line) + " has more than a number (numbers in the report file use '.' and no letters)",
        "The gauge reads " + written + " and ignores the rest" +
            std::string(coordinate ? "; south latitudes and west longitudes are negative numbers" : "") + ". " +
            CopyKept);
}

void Checker::CheckHeaderFields() {
    if (const std::int64_t line = Where.Header(HfDepartureTime)) {
        CheckTimeField(line, HeaderRow(HfDepartureTime).Holds, ReportHeader.DepartureTime, true, Severity::Error,
                       "The fuel summary cannot work out the flight time, so it writes no fuel per hour and does "
                       "not save the report.");
    }
    if (const std::int64_t line = Where.Header(HfArrivalTime)) {
        CheckTimeField(line, HeaderRow(HfArrivalTime).Holds, ReportHeader.ArrivalTime, false, Severity::Warning,
                       "The gauge replaces it when the last checkpoint is reached; until then the fuel summary "
                       "cannot work out the flight time.");
    }
    double departure = 0.0, arrival = 0.0;
    if (Where.Header(HfArrivalTime) && ReadTimeOfDay(ReportHeader.DepartureTime, departure) &&
        ReadTimeOfDay(ReportHeader.ArrivalTime, arrival) && arrival < departure) {
        Add(Severity::Warning, Where.Header(HfArrivalTime), HeaderRow(HfArrivalTime).Holds,
            Quoted(ReportHeader.ArrivalTime) + " is before the departure time " + Quoted(ReportHeader.DepartureTime),
            "The fuel summary takes it as a flight past midnight, of " + FormatHours(arrival + 24.0 - departure) +
                ", and works out the fuel per hour from that.");
    }
    for (int field : {HfExtraFuel1, HfExtraFuel2, HfExtraFuel3}) {
        const ReportText& extra = ReportHeader.*TReportHeader::Texts[field];
        const std::int64_t line = Where.Header(field);
        std::int32_t value = 0;
        if (!line || extra.empty()) continue;
        if (!ReadWholeNumber(extra, value)) {
            Add(Severity::Error, line, HeaderRow(field).Holds, Quoted(extra) + " " + WholeNumberProblem(extra),
                "The fuel summary counts it as 0 in the total fuel.");
        } else if (value < 0) {
            Add(Severity::Warning, line, HeaderRow(field).Holds, Quoted(extra) + " is negative (" +
                std::to_string(value) + ")", "The fuel summary takes it off the total fuel.");
        }
    }
    // Figures the fuel summary writes: negative when the fuel on board was not
    // stored at the start (the fuel used is the start fuel minus the fuel on board).
    for (int field : {HfFuelUsed, HfTotalFuel, HfFuelPerHour}) {
        const ReportText& figure = ReportHeader.*TReportHeader::Texts[field];
        double value = 0.0;
        if (!Where.Header(field) || !ReadLegDistance(figure, '.', value) || !(value < 0.0)) continue;
        Add(Severity::Warning, Where.Header(field), HeaderRow(field).Holds, Quoted(figure) + " is negative",
            "The fuel figures are wrong: the fuel on board was not stored at the start (the start fuel is " +
                Number6(ChkPointList.StartFuel) + "). The gauge writes them again at its next fuel summary.");
    }
}

void Checker::CheckTimeField(std::int64_t line, const std::string& field, const std::string& value, bool required,
                             Severity level, const char* effect) {
    double hours = 0.0;
    if (value.empty()) {
        if (required) Add(Severity::Warning, line, field, "is empty", effect);
        return;
    }
    if (ReadTimeOfDay(value, hours)) return;
    Add(level, line, field, Quoted(value) + " is not a time (hh:mm, 00:00 to 23:59)", effect);
}

void Checker::CheckPoint(std::int64_t k) {
    const TChkPoint& point = ChkPointList.Item(static_cast<std::int32_t>(k));
    struct TimeField {
        int Field;
        Severity Level;
        const char* Effect;
    };
    const TimeField times[] = {
        {PfPlannedLegTime, Severity::Error, "The display shows it as it is in the planned leg time column; leave the field empty "
                           "if the time is not known."},
        {PfActualLegTime, Severity::Warning, "The display shows it as it is until the gauge stamps the checkpoint."},
        {PfEstimatedArrival, Severity::Warning, "The display shows it as it is until the gauge estimates the arrival."},
        {PfActualArrival, Severity::Warning, "The gauge cannot time the leg to the next checkpoint, nor estimate the arrival "
                            "after it, until it stamps this checkpoint itself; it takes the arrivals as usual."},
    };
    for (const TimeField& time : times) {
        const std::string& value = point.*TChkPoint::Texts[time.Field];
        const std::int64_t line = Where.Checkpoint(k, time.Field);
        if (!line) continue;
        if (time.Field == PfActualArrival && k == 0 && ChkPointList.Count > 1) {
            // Nothing in the gauge stamps the first checkpoint, and the first
            // leg is timed from its arrival; the arrivals are taken without it.
            const std::string effect =
                std::string("The gauge never stamps the first checkpoint, so it cannot time the first leg") +
                (ChkPointList.Count > 2 ? " nor, at checkpoint 2, estimate the arrival at checkpoint 3" : "") +
                "; it takes the arrivals and the other times as usual. Write the departure time (hh:mm) here.";
            CheckTimeField(line, PointField(k, time.Field), value, true, Severity::Warning, effect.c_str());
            continue;
        }
        if (time.Field == PfActualArrival && value == "??") continue;  // a missing time, shown as --:--
        CheckTimeField(line, PointField(k, time.Field), value, false, time.Level, time.Effect);
    }
    if (Where.Checkpoint(k, PfLegDistance)) CheckLegDistance(k);
    if (Where.Longitude(k)) CheckPosition(k);
    CheckDisplay(k);
}

// The gauge divides by a checkpoint's leg distance when the aircraft arrives
// there (to estimate the next arrival), and multiplies by it when the
// aircraft arrives at the checkpoint before it. Neither happens for the first
// checkpoint, whose arrival is never timed.
void Checker::CheckLegDistance(std::int64_t k) {
    const std::string& value = ChkPointList.Item(static_cast<std::int32_t>(k)).LegDistance;
    const std::int64_t line = Where.Checkpoint(k, PfLegDistance);
    const std::string field = PointField(k, PfLegDistance);
    const std::int64_t number = k + 1;
    std::vector<std::int64_t> estimates;  // checkpoint numbers whose estimated arrival depends on it
    if (number >= 3) estimates.push_back(number);
    if (number >= 2 && number < ChkPointList.Count) estimates.push_back(number + 1);
    std::string which;
    for (std::size_t e = 0; e < estimates.size(); ++e) {
        which += (e ? " and " : "") + std::to_string(estimates[e]);
    }
    const std::string at = (estimates.size() > 1 ? "checkpoints " : "checkpoint ") + which;

    double distance = 0.0;
    const bool isNumber = ReadLegDistance(value, Options.DecimalSeparator, distance);
    if (k == 0) {
        if (!value.empty() && !isNumber) {
            Add(Severity::Warning, line, field,
                Quoted(value) + " is not a number (decimal separator " + Separator(Options.DecimalSeparator) + ")",
                "The first checkpoint's leg distance is only shown; the gauge does not compute with it.");
        }
        return;
    }
    if (estimates.empty()) {
        // Two checkpoints only: the second one's leg distance is never used.
        if (!value.empty() && !isNumber) {
            Add(Severity::Warning, line, field,
                Quoted(value) + " is not a number (decimal separator " + Separator(Options.DecimalSeparator) + ")",
                "With two checkpoints the gauge only shows it.");
        }
        return;
    }
    if (value.empty()) {
        Add(Severity::Error, line, field, "is empty",
            "The gauge cannot estimate the arrival at " + at + " (the estimated arrival stays as it is).");
        return;
    }
    if (!isNumber) {
        const char other = Options.DecimalSeparator == '.' ? ',' : '.';
        double ignored = 0.0;
        std::string hint;
        if (ReadLegDistance(value, other, ignored)) {
            hint = " It would be one on a PC whose decimal separator is " + Separator(other) +
                   " (vqreport check --decimal " + other + ").";
        }
        Add(Severity::Error, line, field,
            Quoted(value) + " is not a number (decimal separator " + Separator(Options.DecimalSeparator) + ")",
            "The gauge cannot estimate the arrival at " + at + " (the estimated arrival stays as it is)." + hint);
        return;
    }
    if (distance == 0.0) {
        Add(Severity::Error, line, field, "the leg has zero length",
            "The gauge's arrival estimates for " + at + " are missing or wrong.");
    } else if (distance < 0.0) {
        Add(Severity::Error, line, field, Quoted(value) + " is negative",
            "The gauge's arrival estimates for " + at + " are wrong.");
    }
}

void Checker::CheckPosition(std::int64_t k) {
    const TChkPoint& point = ChkPointList.Item(static_cast<std::int32_t>(k));
    const std::int64_t latLine = Where.Latitude(k);
    const std::int64_t lonLine = Where.Longitude(k);
    const char* const StepPast =
        "The gauge never detects the arrival at this checkpoint; press the mark button as the aircraft passes "
        "it, then the next-checkpoint button.";
    if (!navlog::HasPosition(point)) {
        Add(Severity::Warning, latLine, PointName(k) + " position",
            "latitude and longitude are both 0.000000: the checkpoint has no position",
            std::string(StepPast) + " Its identifier shows in brackets.");
        return;
    }
    bool inRange = true;
    if (point.Latitude < -90.0 || point.Latitude > 90.0) {
        Add(Severity::Error, latLine, PointName(k) + " latitude",
            Number6(point.Latitude) + " is outside -90 to 90", StepPast);
        inRange = false;
    }
    if (point.Longitude < -180.0 || point.Longitude > 180.0) {
        Add(Severity::Error, lonLine, PointName(k) + " longitude",
            Number6(point.Longitude) + " is outside -180 to 180", StepPast);
        inRange = false;
    }
    if (!inRange || k == 0) return;
    const TChkPoint& before = ChkPointList.Item(static_cast<std::int32_t>(k - 1));
    if (!navlog::HasPosition(before)) return;
    const double d = std::hypot(point.Latitude - before.Latitude, point.Longitude - before.Longitude);
    if (d < 2 * ArrivalDistanceDegrees) {
        Add(Severity::Warning, latLine, PointName(k) + " position",
            "it lies " + FormatDecimals(d, 4) + " degrees from " + PointName(k - 1) +
                ", so their arrival areas (" + FormatDecimals(ArrivalDistanceDegrees, 3) + " degrees around each) overlap",
            "The gauge may take the arrival here the moment the aircraft leaves the checkpoint before it, or "
            "miss it; the times of this leg will be wrong.");
    }
}

void Checker::CheckShownText(std::int64_t k, int field, int width, const char* widthEffect) {
    const std::int64_t line = Where.Checkpoint(k, field);
    if (!line) return;
    const std::string& value = ChkPointList.Item(static_cast<std::int32_t>(k)).*TChkPoint::Texts[field];
    if (static_cast<int>(value.size()) > width) {
        Add(Severity::Warning, line, PointField(k, field),
            Quoted(value) + " is " + std::to_string(value.size()) + " characters; the display column holds " +
                std::to_string(width),
            widthEffect);
    }
    if (LooksLikeUtf8(value)) {
        Add(Severity::Warning, line, PointField(k, field),
            Quoted(value) + " holds UTF-8 encoded characters",
            "The display shows each of their bytes as a character of its own (an accented letter shows as two "
            "odd ones); save the file in the Windows character set.");
    }
}

void Checker::CheckDisplay(std::int64_t k) {
    const TChkPoint& point = ChkPointList.Item(static_cast<std::int32_t>(k));
    const char* const Cut = "The display cuts it or spoils the line it stands on.";
    CheckShownText(k, PfName, PointFields[PfName].DisplayWidth,
                   "The alternate page shows only its first 13 characters.");
    if (Where.Checkpoint(k, PfName) && point.Name != "Approach" && point.Name.size() == 8) {
        std::string lower = point.Name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "approach") {
            Add(Severity::Warning, Where.Checkpoint(k, PfName), PointField(k, PfName),
                Quoted(point.Name) + " is not written exactly \"Approach\"",
                "The display shows it as an ordinary checkpoint, not as the approach entry.");
        }
    }
    CheckShownText(k, PfField02, PointFields[PfField02].DisplayWidth, Cut);
    if (point.Name != "Approach") {
        // Line 1 of the main page shows the identifier pair in use.
        const bool useIdent = !point.Ident.empty();
        const bool bracketed = !navlog::HasPosition(point);
        CheckShownText(k, useIdent ? PfIdent : PfAltIdent, bracketed ? BracketedIdentWidth : IdentWidth,
                       bracketed ? "The display cuts it (it shows in brackets, as the checkpoint has no position)."
                                 : Cut);
        CheckShownText(k, useIdent ? PfField04 : PfField06, 6, Cut);
    }
    CheckShownText(k, PfField07, PointFields[PfField07].DisplayWidth, Cut);
    CheckShownText(k, PfField08, PointFields[PfField08].DisplayWidth, Cut);
    CheckShownText(k, PfLegDistance, PointFields[PfLegDistance].DisplayWidth, Cut);
    CheckShownText(k, PfField11, PointFields[PfField11].DisplayWidth, Cut);
    for (int field : {PfPlannedLegTime, PfActualLegTime, PfEstimatedArrival, PfActualArrival}) {
        CheckShownText(k, field, PointFields[field].DisplayWidth, Cut);
    }
}

}  // namespace

CheckResult CheckReportFile(const std::string& path, const CheckOptions& options) {
    CheckResult result;
    Checker checker(options, result);
    checker.Run(path);
    return result;
}

void PrintFinding(const Finding& finding, const std::string& path, std::ostream& out) {
    out << path;
    if (finding.Line > 0) out << ':' << finding.Line;
    out << (finding.Level == Severity::Error ? ": error: " : ": warning: ") << finding.Field << ": "
        << finding.Problem << "\n    " << finding.Effect << "\n";
}

void PrintCheckResult(const CheckResult& result, const std::string& path, std::ostream& out, std::size_t limit) {
    std::size_t shown = 0;
    for (const Finding& finding : result.Findings) {
        if (shown++ == limit) {
            out << path << ": ... and " << CountOf(static_cast<std::int64_t>(result.Findings.size() - limit),
                                                   "more finding", "more findings")
                << "\n";
            break;
        }
        PrintFinding(finding, path, out);
    }
    const std::string what = result.Refused ? std::string("the gauge refuses this file")
                                            : CountOf(result.Checkpoints, "checkpoint", "checkpoints");
    if (result.Errors == 0 && result.Warnings == 0) {
        out << path << ": no problems found (" << what << ")\n";
    } else {
        out << path << ": " << CountOf(result.Errors, "error", "errors") << ", "
            << CountOf(result.Warnings, "warning", "warnings") << " (" << what << ")\n";
    }
}

}  // namespace vqreport
