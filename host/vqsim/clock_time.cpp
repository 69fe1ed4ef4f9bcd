#include "host/vqsim/clock_time.h"

#include <charconv>

namespace vqsim {

namespace {

// Reads "H:MM[:SS]", blanks around it, into its parts; false on anything else.
bool ParseParts(const std::string& text, long long& hours, int& minutes, int& seconds) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const char* at = text.data() + first;
    const char* const end = text.data() + text.find_last_not_of(" \t") + 1;
    // A number of `least` to `most` digits.
    auto number = [&](unsigned& value, long least, long most) {
        const std::from_chars_result read = std::from_chars(at, end, value);
        const long digits = read.ptr - at;
        at = read.ptr;
        return read.ec == std::errc() && digits >= least && digits <= most;
    };
    unsigned h = 0, m = 0, s = 0;
    if (!number(h, 1, 6) || at == end || *at++ != ':' || !number(m, 2, 2) || m > 59) return false;
    if (at != end && (*at++ != ':' || !number(s, 2, 2) || s > 59)) return false;
    if (at != end) return false;
    hours = h;
    minutes = static_cast<int>(m);
    seconds = static_cast<int>(s);
    return true;
}

// At least two digits: "07", "123".
std::string TwoDigits(long long value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

bool ParseClockTime(const std::string& text, int& secondsOfDay) {
    long long h = 0;
    int m = 0, s = 0;
    if (!ParseParts(text, h, m, s) || h > 23) return false;
    secondsOfDay = static_cast<int>(h * 3600 + m * 60 + s);
    return true;
}

bool ParseDuration(const std::string& text, long long& seconds) {
    long long h = 0;
    int m = 0, s = 0;
    if (!ParseParts(text, h, m, s)) return false;
    seconds = h * 3600 + m * 60 + s;
    return true;
}

bool ParseGivenTime(const std::string& text, GivenTime& given) {
    std::size_t plus = text.find_first_not_of(" \t");
    if (plus != std::string::npos && text[plus] == '+') {
        long long seconds = 0;
        if (!ParseDuration(text.substr(plus + 1), seconds)) return false;
        given = GivenTime{true, seconds};
        return true;
    }
    int ofDay = 0;
    if (!ParseClockTime(text, ofDay)) return false;
    given = GivenTime{false, ofDay};
    return true;
}

long long ElapsedAt(const GivenTime& given, int startOfDay) {
    if (given.AfterStart) return given.Seconds;
    long long elapsed = (given.Seconds - startOfDay) % SecondsPerDay;
    return elapsed < 0 ? elapsed + SecondsPerDay : elapsed;
}

std::string ClockText(long long seconds) {
    long long ofDay = seconds % SecondsPerDay;
    if (ofDay < 0) ofDay += SecondsPerDay;
    return HoursMinutesText(ofDay) + ":" + TwoDigits(ofDay % 60);
}

std::string HoursMinutesText(long long seconds) {
    const std::string sign = seconds < 0 ? "-" : "";
    if (seconds < 0) seconds = -seconds;
    return sign + TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60);
}

}  // namespace vqsim
