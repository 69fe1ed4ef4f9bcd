#include "host/vqsim/clock_time.h"

#include <cctype>
#include <cstdio>

namespace vqsim {

namespace {

// Reads "H:MM[:SS]" into its parts; false on anything else.
bool ParseParts(const std::string& text, long long& hours, int& minutes, int& seconds) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    auto number = [&](long long& value, std::size_t maxDigits) {
        std::size_t digits = 0;
        value = 0;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i])) && digits < maxDigits) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        return digits > 0;
    };
    skipBlanks();
    long long h = 0, m = 0, s = 0;
    if (!number(h, 6) || i >= n || text[i] != ':') return false;
    ++i;
    std::size_t minuteStart = i;
    if (!number(m, 2) || i - minuteStart != 2 || m > 59) return false;
    if (i < n && text[i] == ':') {
        ++i;
        std::size_t secondStart = i;
        if (!number(s, 2) || i - secondStart != 2 || s > 59) return false;
    }
    skipBlanks();
    if (i != n) return false;
    hours = h;
    minutes = static_cast<int>(m);
    seconds = static_cast<int>(s);
    return true;
}

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
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(ofDay / 3600),
                  static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
    return text;
}

std::string HoursMinutesText(long long seconds) {
    const bool negative = seconds < 0;
    if (negative) seconds = -seconds;
    char text[32];
    std::snprintf(text, sizeof text, "%s%02lld:%02lld", negative ? "-" : "", seconds / 3600, seconds / 60 % 60);
    return text;
}

}  // namespace vqsim
