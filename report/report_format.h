// The report file's layout, written down once: which line holds which field,
// what the field is called and what kind of line it is. The reader and the
// writer, vqreport, vqsim and the tests place every field through this table
// and the line functions below it.
//
// A report of `count` checkpoints is, one field per line: the first line, the
// 27 header texts, the two list texts, the count, 15 texts per checkpoint, the
// start fuel, then latitude and longitude of each checkpoint kept (at most
// ChkPointCapacity; the texts of any further checkpoints are read and dropped).
#pragma once

#include <cstdint>

#include "report/report.h"

// How a line is read: a text (trimmed, kept up to ReportTextLimit characters),
// the checkpoint count (a whole number), or a decimal number with '.'.
enum class FieldKind : std::uint8_t { Text, Count, Number };

// The parts of the file in file order. Checkpoint repeats for each checkpoint
// of the count, Position for each checkpoint kept.
enum class ReportPart : std::uint8_t { FirstLine, Header, List, Count, Checkpoint, StartFuel, Position };

// The index of each checkpoint text in TChkPoint::Texts and among the
// table's checkpoint rows.
enum PointField : std::uint8_t {
    PfName, PfField02, PfIdent, PfField04, PfAltIdent, PfField06, PfField07, PfField08,
    PfField09, PfLegDistance, PfField11, PfPlannedLegTime, PfActualLegTime,
    PfEstimatedArrival, PfActualArrival
};

// The index of the named header texts in TReportHeader::Texts.
enum HeaderField : std::uint8_t {
    HfDepartureTime = 7, HfArrivalTime = 15, HfFuelUsed = 21, HfExtraFuel1 = 22,
    HfExtraFuel2 = 23, HfExtraFuel3 = 24, HfTotalFuel = 25, HfFuelPerHour = 26
};

struct ReportField {
    ReportPart Part;
    std::uint8_t Index;  // within its part: the Texts index; list text 0 or 1; 0 latitude, 1 longitude
    FieldKind Kind;
    const char* Name;    // the design's name, the member's ("DepartureTime", "Field04")
    const char* Holds;   // what it holds, in words ("departure time", "frequency")
};

