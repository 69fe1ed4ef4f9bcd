#include "tools/vqreport/show.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

#include "platform/decimal.h"
#include "report/report.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/fields.h"
#include "tools/vqreport/json.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

bool HasPosition(const TChkPoint& point) { return !(point.Latitude == 0.0 && point.Longitude == 0.0); }

std::string Position(const TChkPoint& point) {
    if (!HasPosition(point)) return "no position";
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%9s %c  %10s %c",
                  NumberText(std::fabs(point.Latitude)).c_str(), point.Latitude < 0 ? 'S' : 'N',
                  NumberText(std::fabs(point.Longitude)).c_str(), point.Longitude < 0 ? 'W' : 'E');
    return buffer;
}

std::string PadRight(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string TimeOrDashes(const std::string& text) { return text.empty() ? "--:--" : Printable(text); }

// "  line  9  departure time : 10:05  (meaning)", control characters escaped.
void PrintHeaderField(std::ostream& out, std::int64_t line, const std::string& label, const std::string& value,
                      const char* meaning) {
    std::string text =
        "  line " + PadLeft(std::to_string(line), 3) + "  " + PadRight(label, 16) + ": " + Printable(value);
    if (meaning) {
        text = PadRight(text, 45) + "  (" + meaning + ")";
    } else {
        text.erase(text.find_last_not_of(' ') + 1);
    }
    out << text << "\n";
}

}  // namespace

std::string FlightTime(const std::string& departure, const std::string& arrival) {
    double from = 0.0, to = 0.0;
    if (!ReadTimeOfDay(departure, from) || !ReadTimeOfDay(arrival, to)) return std::string();
    double hours = to - from;
    if (hours < 0.0) hours += 24.0;
    return FormatHours(hours);
}

void PrintNavLog(const std::string& path, std::ostream& out) {
    const std::int32_t count = ChkPointList.Count;
    out << "Report " << Printable(path) << ": " << count << (count == 1 ? " checkpoint" : " checkpoints") << "\n\n";

    out << "Header (the fields without a name are carried unchanged by the gauge)\n";
    for (int h = 0; h < TReportHeader::TextCount; ++h) {
        if (h >= HfFuelUsed) break;  // the fuel fields follow in the fuel account
        const bool named = h == HfDepartureTime || h == HfArrivalTime;
        PrintHeaderField(out, HeaderFieldLine(h), HeaderRow(h).Holds, ReportHeader.*TReportHeader::Texts[h],
                         named ? HeaderMeanings[h] : nullptr);
    }
    PrintHeaderField(out, ListFieldLine(0), FieldNameAtLine(ListFieldLine(0), count), ChkPointList.Field1, nullptr);
    PrintHeaderField(out, ListFieldLine(1), FieldNameAtLine(ListFieldLine(1), count), ChkPointList.Field2, nullptr);

    out << "\nNav log\n";
    std::vector<std::vector<std::string>> rows;
    rows.push_back({"No", "Name", "Ident", "Dist", "Plan", "Act", "ETA", "ATA", "Position"});
    for (std::int32_t k = 0; k < count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        rows.push_back({std::to_string(k + 1), Printable(point.Name),
                        Printable(point.Ident.empty() ? point.AltIdent : point.Ident), Printable(point.LegDistance), TimeOrDashes(point.PlannedLegTime), TimeOrDashes(point.ActualLegTime),
                        TimeOrDashes(point.EstimatedArrival), TimeOrDashes(point.ActualArrival), Position(point)});
    }
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : rows) {
        std::string text = "  ";
        for (std::size_t c = 0; c < row.size(); ++c) {
            // Numbers to the right, texts to the left; the last column unpadded.
            if (c == 0 || c == 3) {
                text += PadLeft(row[c], widths[c]);
            } else if (c + 1 == row.size()) {
                text += row[c];
            } else {
                text += PadRight(row[c], widths[c]);
            }
            if (c + 1 < row.size()) text += "  ";
        }
        out << text << "\n";
    }
    if (count == 0) out << "  (no checkpoints)\n";

    out << "\nFuel account\n";
    for (int h = HfFuelUsed; h < TReportHeader::TextCount; ++h) {
        PrintHeaderField(out, HeaderFieldLine(h), HeaderRow(h).Holds, ReportHeader.*TReportHeader::Texts[h],
                         HeaderMeanings[h]);
    }
    PrintHeaderField(out, StartFuelLine(count), FieldNameAtLine(StartFuelLine(count), count), NumberText(ChkPointList.StartFuel),
                     "fuel on board when the pilot stored it");
    const std::string flight = FlightTime(ReportHeader.DepartureTime, ReportHeader.ArrivalTime);
    out << "\nFlight time: ";
    if (flight.empty()) {
        out << "not known (it needs the departure and the arrival time)\n";
    } else {
        out << flight << " (departure " << Printable(ReportHeader.DepartureTime.c_str()) << ", arrival "
            << Printable(ReportHeader.ArrivalTime.c_str()) << ")\n";
    }
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
            << ", \"HasPosition\": " << (HasPosition(point) ? "true" : "false") << "}";
    }
    out << (count ? "\n  ],\n" : "],\n");
    const std::string flight = FlightTime(ReportHeader.DepartureTime, ReportHeader.ArrivalTime);
    out << "  \"FlightTime\": " << (flight.empty() ? std::string("null") : JsonString(flight)) << "\n}\n";
}

}  // namespace vqreport
