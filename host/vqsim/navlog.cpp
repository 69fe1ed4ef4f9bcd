#include "host/vqsim/navlog.h"

#include <cstdarg>
#include <cstdio>

#include "host/vqsim/clock_time.h"

namespace vqsim {

namespace {

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string Cut(const std::string& text, std::size_t width) {
    return text.size() > width ? text.substr(0, width - 1) + "~" : text;
}

bool TextMinutes(const std::string& text, int& minutes) {
    long long seconds = 0;
    if (!ParseDuration(text, seconds)) return false;
    minutes = static_cast<int>(seconds / 60);
    return true;
}

std::string Row(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Row(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text) + "\n";
}

}  // namespace

std::string DisplayLogLine(long long secondsOfDay, const char* line1, const char* line2, const char* line3) {
    return ClockText(secondsOfDay) + "  |" + line1 + "| |" + line2 + "| |" + line3 + "|";
}

bool MinutesBetween(const std::string& from, const std::string& to, int& minutes) {
    int a = 0, b = 0;
    if (!ParseClockTime(from, a) || !ParseClockTime(to, b)) return false;
    int difference = (b - a) / 60;
    if (difference < 0) difference += 24 * 60;
    minutes = difference;
    return true;
}

std::string NavLogTable(const ReportCopy& report) {
    std::string table;
    table += Row("%3s  %-16s %-8s %5s  %5s  %5s  %4s  %5s  %5s", "No", "Checkpoint", "Ident", "Dist", "Plan", "Flown",
                 "Diff", "ETA", "ATA");
    int planned = 0, flown = 0;
    bool allPlanned = true, allFlown = true;
    for (std::size_t k = 0; k < report.Checkpoints.size(); ++k) {
        const TChkPoint& c = report.Checkpoints[k];
        std::string ident = Cut(ShownIdent(c), 8);
        if (!HasPosition(c)) ident = "(" + Cut(ShownIdent(c), 6) + ")";
        int plan = 0, actual = 0;
        const bool hasPlan = TextMinutes(c.PlannedLegTime, plan);
        const bool hasActual = TextMinutes(c.ActualLegTime, actual);
        std::string diff = "-";
        if (hasPlan && hasActual) {
            char text[16];
            std::snprintf(text, sizeof text, "%+d", actual - plan);
            diff = actual == plan ? "0" : text;
        }
        if (k > 0) {
            if (hasPlan) planned += plan; else allPlanned = false;
            if (hasActual) flown += actual; else allFlown = false;
        }
        table += Row("%3zu  %-16s %-8s %5s  %5s  %5s  %4s  %5s  %5s", k + 1, Cut(c.Name, 16).c_str(), ident.c_str(),
                     Cut(OrDash(c.LegDistance), 5).c_str(), Cut(OrDash(c.PlannedLegTime), 5).c_str(),
                     Cut(OrDash(c.ActualLegTime), 5).c_str(), diff.c_str(), Cut(OrDash(c.EstimatedArrival), 5).c_str(),
                     Cut(OrDash(c.ActualArrival), 5).c_str());
    }
    if (report.Lines.Count > static_cast<int>(report.Checkpoints.size())) {
        table += Row("     (%d more checkpoints in the file are beyond the gauge's 100)",
                     report.Lines.Count - static_cast<int>(report.Checkpoints.size()));
    }
    table += "\n";
    table += Row("Legs: planned %s%s, flown %s%s", HoursMinutesText(planned * 60LL).c_str(), allPlanned ? "" : " (some legs without a plan)",
                 HoursMinutesText(flown * 60LL).c_str(), allFlown ? "" : " (some legs without a time)");
    int flight = 0;
    const TReportHeader& header = report.Header;
    const std::string flightTime =
        MinutesBetween(header.DepartureTime, header.ArrivalTime, flight) ? HoursMinutesText(flight * 60LL) : "-";
    table += Row("Departure %s, arrival %s, flight time %s", OrDash(header.DepartureTime).c_str(),
                 OrDash(header.ArrivalTime).c_str(), flightTime.c_str());
    table += Row("Fuel on board at the start %.1f; used %s; extra %s + %s + %s; total %s; per hour %s", report.StartFuel,
                 OrDash(header.FuelUsed).c_str(), OrDash(header.ExtraFuel1).c_str(), OrDash(header.ExtraFuel2).c_str(),
                 OrDash(header.ExtraFuel3).c_str(), OrDash(header.TotalFuel).c_str(), OrDash(header.FuelPerHour).c_str());
    return table;
}

}  // namespace vqsim