// One row per field in file order; the Checkpoint and Position rows stand for
// every checkpoint.
inline constexpr ReportField ReportFields[] = {
    {ReportPart::FirstLine, 0, FieldKind::Text, "ReportHeaderText", "header line"},
    {ReportPart::Header, 0, FieldKind::Text, "Field01", "header field 1"},
    {ReportPart::Header, 1, FieldKind::Text, "Field02", "header field 2"},
    {ReportPart::Header, 2, FieldKind::Text, "Field03", "header field 3"},
    {ReportPart::Header, 3, FieldKind::Text, "Field04", "header field 4"},
    {ReportPart::Header, 4, FieldKind::Text, "Field05", "header field 5"},
    {ReportPart::Header, 5, FieldKind::Text, "Field06", "header field 6"},
    {ReportPart::Header, 6, FieldKind::Text, "Field07", "header field 7"},
    {ReportPart::Header, HfDepartureTime, FieldKind::Text, "DepartureTime", "departure time"},
    {ReportPart::Header, 8, FieldKind::Text, "Field09", "header field 9"},
    {ReportPart::Header, 9, FieldKind::Text, "Field10", "header field 10"},
    {ReportPart::Header, 10, FieldKind::Text, "Field11", "header field 11"},
    {ReportPart::Header, 11, FieldKind::Text, "Field12", "header field 12"},
    {ReportPart::Header, 12, FieldKind::Text, "Field13", "header field 13"},
    {ReportPart::Header, 13, FieldKind::Text, "Field14", "header field 14"},
    {ReportPart::Header, 14, FieldKind::Text, "Field15", "header field 15"},
    {ReportPart::Header, HfArrivalTime, FieldKind::Text, "ArrivalTime", "arrival time"},
    {ReportPart::Header, 16, FieldKind::Text, "Field17", "header field 17"},
    {ReportPart::Header, 17, FieldKind::Text, "Field18", "header field 18"},
    {ReportPart::Header, 18, FieldKind::Text, "Field19", "header field 19"},
    {ReportPart::Header, 19, FieldKind::Text, "Field20", "header field 20"},
    {ReportPart::Header, 20, FieldKind::Text, "Field21", "header field 21"},
    {ReportPart::Header, HfFuelUsed, FieldKind::Text, "FuelUsed", "fuel used"},
    {ReportPart::Header, HfExtraFuel1, FieldKind::Text, "ExtraFuel1", "extra fuel 1"},
    {ReportPart::Header, HfExtraFuel2, FieldKind::Text, "ExtraFuel2", "extra fuel 2"},
    {ReportPart::Header, HfExtraFuel3, FieldKind::Text, "ExtraFuel3", "extra fuel 3"},
    {ReportPart::Header, HfTotalFuel, FieldKind::Text, "TotalFuel", "total fuel"},
    {ReportPart::Header, HfFuelPerHour, FieldKind::Text, "FuelPerHour", "fuel per hour"},
    {ReportPart::List, 0, FieldKind::Text, "Field1", "list field 1"},
    {ReportPart::List, 1, FieldKind::Text, "Field2", "list field 2"},
    {ReportPart::Count, 0, FieldKind::Count, "Count", "checkpoint count"},
    {ReportPart::Checkpoint, PfName, FieldKind::Text, "Name", "name"},
    {ReportPart::Checkpoint, PfField02, FieldKind::Text, "Field02", "type"},
    {ReportPart::Checkpoint, PfIdent, FieldKind::Text, "Ident", "identifier"},
    {ReportPart::Checkpoint, PfField04, FieldKind::Text, "Field04", "frequency"},
    {ReportPart::Checkpoint, PfAltIdent, FieldKind::Text, "AltIdent", "alternate identifier"},
    {ReportPart::Checkpoint, PfField06, FieldKind::Text, "Field06", "alternate frequency"},
    {ReportPart::Checkpoint, PfField07, FieldKind::Text, "Field07", "level"},
    {ReportPart::Checkpoint, PfField08, FieldKind::Text, "Field08", "heading"},
    {ReportPart::Checkpoint, PfField09, FieldKind::Text, "Field09", "spare"},
    {ReportPart::Checkpoint, PfLegDistance, FieldKind::Text, "LegDistance", "leg distance"},
    {ReportPart::Checkpoint, PfField11, FieldKind::Text, "Field11", "ground speed"},
    {ReportPart::Checkpoint, PfPlannedLegTime, FieldKind::Text, "PlannedLegTime", "planned leg time"},
    {ReportPart::Checkpoint, PfActualLegTime, FieldKind::Text, "ActualLegTime", "actual leg time"},
    {ReportPart::Checkpoint, PfEstimatedArrival, FieldKind::Text, "EstimatedArrival", "estimated arrival"},
    {ReportPart::Checkpoint, PfActualArrival, FieldKind::Text, "ActualArrival", "actual arrival"},
    {ReportPart::StartFuel, 0, FieldKind::Number, "StartFuel", "start fuel"},
    {ReportPart::Position, 0, FieldKind::Number, "Latitude", "latitude"},
    {ReportPart::Position, 1, FieldKind::Number, "Longitude", "longitude"},
};

namespace report_format {

constexpr int RowCount = sizeof ReportFields / sizeof ReportFields[0];

constexpr int FirstRow(ReportPart part) {
    int row = 0;
    while (row < RowCount && ReportFields[row].Part != part) ++row;
    return row;
}
constexpr int Rows(ReportPart part) {
    return FirstRow(static_cast<ReportPart>(static_cast<int>(part) + 1)) - FirstRow(part);
}

// Every part's rows are together, in file order, and number their fields 0, 1, ...
constexpr bool InOrder() {
    for (int row = 0; row < RowCount; ++row) {
        const ReportField& field = ReportFields[row];
        if (field.Index != row - FirstRow(field.Part)) return false;
    }
    return true;
}
static_assert(InOrder());
static_assert(Rows(ReportPart::FirstLine) == 1 && Rows(ReportPart::Count) == 1 && Rows(ReportPart::StartFuel) == 1);
static_assert(Rows(ReportPart::Header) == TReportHeader::TextCount);
static_assert(Rows(ReportPart::Checkpoint) == TChkPoint::TextCount);

inline constexpr int CheckpointRow0 = FirstRow(ReportPart::Checkpoint);
inline constexpr int PositionRow0 = FirstRow(ReportPart::Position);
inline constexpr int LinesPerPosition = Rows(ReportPart::Position);

constexpr std::int64_t Checkpoints(std::int64_t count) { return count < 0 ? 0 : count; }

}  // namespace report_format

// The rows of header text `h` and of checkpoint text `f`.
constexpr const ReportField& HeaderRow(int h) { return ReportFields[report_format::FirstRow(ReportPart::Header) + h]; }
constexpr const ReportField& CheckpointRow(int f) { return ReportFields[report_format::CheckpointRow0 + f]; }

