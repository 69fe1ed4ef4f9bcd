// Times of day and durations as the simulator's clock, the report and the
// pilot's script give them: whole seconds, texts "HH:MM" and "HH:MM:SS".
#pragma once

#include <string>

namespace vqsim {

constexpr int SecondsPerDay = 24 * 60 * 60;

// "H:MM" or "H:MM:SS", blanks around it allowed. A clock time needs hours
// 0 to 23; a duration takes any hour count. Minutes and seconds 0 to 59.
bool ParseClockTime(const std::string& text, int& secondsOfDay);
bool ParseDuration(const std::string& text, long long& seconds);

// A moment of the flight as the user gives it: a clock time ("07:45",
// "07:45:30"), the first time the clock shows it, or a time after the start
// of the simulation ("+0:15", "+1:02:30").
struct GivenTime {
    bool AfterStart = false;
    long long Seconds = 0;  // seconds of the day, or after the start
};
bool ParseGivenTime(const std::string& text, GivenTime& given);
// Seconds after the start at which the clock, started at `startOfDay`,
// reaches `given`.
long long ElapsedAt(const GivenTime& given, int startOfDay);

// "HH:MM:SS" of the clock `seconds` after midnight (wrapping at 24 hours).
std::string ClockText(long long seconds);
// "HH:MM" of a duration or a time of day (no wrap).
std::string HoursMinutesText(long long seconds);

}  // namespace vqsim
