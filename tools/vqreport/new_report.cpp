#include "tools/vqreport/new_report.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/numbers.h"
#include "navlog/shown.h"
#include "persistence/reset.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/report_file.h"
#include "report/text.h"
#include "tools/vqreport/check.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/coordinates.h"
#include "tools/vqreport/csv.h"
#include "tools/vqreport/fields.h"
#include "tools/vqreport/flight_plan.h"
#include "tools/vqreport/great_circle.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/printable.h"
#include "tools/vqreport/route_times.h"
#include "tools/vqreport/streams.h"
#include "tools/vqreport/status.h"

namespace vqreport {

namespace {

// The largest fuel figure the fuel summary holds (32 bits).
constexpr double FuelLimit = 2147483647.0;

// A route table larger than this is not a route.
constexpr std::size_t RouteSizeLimit = 4 * 1024 * 1024;

// Lowercase, without '-', '_' and blanks.
std::string Normalized(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c == '-' || c == '_' || c == ' ') continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The position N at the end of `name` after `prefix` ("field3" -> 3), or 0.
int NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() > prefix.size() + 2) return 0;
    unsigned n = 0;
    const char* const end = name.data() + name.size();
    const std::from_chars_result read = std::from_chars(name.data() + prefix.size(), end, n);
    return read.ec == std::errc() && read.ptr == end ? static_cast<int>(n) : 0;
}

// Route table columns: the index in TChkPoint::Texts, or one of these.
constexpr int LatitudeColumn = 100;
constexpr int LongitudeColumn = 101;

int FindColumn(const std::string& heading) {
    const std::string name = Normalized(heading);
    for (int f = 0; f < TChkPoint::TextCount; ++f) {
        if (name == Normalized(CheckpointRow(f).Name) || name == Normalized(FieldLabel(CheckpointRow(f)))) return f;
    }
    const int n = NumberAfter(name, "field");
    if (n >= 1 && n <= 15) return n - 1;
    struct Alias {
        const char* Name;
        int Column;
    };
    static const Alias aliases[] = {
        {"id", PfIdent},          {"identifier", PfIdent},  {"alternateident", PfAltIdent},
        {"distance", PfLegDistance}, {"dist", PfLegDistance}, {"plannedtime", PfPlannedLegTime}, {"planned", PfPlannedLegTime},
        {"eta", PfEstimatedArrival}, {"ata", PfActualArrival}, {"latitude", LatitudeColumn},
        {"lat", LatitudeColumn},  {"longitude", LongitudeColumn}, {"lon", LongitudeColumn},
        {"long", LongitudeColumn}, {"lng", LongitudeColumn},
    };
    for (const Alias& alias : aliases) {
        if (name == alias.Name) return alias.Column;
    }
    return -1;
}

struct RouteError {
    std::int64_t Line;
    std::string Message;
};

class RouteBuilder {
public:
    explicit RouteBuilder(const NewOptions& options) : Options(options) {}

    // Fills the report globals from the table; false (with Errors) when the table is wrong.
    bool Build(const CsvTable& table);
    bool ApplySettings();
    // The gauge never stamps the first checkpoint and times each leg from the
    // arrival at the one before, so the first actual arrival must hold the
    // departure time for the first leg to be timed.
    bool StartTheClock();
    // Problems that a later step found with checkpoints of `table`, each on its row.
    void FailAt(const CsvTable& table, const std::vector<CheckpointProblem>& problems) {
        for (const CheckpointProblem& p : problems) {
            Fail(table.Rows[static_cast<std::size_t>(p.Checkpoint) + 1].Line, p.Message);
        }
    }
    const std::vector<RouteError>& ErrorList() const { return Errors; }

private:
    const NewOptions& Options;
    std::vector<RouteError> Errors;
    // The table has a column for the field: the field is never filled in,
    // even where its cell is empty (an empty cell is what was meant).
    bool Given[TChkPoint::TextCount] = {};

    void Fail(std::int64_t line, std::string message) { Errors.push_back({line, std::move(message)}); }
    bool CheckText(std::int64_t line, const std::string& what, const std::string& value);
};

bool RouteBuilder::CheckText(std::int64_t line, const std::string& what, const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos) {
        Fail(line, what + " holds a line break; a report field is one line");
        return false;
    }
    if (HasControlCharacter(value)) {
        Fail(line, what + " " + Quoted(value) + " holds a control character, which the display cannot show");
        return false;
    }
    if (value.size() > ReportTextLimit) {
        Fail(line, what + " is " + std::to_string(value.size()) + " characters; the gauge keeps only " +
                       std::to_string(ReportTextLimit));
        return false;
    }
    return true;
}