// Lines are counted from 1. `count` is the checkpoint count as the file's
// count line gives it; a negative count has no checkpoints. Every line before
// the first checkpoint holds the row of its number (line 1 row 0).
constexpr std::int64_t HeaderFieldLine(int h) { return report_format::FirstRow(ReportPart::Header) + 1 + h; }
constexpr std::int64_t ListFieldLine(int i) { return report_format::FirstRow(ReportPart::List) + 1 + i; }
constexpr std::int64_t CountLine = report_format::FirstRow(ReportPart::Count) + 1;
// Field `f` (a PointField) of checkpoint `k` (from 0).
constexpr std::int64_t CheckpointFieldLine(std::int64_t k, int f) {
    return CountLine + 1 + TChkPoint::TextCount * k + f;
}
constexpr std::int64_t StartFuelLine(std::int64_t count) {
    return CheckpointFieldLine(report_format::Checkpoints(count), 0);
}
constexpr std::int64_t LatitudeLine(std::int64_t count, std::int64_t k) {
    return StartFuelLine(count) + 1 + report_format::LinesPerPosition * k;
}
constexpr std::int64_t LongitudeLine(std::int64_t count, std::int64_t k) { return LatitudeLine(count, k) + 1; }
// The report's last line: the longitude of the last of the first `kept`
// checkpoints, or the start fuel when none is kept. The reader keeps
// ChkPointCapacity.
constexpr std::int64_t LastReportLine(std::int64_t count, std::int64_t kept = ChkPointCapacity) {
    return LatitudeLine(count, kept < report_format::Checkpoints(count) ? kept : report_format::Checkpoints(count)) - 1;
}

// What a line of the file holds: its field, and the checkpoint (from 0) of a
// checkpoint text or position, -1 for the others. No field (nullptr) before
// line 1 and after the report's last line.
struct LineField {
    const ReportField* Field = nullptr;
    std::int32_t Checkpoint = -1;
};
constexpr LineField FieldAtLine(std::int64_t line, std::int32_t count) {
    using namespace report_format;
    if (line < 1) return {};
    if (line <= CountLine) return {&ReportFields[line - 1], -1};
    const std::int64_t start = StartFuelLine(count);
    if (line < start) {
        const std::int64_t i = line - CheckpointFieldLine(0, 0);
        return {&ReportFields[CheckpointRow0 + i % TChkPoint::TextCount],
                static_cast<std::int32_t>(i / TChkPoint::TextCount)};
    }
    if (line == start) return {&ReportFields[FirstRow(ReportPart::StartFuel)], -1};
    if (line > LastReportLine(count)) return {};
    const std::int64_t i = line - LatitudeLine(count, 0);
    return {&ReportFields[PositionRow0 + i % LinesPerPosition], static_cast<std::int32_t>(i / LinesPerPosition)};
}

namespace report_format {
// The field FieldAtLine finds on each line is, by the line functions, on that line.
constexpr bool RoundTrips(std::int32_t count) {
    for (std::int64_t n = 1; n <= LastReportLine(count); ++n) {
        const LineField at = FieldAtLine(n, count);
        const int i = at.Field->Index;
        const ReportPart part = at.Field->Part;
        const std::int64_t back = part == ReportPart::Checkpoint ? CheckpointFieldLine(at.Checkpoint, i)
                                  : part == ReportPart::Position ? LatitudeLine(count, at.Checkpoint) + i
                                  : part == ReportPart::StartFuel ? StartFuelLine(count)
                                  : part == ReportPart::Header    ? HeaderFieldLine(i)
                                  : part == ReportPart::List      ? ListFieldLine(i)
                                  : part == ReportPart::Count     ? CountLine
                                                                  : 1;
        if (back != n) return false;
    }
    return FieldAtLine(LastReportLine(count) + 1, count).Field == nullptr;
}
static_assert(RoundTrips(-1) && RoundTrips(2) && RoundTrips(101));
}  // namespace report_format

// Where ReadReport took the fields from: the count as the file gives it and
// the last line read. A field's line is its line for that count, or 0 when the
// file ended before it.
struct ReportLines {
    std::int32_t Count = 0;
    std::int64_t Last = 0;

    constexpr std::int64_t Taken(std::int64_t line) const { return line <= Last ? line : 0; }
    constexpr std::int64_t Header(int h) const { return Taken(HeaderFieldLine(h)); }
    constexpr std::int64_t Checkpoint(std::int64_t k, int f) const { return Taken(CheckpointFieldLine(k, f)); }
    constexpr std::int64_t StartFuel() const { return Taken(StartFuelLine(Count)); }
    constexpr std::int64_t Latitude(std::int64_t k) const { return Taken(LatitudeLine(Count, k)); }
    constexpr std::int64_t Longitude(std::int64_t k) const { return Taken(LongitudeLine(Count, k)); }
};
