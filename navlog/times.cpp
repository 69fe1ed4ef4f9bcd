#include "navlog/times.h"

#include <cstdlib>

namespace navlog {

namespace {

// Reads a time text piece by piece, as the gauge's own reader does.
class Scanner {
public:
    explicit Scanner(std::string_view text) : Text(text) {}

    void SkipBlanks() {
        while (At < Text.size() && (Text[At] == ' ' || Text[At] == '\t')) ++At;
    }
    bool AtEnd() const { return At == Text.size(); }
    bool Take(char c) {
        if (At == Text.size() || Text[At] != c) return false;
        ++At;
        return true;
    }
    // Decimal digits; large values are held at 1000 (out of range all the same).
    bool Number(int& value) {
        const std::size_t start = At;
        value = 0;
        for (; At < Text.size() && Text[At] >= '0' && Text[At] <= '9'; ++At) {
            if (value < 1000) value = value * 10 + (Text[At] - '0');
        }
        return At > start;
    }
    // "AM" (0) or "PM" (1), either case; -1 for neither.
    int Marker() {
        if (Text.size() - At < 2 || (Text[At + 1] != 'm' && Text[At + 1] != 'M')) return -1;
        const char c = Text[At];
        const int half = c == 'a' || c == 'A' ? 0 : c == 'p' || c == 'P' ? 1 : -1;
        if (half >= 0) At += 2;
        return half;
    }

private:
    std::string_view Text;
    std::size_t At = 0;
};

std::string TwoDigits(std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

bool ReadMinutes(std::string_view text, int& minutes) {
    Scanner scan(text);
    scan.SkipBlanks();
    int half = scan.Marker();
    scan.SkipBlanks();
    int hour = 0, minute = 0, second = 0;
    if (!scan.Number(hour)) return false;
    scan.SkipBlanks();
    if (scan.Take(':')) {
        scan.SkipBlanks();
        if (!scan.Number(minute)) return false;
        scan.SkipBlanks();
        if (scan.Take(':')) {
            scan.SkipBlanks();
            if (!scan.Number(second)) return false;
            scan.SkipBlanks();
        }
    }
    if (half < 0) {
        half = scan.Marker();
        scan.SkipBlanks();
    }
    if (!scan.AtEnd() || minute > 59 || second > 59) return false;
    if (half < 0 ? hour > 23 : hour < 1 || hour > 12) return false;
    if (half >= 0) hour = hour % 12 + 12 * half;
    minutes = hour * 60 + minute;
    return true;
}

std::string DurationText(std::int64_t minutes) {
    const std::int64_t size = std::llabs(minutes);
    return (minutes < 0 ? "-" : "") + TwoDigits(size / 60) + ":" + TwoDigits(size % 60);
}

std::string DifferenceText(std::int64_t minutes) { return (minutes > 0 ? "+" : "") + std::to_string(minutes); }

int MinutesBetween(int from, int to) { return to >= from ? to - from : to + 24 * 60 - from; }

FlightTime FlightTimeOf(const TReportHeader& header, std::span<const TChkPoint> checkpoints) {
    FlightTime flight;
    int departure = 0, arrival = 0;
    if (!ReadMinutes(header.DepartureTime, departure)) {
        flight.Why = header.DepartureTime.empty() ? "there is no departure time" : "the departure time is not a time";
        return flight;
    }
    if (ReadMinutes(header.ArrivalTime, arrival)) {
        flight.Is = FlightTime::Whole;
        flight.Minutes = MinutesBetween(departure, arrival);
        return flight;
    }
    for (std::size_t k = checkpoints.size(); k-- > 1;) {
        if (!ReadMinutes(checkpoints[k].ActualArrival, arrival)) continue;
        flight.Is = FlightTime::SoFar;
        flight.Minutes = MinutesBetween(departure, arrival);
        flight.Checkpoint = static_cast<int>(k);
        return flight;
    }
    flight.Why = "no checkpoint after the first has an actual arrival";
    return flight;
}

}  // namespace navlog
