#include "tools/vqreport/show.h"

#include <charconv>
#include <ostream>
#include <span>

#include "navlog/shown.h"
#include "navlog/table.h"
#include "navlog/times.h"
#include "report/report.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/fields.h"
#include "tools/vqreport/json.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

// The checkpoints in the report globals, in route order.
std::span<const TChkPoint> Checkpoints() {
    if (ChkPointList.Count <= 0) return {};
    return {&ChkPointList.Item(0), static_cast<std::size_t>(ChkPointList.Count)};
}

// "  line   9  departure time  : 07:30             (hh:mm; flight time from it)":
// the value cut to keep the line within the nav log's width.
void PrintHeaderField(std::ostream& out, std::int64_t line, const std::string& label, const std::string& value,
                      const char* meaning) {
    const std::string number = std::to_string(line);
    const std::string prefix = "  line " + std::string(number.size() < 4 ? 4 - number.size() : 0, ' ') + number +
                               "  " + navlog::PadRight(label, 16) + ": ";
    const std::string tail = meaning ? std::string("  (") + meaning + ")" : std::string();
    const std::size_t used = navlog::Width(prefix) + navlog::Width(tail);
    const std::size_t room = used < navlog::LineWidth ? navlog::LineWidth - used : 0;
    const std::string shown = Printable(value);
    std::string text = prefix + (meaning ? navlog::PadRight(shown, std::min<std::size_t>(16, room)) + tail
                                         : navlog::Cut(shown, room));
    out << text.erase(text.find_last_not_of(' ') + 1) << "\n";
}

// A CSV cell: in quotes when it holds the separator or a quote ("" for a quote).
std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + "\"";
}

// The shortest text that reads back as the same number.
std::string ExactNumber(double value) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace

void PrintNavLog(const std::string& path, std::ostream& out) {
    const std::int32_t count = ChkPointList.Count;
    out << "Report " << ShownName(path) << ": " << CountOf(count, "checkpoint", "checkpoints") << "\n\n";

    out << "Header (the fields without a name are carried unchanged by the gauge)\n";
    for (int h = 0; h < HfFuelUsed; ++h) {  // the fuel fields follow in the fuel account
        const bool named = h == HfDepartureTime || h == HfArrivalTime;
        PrintHeaderField(out, HeaderFieldLine(h), HeaderRow(h).Holds, ReportHeader.*TReportHeader::Texts[h],
                         named ? HeaderMeanings[h] : nullptr);
    }
    PrintHeaderField(out, ListFieldLine(0), FieldNameAtLine(ListFieldLine(0), count), ChkPointList.Field1, nullptr);
    PrintHeaderField(out, ListFieldLine(1), FieldNameAtLine(ListFieldLine(1), count), ChkPointList.Field2, nullptr);

    out << "\n" << navlog::NavLogText(ReportHeader, Checkpoints());

    out << "\nFuel account\n";
    for (int h = HfFuelUsed; h < TReportHeader::TextCount; ++h) {
        PrintHeaderField(out, HeaderFieldLine(h), HeaderRow(h).Holds, ReportHeader.*TReportHeader::Texts[h],
                         HeaderMeanings[h]);
    }
    PrintHeaderField(out, StartFuelLine(count), FieldNameAtLine(StartFuelLine(count), count),
                     NumberText(ChkPointList.StartFuel), "on board when stored");
}

void PrintNavLogJson(const std::string& path, std::ostream& out) {
    const std::int32_t count = ChkPointList.Count;
    out << "{\n  \"file\": " << JsonString(path) << ",\n  \"header\": {";
    for (int h = 0; h < TReportHeader::TextCount; ++h) {
        out << (h ? ",\n    " : "\n    ") << JsonString(HeaderRow(h).Name) << ": "
            << JsonString(ReportHeader.*TReportHeader::Texts[h]);
    }
    out << "\n  },\n  \"list\": {\n    \"Field1\": " << JsonString(ChkPointList.Field1)
        << ",\n    \"Field2\": " << JsonString(ChkPointList.Field2)
        << ",\n    \"StartFuel\": " << JsonNumber(ChkPointList.StartFuel) << ",\n    \"Count\": " << count
        << "\n  },\n  \"checkpoints\": [";
    for (std::int32_t k = 0; k < count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        out << (k ? ",\n    {" : "\n    {") << "\"Number\": " << k + 1;
        for (int f = 0; f < TChkPoint::TextCount; ++f) {
            out << ", " << JsonString(CheckpointRow(f).Name) << ": " << JsonString(point.*TChkPoint::Texts[f]);
        }
        out << ", \"Latitude\": " << JsonNumber(point.Latitude) << ", \"Longitude\": " << JsonNumber(point.Longitude)
            << ", \"HasPosition\": " << (navlog::HasPosition(point) ? "true" : "false") << "}";
    }
    out << (count ? "\n  ],\n" : "],\n");
    const navlog::FlightTime flight = navlog::FlightTimeOf(ReportHeader, Checkpoints());
    out << "  \"FlightTime\": "
        << (flight.Is == navlog::FlightTime::Whole ? JsonString(navlog::DurationText(flight.Minutes)) : "null")
        << "\n}\n";
}

int PrintNavLogCsv(const std::string& path, std::ostream& out, std::ostream& err) {
    int escaped = 0;
    out << "\xEF\xBB\xBF";
    for (int f = 0; f < TChkPoint::TextCount; ++f) out << CheckpointRow(f).Holds << ",";
    out << "latitude,longitude\r\n";
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        for (int f = 0; f < TChkPoint::TextCount; ++f) {
            const ReportText& text = point.*TChkPoint::Texts[f];
            if (navlog::HasEscapedByte(text)) {
                ++escaped;
                err << ShownName(path) << ": warning: checkpoint " << k + 1 << " " << CheckpointRow(f).Holds
                    << " holds a control character or a byte the Windows character set leaves undefined, written "
                       "escaped: "
                    << Quoted(text) << "; vqreport new does not take it back as it is\n";
            }
            out << CsvCell(Printable(text)) << ",";
        }
        out << ExactNumber(point.Latitude) << "," << ExactNumber(point.Longitude) << "\r\n";
    }
    return escaped;
}

}  // namespace vqreport