bool RouteBuilder::Build(const CsvTable& table) {
    if (table.Rows.empty()) {
        Fail(0, "the route table " + Options.RoutePath +
                    " is empty; its first row names the columns (name, identifier, latitude, longitude, leg "
                    "distance, planned leg time, ...)");
        return false;
    }
    const CsvRow& heading = table.Rows.front();
    std::vector<int> columns;
    bool seen[102] = {};
    for (std::size_t c = 0; c < heading.Cells.size(); ++c) {
        const std::string name = TrimText(heading.Cells[c]);
        const int column = FindColumn(name);
        if (column < 0) {
            std::string names = "latitude, longitude";
            for (int f = 0; f < TChkPoint::TextCount; ++f) names += std::string(", ") + CheckpointRow(f).Holds;
            Fail(heading.Line, "column " + std::to_string(c + 1) + " " + Quoted(name) +
                                   " is not a checkpoint field (" + names + ")");
        } else if (seen[column]) {
            Fail(heading.Line, "column " + std::to_string(c + 1) + " " + Quoted(name) + " names a field twice");
        } else {
            seen[column] = true;
        }
        columns.push_back(column);
    }
    if (!seen[PfName]) Fail(heading.Line, "the route table has no name column");
    if (seen[LatitudeColumn] != seen[LongitudeColumn]) {
        Fail(heading.Line, "the route table has a latitude or a longitude column without the other");
    }
    if (!Errors.empty()) return false;
    std::copy(seen, seen + TChkPoint::TextCount, Given);

    const std::size_t rows = table.Rows.size() - 1;
    if (rows == 0) Fail(heading.Line, "the route table has no checkpoints below its first row");
    if (rows > static_cast<std::size_t>(ChkPointList.Capacity)) {
        Fail(table.Rows[ChkPointList.Capacity + 1].Line,
             "the route has " + std::to_string(rows) + " checkpoints; the gauge holds " +
                 std::to_string(ChkPointList.Capacity));
    }
    if (!Errors.empty()) return false;

    ResetModuleState();
    for (std::size_t r = 1; r < table.Rows.size(); ++r) {
        const CsvRow& row = table.Rows[r];
        const std::int32_t k = static_cast<std::int32_t>(r - 1);
        if (row.Cells.size() != columns.size()) {
            Fail(row.Line, "the row has " + std::to_string(row.Cells.size()) + " cells, the first row names " +
                               std::to_string(columns.size()) + " columns");
        }
        TChkPoint point;
        std::string latitude, longitude;
        for (std::size_t c = 0; c < row.Cells.size() && c < columns.size(); ++c) {
            const std::string value = TrimText(row.Cells[c]);
            if (columns[c] == LatitudeColumn) {
                latitude = value;
            } else if (columns[c] == LongitudeColumn) {
                longitude = value;
            } else if (CheckText(row.Line, FieldLabel(CheckpointRow(columns[c])), value)) {
                point.*TChkPoint::Texts[columns[c]] = value;
            }
        }
        const std::string label = "checkpoint " + std::to_string(k + 1) + " ";
        for (int f : {PfPlannedLegTime, PfActualLegTime, PfEstimatedArrival, PfActualArrival}) {
            const std::string& value = point.*TChkPoint::Texts[f];
            double hours = 0.0;
            if (value.empty() || (f == PfActualArrival && value == "??") || ReadTimeOfDay(value, hours)) continue;
            Fail(row.Line, label + FieldLabel(CheckpointRow(f)) + " " + Quoted(value) + " is not a time (hh:mm)");
        }
        double distance = 0.0;
        if (!point.LegDistance.empty() &&
            !ReadLegDistance(point.LegDistance, Options.DecimalSeparator, distance)) {
            Fail(row.Line, label + "leg distance " + Quoted(point.LegDistance) +
                               " is not a number with decimal separator '" + Options.DecimalSeparator +
                               "' (the separator of the gauge's PC; see --decimal)");
        } else if (!point.LegDistance.empty() && k > 0 && !(distance > 0.0)) {
            Fail(row.Line, label + "leg distance " + Quoted(point.LegDistance) +
                               " is not above 0; the gauge's arrival estimates divide by it");
        }
        ChkPointList.Add(point);
        TChkPoint& stored = ChkPointList.Item(k);
        if (row.Cells.size() < columns.size()) {
            // The row's errors stand above; a missing cell is no coordinate left empty.
        } else if (latitude.empty() != longitude.empty()) {
            Fail(row.Line, label + "has a latitude or a longitude without the other");
        } else if (!latitude.empty()) {
            // A decimal comma, where the cells are not separated by commas.
            const bool decimalComma = table.Delimiter != ',';
            if (!ReadCoordinate(latitude, Axis::Latitude, decimalComma, stored.Latitude) ||
                !(std::fabs(stored.Latitude) <= 90.0)) {
                Fail(row.Line, label + "latitude " + Quoted(latitude) +
                                   " is not a latitude (-90 to 90 degrees); write " + CoordinateForms(Axis::Latitude));
            }
            if (!ReadCoordinate(longitude, Axis::Longitude, decimalComma, stored.Longitude) ||
                !(std::fabs(stored.Longitude) <= 180.0)) {
                Fail(row.Line, label + "longitude " + Quoted(longitude) +
                                   " is not a longitude (-180 to 180 degrees); write " +
                                   CoordinateForms(Axis::Longitude));
            }
        }
    }
    if (!Errors.empty()) return false;

    // Leg distances of a table without their column: great circle from the checkpoint before.
    for (std::int32_t k = 1; k < ChkPointList.Count && !Given[PfLegDistance]; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        const TChkPoint& before = ChkPointList.Item(k - 1);
        if (!navlog::HasPosition(point) || !navlog::HasPosition(before)) {
            Fail(table.Rows[static_cast<std::size_t>(k) + 1].Line,
                 "checkpoint " + std::to_string(k + 1) +
                     " has no leg distance, and it or the checkpoint before it has no position to work it out "
                     "from; give the leg distances in a column");
            continue;
        }
        const double nm = GreatCircleNm(before.Latitude, before.Longitude, point.Latitude, point.Longitude);
        // Whole nautical miles, at least 1: no decimal separator to get wrong,
        // and no zero-length leg for the estimates to divide by.
        point.LegDistance = std::to_string(std::max<long long>(1, std::llround(nm)));
    }
    return Errors.empty();
}

