#include "navlog/table.h"

#include <cmath>
#include <vector>

#include "cli/numbers.h"
#include "navlog/shown.h"
#include "navlog/times.h"

namespace navlog {

namespace {

struct Column {
    const char* Title;
    std::size_t Width;
    bool Right;            // right-aligned (numbers and times)
    std::size_t Gap = 2;   // blanks before the column
};

// No, name, identifier, type, frequency, level, heading, ground speed, position.
const Column RouteColumns[] = {{"No", 3, true, 0}, {"Name", 13, false, 1}, {"Ident", 8, false, 1},
                               {"Type", 6, false, 1}, {"Freq", 7, false, 1}, {"Level", 5, true, 1},
                               {"Hdg", 4, true, 1}, {"GS", 4, true, 1}, {"Position", 18, false, 2}};

// No, name, leg distance, planned and flown leg time, difference, estimated and actual arrival.
const Column TimeColumns[] = {{"No", 3, true, 0},    {"Name", 13, false, 1}, {"Dist", 6, true},
                              {"Plan", 6, true},     {"Flown", 6, true},     {"Diff", 5, true},
                              {"ETA", 5, true},      {"ATA", 5, true}};

template <std::size_t N>
std::string Row(const Column (&columns)[N], const std::vector<std::string>& cells) {
    std::string row;
    for (std::size_t c = 0; c < N; ++c) {
        row.append(columns[c].Gap, ' ');
        row += columns[c].Right ? PadLeft(cells[c], columns[c].Width) : PadRight(cells[c], columns[c].Width);
    }
    row.erase(row.find_last_not_of(' ') + 1);
    return row + "\n";
}

template <std::size_t N>
std::string TitleRow(const Column (&columns)[N]) {
    std::vector<std::string> titles;
    for (const Column& column : columns) titles.push_back(column.Title);
    return Row(columns, titles);
}

// "N60.1939 E 11.1004": four decimals, about 10 metres; "no position" for none.
std::string Position(const TChkPoint& point) {
    if (!HasPosition(point)) return "no position";
    const auto part = [](double degrees, char positive, char negative, std::size_t width) {
        const std::string number = cli::FixedText(std::fabs(degrees), 4);
        return (degrees < 0 ? negative : positive) + std::string(number.size() < width ? width - number.size() : 0, ' ') +
               number;
    };
    return part(point.Latitude, 'N', 'S', 7) + " " + part(point.Longitude, 'E', 'W', 8);
}

// The identifier as the display shows it: in brackets without a position.
std::string Ident(const TChkPoint& point) {
    const std::string ident = ShownText(ShownIdent(point));
    return HasPosition(point) ? ident : "(" + Cut(ident, 6) + ")";
}

std::string TimeCell(const ReportText& text) { return text.empty() ? "--:--" : ShownText(text); }

// Planned and flown minutes over the legs (every checkpoint after the first)
// that have them.
struct Totals {
    std::int64_t Planned = 0, Flown = 0, Difference = 0;
    int Legs = 0, PlannedLegs = 0, FlownLegs = 0, BothLegs = 0;
};

}  // namespace

std::string FlightTimeLine(const TReportHeader& header, std::span<const TChkPoint> checkpoints) {
    const FlightTime flight = FlightTimeOf(header, checkpoints);
    int departure = 0, arrival = 0;
    ReadMinutes(header.DepartureTime, departure);
    switch (flight.Is) {
    case FlightTime::Whole:
        ReadMinutes(header.ArrivalTime, arrival);
        return "Flight time " + DurationText(flight.Minutes) + ": departure " + DurationText(departure) +
               ", arrival " + DurationText(arrival);
    case FlightTime::SoFar:
        ReadMinutes(checkpoints[flight.Checkpoint].ActualArrival, arrival);
        return "Flight time so far " + DurationText(flight.Minutes) + ": departure " + DurationText(departure) +
               ", last arrival " + DurationText(arrival) + " (checkpoint " + std::to_string(flight.Checkpoint + 1) +
               ")";
    default: return "Flight time not known: " + flight.Why;
    }
}

std::string NavLogText(const TReportHeader& header, std::span<const TChkPoint> checkpoints) {
    if (checkpoints.empty()) return "(no checkpoints)\n\n" + FlightTimeLine(header, checkpoints) + "\n";
    std::string route = "Route\n" + TitleRow(RouteColumns);
    std::string times = "Times\n" + TitleRow(TimeColumns);
    Totals totals;
    for (std::size_t k = 0; k < checkpoints.size(); ++k) {
        const TChkPoint& point = checkpoints[k];
        const std::string number = std::to_string(k + 1);
        const std::string name = ShownText(point.Name);
        route += Row(RouteColumns, {number, name, Ident(point), ShownText(point.Field02),
                                    ShownText(ShownFrequency(point)), ShownText(point.Field07),
                                    ShownText(point.Field08), ShownText(point.Field11), Position(point)});
        int planned = 0, flown = 0;
        const bool hasPlan = ReadMinutes(point.PlannedLegTime, planned);
        const bool hasFlown = ReadMinutes(point.ActualLegTime, flown);
        times += Row(TimeColumns, {number, name, ShownText(point.LegDistance), TimeCell(point.PlannedLegTime),
                                   TimeCell(point.ActualLegTime),
                                   hasPlan && hasFlown ? DifferenceText(flown - planned) : "",
                                   TimeCell(point.EstimatedArrival), TimeCell(point.ActualArrival)});
        if (k == 0) continue;  // the first checkpoint ends no leg
        ++totals.Legs;
        totals.Planned += hasPlan ? planned : 0;
        totals.Flown += hasFlown ? flown : 0;
        totals.Difference += hasPlan && hasFlown ? flown - planned : 0;
        totals.PlannedLegs += hasPlan;
        totals.FlownLegs += hasFlown;
        totals.BothLegs += hasPlan && hasFlown;
    }
    times += Row(TimeColumns, {"", "Total", "", totals.PlannedLegs ? DurationText(totals.Planned) : "--:--",
                               totals.FlownLegs ? DurationText(totals.Flown) : "--:--",
                               totals.BothLegs ? DifferenceText(totals.Difference) : "", "", ""});
    if (totals.PlannedLegs < totals.Legs || totals.FlownLegs < totals.Legs) {
        const std::string of = " of " + std::to_string(totals.Legs);
        times += "Legs with times: " + std::to_string(totals.PlannedLegs) + of + " planned, " +
                 std::to_string(totals.FlownLegs) + of + " flown, " + std::to_string(totals.BothLegs) +
                 " with both\n";
    }
    return route + "\n" + times + "\n" + FlightTimeLine(header, checkpoints) + "\n";
}

}  // namespace navlog
