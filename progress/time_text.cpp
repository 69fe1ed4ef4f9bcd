#include "progress/time_text.h"

#include "platform/decimal.h"
#include "platform/regional.h"
#include "platform/time_of_day.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// x - 24 * trunc(x / 24) exactly, as the x87's partial remainder gives it.
double Remainder24(double x) {
    double remainder;
    asm("1: fprem\n\t"
        "fnstsw %%ax\n\t"
        "testb $4, %%ah\n\t"
        "jnz 1b"
        : "=t"(remainder)
        : "0"(x), "u"(24.0)
        : "ax", "cc");
    return remainder;
}

// Hours and minutes rounded as the report's time texts have them.
void SplitHours(double hours, std::int32_t& h, std::int32_t& m) {
    h = TruncateToInt32(hours);
    const bool inRange = hours > -2147483648.0 && hours < 2147483647.0;  // false for NaN too
    const double fraction = inRange ? hours - h : 0.0;
    m = TruncateToInt32(fraction * 60.0 + 0.5);
    if (m >= 60) {
        m = 0;
        if (h < 2147483647) ++h;
    }
}

}  // namespace

std::int32_t TruncateToInt32(double value) {
    if (__builtin_isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}

ShortText TwoDigitTime(std::int32_t hours, std::int32_t minutes) {
    ShortText text;
    const std::int32_t parts[2] = {hours, minutes};
    for (std::int32_t value : parts) {
        char digits[12];
        if (!text.empty()) text.Append(":");
        if (value >= 0 && value < 10) text.Append("0");
        text.Append(digits, platform::FormatWhole(value, digits));
    }
    return text;
}

bool TimeTextToHours(const char* text, std::size_t length, double& hours) {
    // The plain "AM" and "PM" count beside the user's markers; where they
    // overlap the longest match wins ("AM" over a user's "A"), the user's on a tie.
    const platform::RegionalSettings& settings = platform::CurrentRegionalSettings();
    const platform::DayHalfMarker markers[] = {
        {settings.MorningMarker.data(), settings.MorningMarker.size(), 0},
        {settings.AfternoonMarker.data(), settings.AfternoonMarker.size(), 1},
        {"AM", 2, 0},
        {"PM", 2, 1},
    };
    int hour = 0, minute = 0;
    if (!platform::ReadTimeOfDay(text, length, settings.TimeSeparator, markers, 4, hour, minute)) return false;
    hours = hour + minute * (1.0 / 60.0);
    return true;
}

ShortText HoursToTimeText(double hours) {
    std::int32_t h, m;
    SplitHours(hours, h, m);
    return TwoDigitTime(h, m);
}

ShortText HoursToClockText(double hours) {
    if (!__builtin_isfinite(hours)) hours = 0.0;
    hours = Remainder24(hours);
    if (hours < 0.0) hours += 24.0;
    std::int32_t h, m;
    SplitHours(hours, h, m);
    return TwoDigitTime(h % 24, m);
}

bool TextToFloat(const char* text, std::size_t length, double& value) {
    const char separator = platform::CurrentRegionalSettings().DecimalSeparator;
    std::size_t start = 0;
    while (start < length && IsBlank(text[start])) ++start;
    double number = 0.0;
    std::size_t taken = platform::ReadDecimalPrefix(text + start, length - start, separator, number);
    std::size_t end = start + taken;
    while (end < length && IsBlank(text[end])) ++end;
    if (taken == 0 || end != length || !__builtin_isfinite(number)) return false;
    value = number;
    return true;
}

double PlanarDistance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    return __builtin_sqrt(dx * dx + dy * dy);
}