bool RouteBuilder::ApplySettings() {
    for (const auto& [name, given] : Options.Settings) {
        ReportSetting setting;
        if (!FindReportSetting(name, setting)) {
            Fail(0, "--" + name + " is not a report field");
            continue;
        }
        const std::string value = TrimText(given);
        const std::string what = "--" + name;
        if (!CheckText(0, what, value)) continue;
        if (setting.What == ReportSetting::StartFuel) {
            if (!cli::ReadNumber(value, ChkPointList.StartFuel, 0.0, FuelLimit)) {
                Fail(0, what + " " + Quoted(value) + " is not a number from 0 to " + FormatDecimals(FuelLimit, 0) +
                             " (with '.')");
            }
            continue;
        }
        if (setting.What == ReportSetting::List) {
            (setting.Index == 1 ? ChkPointList.Field1 : ChkPointList.Field2) = value;
            continue;
        }
        double hours = 0.0;
        std::int32_t whole = 0;
        if ((setting.Index == HfDepartureTime || setting.Index == HfArrivalTime) && !value.empty() &&
            !ReadTimeOfDay(value, hours)) {
            Fail(0, what + " " + Quoted(value) + " is not a time (hh:mm)");
            continue;
        }
        if (setting.Index >= HfExtraFuel1 && setting.Index <= HfExtraFuel3 && !value.empty() &&
            !ReadWholeNumber(value, whole)) {
            Fail(0, what + " " + Quoted(value) + " " + WholeNumberProblem(value));
            continue;
        }
        ReportHeader.*TReportHeader::Texts[setting.Index] = value;
    }
    return Errors.empty();
}

bool RouteBuilder::StartTheClock() {
    TChkPoint& first = ChkPointList.Item(0);
    if (ChkPointList.Count < 2 || Given[PfActualArrival]) return true;
    if (ReportHeader.DepartureTime.empty()) {
        Fail(0, "give the departure time (--departure-time hh:mm) or an actual arrival at the first checkpoint: "
                "the gauge times the first leg from it");
        return false;
    }
    first.ActualArrival = ReportHeader.DepartureTime;
    return true;
}

bool ReadRoute(const std::string& path, std::string& text, std::string& problem) {
    problem = UnreadableReason(path, "route table");
    if (!problem.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        problem = "it cannot be opened";
        return false;
    }
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
        if (text.size() > RouteSizeLimit) {
            std::fclose(file);
            problem = "it is larger than " + std::to_string(RouteSizeLimit / (1024 * 1024)) +
                      " MB; a route table of 100 checkpoints is far smaller";
            return false;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) problem = "it cannot be read";
    return !failed;
}

