#include "navlog/times.h"

#include <cstdlib>

#include "platform/time_of_day.h"

namespace navlog {

namespace {

std::string TwoDigits(std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

bool ReadMinutes(std::string_view text, int& minutes) {
    static const platform::DayHalfMarker markers[] = {{"AM", 2, 0}, {"PM", 2, 1}};
    int hour = 0, minute = 0;
    if (!platform::ReadTimeOfDay(text.data(), text.size(), ':', markers, 2, hour, minute)) return false;
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
