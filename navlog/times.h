// The times of a nav log: clock times and leg times read from the report's
// texts as the gauge reads them, durations and differences written for a
// person, and the flight time of a whole or a half-flown report.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "report/report.h"

namespace navlog {

// A time text as the gauge reads one with the plain markers ("AM", "PM",
// either case, before or after it) and ':': an hour, optionally a minute and
// a second; hour 0 to 23 (1 to 12 with a marker), minute and second 0 to 59.
// Stores the minutes after midnight (the second dropped). False for anything
// else, the empty text and "??" (a missed arrival) among them.
bool ReadMinutes(std::string_view text, int& minutes);

// Minutes as "hh:mm" (more hours than 24 where a sum has them, "-" before a
// negative one).
std::string DurationText(std::int64_t minutes);

// A leg's flown minus its planned minutes: "+3", "0", "-12".
std::string DifferenceText(std::int64_t minutes);

// Minutes from one clock time to the next: over midnight when the second is
// earlier (a flight is shorter than a day).
int MinutesBetween(int from, int to);

// The flight time: from the departure time to the arrival time the gauge
// writes at the last checkpoint; before that, to the last actual arrival
// after the first checkpoint (the flight so far).
struct FlightTime {
    enum Kind { NotKnown, Whole, SoFar } Is = NotKnown;
    int Minutes = 0;
    int Checkpoint = -1;  // SoFar: the checkpoint (from 0) of the last arrival
    std::string Why;      // NotKnown: what it needs, in words
};
FlightTime FlightTimeOf(const TReportHeader& header, std::span<const TChkPoint> checkpoints);

}  // namespace navlog