// Reads the new file back as the gauge will and says what it would find.
int CheckWritten(const std::string& path, const std::string& name, char decimalSeparator, std::ostream& out) {
    CheckOptions check;
    check.DecimalSeparator = decimalSeparator;
    const CheckResult result = CheckReportFile(path, check);
    for (const Finding& finding : result.Findings) PrintFinding(finding, name, out);
    if (result.Errors > 0) return ExitErrors;
    return result.Warnings > 0 ? ExitWarnings : ExitClean;
}

// The report to `out` as its file holds it (CR LF), through a temporary file
// that is checked as a written report is; the messages to `err`.
int WriteToStream(std::ostream& out, std::ostream& err, char decimalSeparator) {
    TemporaryFile file;
    if (file.Path().empty() || !WriteReportFileForTool(file.Path().c_str(), true)) {
        err << "vqreport: cannot write the report: "
            << (file.Path().empty() ? file.Problem() : FailureReason(platform::LastSystemError())) << "\n";
        return ExitFailure;
    }
    if (!file.CopyTo(out)) {
        err << "vqreport: cannot write the report to standard output\n";
        return ExitFailure;
    }
    err << "wrote the report to standard output: " << CountOf(ChkPointList.Count, "checkpoint", "checkpoints")
        << "\n";
    return CheckWritten(file.Path(), "-", decimalSeparator, err);
}

}  // namespace

bool FindReportSetting(const std::string& given, ReportSetting& setting) {
    const std::string name = Normalized(given);
    for (int h = 0; h < TReportHeader::TextCount; ++h) {
        if (name == Normalized(HeaderRow(h).Name) || name == Normalized(HeaderRow(h).Holds)) {
            setting = {ReportSetting::Header, h};
            return true;
        }
    }
    int n = NumberAfter(name, "field");
    if (n == 0) n = NumberAfter(name, "headerfield");
    if (n >= 1 && n <= TReportHeader::TextCount) {
        setting = {ReportSetting::Header, n - 1};
        return true;
    }
    n = NumberAfter(name, "listfield");
    if (n == 1 || n == 2) {
        setting = {ReportSetting::List, n};
        return true;
    }
    if (name == "startfuel") {
        setting = {ReportSetting::StartFuel, 0};
        return true;
    }
    return false;
}

int RunNew(const NewOptions& options, std::ostream& out, std::ostream& err) {
    const std::string output = options.OutputPath.empty() ? std::string(ReportFileName) : options.OutputPath;
    std::string text, problem;
    const bool fromInput = IsStandardStream(options.RoutePath) && options.Input;
    if (fromInput ? !ReadStream(*options.Input, RouteSizeLimit, text, problem)
                  : !ReadRoute(options.RoutePath, text, problem)) {
        err << "vqreport: cannot read the route table " << options.RoutePath << ": " << problem << "\n";
        return ExitFailure;
    }
    CsvTable table;
    if (!ReadRouteFile(text, options.RoutePath, table, err)) return ExitErrors;
    RouteBuilder builder(options);
    const bool built = builder.Build(table);
    const bool settled = builder.ApplySettings();
    if (built && settled) {
        NormaliseTimes();
        if (options.PlanTimes) builder.FailAt(table, PlanLegTimes(options.DecimalSeparator));
        builder.StartTheClock();
    }
    if (!builder.ErrorList().empty()) {
        for (const RouteError& error : builder.ErrorList()) {
            // Errors of the table name its line; those of the options, the program.
            if (error.Line > 0) {
                err << options.RoutePath << ':' << error.Line;
            } else {
                err << "vqreport";
            }
            err << ": error: " << error.Message << "\n";
        }
        err << "vqreport: " << output << " not written\n";
        return ExitErrors;
    }
    if (IsStandardStream(output)) return WriteToStream(out, err, options.DecimalSeparator);
    const platform::NameKind there = platform::KindOfName(output.c_str());
    std::error_code error;
    if (there == platform::NameKind::Other && std::filesystem::is_directory(output, error)) {
        err << "vqreport: " << output << " is a directory; give the report file's name\n";
        return ExitFailure;
    }
    if (!options.Force && there != platform::NameKind::Free) {
        err << "vqreport: " << output << " exists; give --force to replace it\n";
        return ExitFailure;
    }
    if (!WriteReportFileForTool(output.c_str(), options.Force)) {
        const std::uint32_t reason = platform::LastSystemError();
        err << "vqreport: cannot write " << output << ": " << FailureReason(reason) << "\n";
        return ExitFailure;
    }
    out << "wrote " << output << ": " << CountOf(ChkPointList.Count, "checkpoint", "checkpoints") << "\n";

    return CheckWritten(output, output, options.DecimalSeparator, out);
}

}  // namespace vqreport
