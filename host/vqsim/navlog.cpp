#include "host/vqsim/navlog.h"

#include <cstdlib>

#include "cli/numbers.h"
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

// A row of the table: each cell padded to its column's width, on the left
// where the width is negative.
std::string Row(const std::vector<std::string>& cells) {
    static const int widths[] = {3, -16, -8, 5, 5, 5, 4, 5, 5};
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t width = static_cast<std::size_t>(std::abs(widths[i]));
        const std::string pad(cells[i].size() < width ? width - cells[i].size() : 0, ' ');
        row += (i == 0 ? "" : widths[i - 1] < 0 ? " " : "  ") + (widths[i] < 0 ? cells[i] + pad : pad + cells[i]);
    }
    return row + "\n";
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
    table += Row({"No", "Checkpoint", "Ident", "Dist", "Plan", "Flown", "Diff", "ETA", "ATA"});
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
        if (hasPlan && hasActual) diff = (actual > plan ? "+" : "") + std::to_string(actual - plan);
        if (k > 0) {
            if (hasPlan) planned += plan; else allPlanned = false;
            if (hasActual) flown += actual; else allFlown = false;
        }
        table += Row({std::to_string(k + 1), Cut(c.Name, 16), ident, Cut(OrDash(c.LegDistance), 5),
                      Cut(OrDash(c.PlannedLegTime), 5), Cut(OrDash(c.ActualLegTime), 5), diff,
                      Cut(OrDash(c.EstimatedArrival), 5), Cut(OrDash(c.ActualArrival), 5)});
    }
    if (report.Lines.Count > static_cast<int>(report.Checkpoints.size())) {
        table += "     (" + std::to_string(report.Lines.Count - static_cast<int>(report.Checkpoints.size())) +
                 " more checkpoints in the file are beyond the gauge's 100)\n";
    }
    table += "\n";
    table += "Legs: planned " + HoursMinutesText(planned * 60LL) + (allPlanned ? "" : " (some legs without a plan)") +
             ", flown " + HoursMinutesText(flown * 60LL) + (allFlown ? "" : " (some legs without a time)") + "\n";
    int flight = 0;
    const TReportHeader& header = report.Header;
    const std::string flightTime =
        MinutesBetween(header.DepartureTime, header.ArrivalTime, flight) ? HoursMinutesText(flight * 60LL) : "-";
    table += "Departure " + OrDash(header.DepartureTime) + ", arrival " + OrDash(header.ArrivalTime) +
             ", flight time " + flightTime + "\n";
    table += "Fuel on board at the start " + cli::FixedText(report.StartFuel, 1) + "; used " + OrDash(header.FuelUsed) +
             "; extra " + OrDash(header.ExtraFuel1) + " + " + OrDash(header.ExtraFuel2) + " + " +
             OrDash(header.ExtraFuel3) + "; total " + OrDash(header.TotalFuel) + "; per hour " +
             OrDash(header.FuelPerHour) + "\n";
    return table;
}

}  // namespace vqsim
