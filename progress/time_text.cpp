#include "progress/time_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/decimal.h"
#include "platform/regional.h"
#include "progress/conversion_error.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a time text character by character.
class TimeScanner {
public:
    explicit TimeScanner(const std::string& text) : Text(text) {}

    void SkipBlanks() {
        while (Pos < Text.size() && IsBlank(Text[Pos])) ++Pos;
    }
    bool AtEnd() const { return Pos == Text.size(); }
    bool Take(char c) {
        if (Pos < Text.size() && Text[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    // Decimal digits; false when there are none. Large values are held at 1000.
    bool Number(int& value) {
        std::size_t start = Pos;
        value = 0;
        while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9') {
            if (value < 1000) value = value * 10 + (Text[Pos] - '0');
            ++Pos;
        }
        return Pos > start;
    }
    // A morning or afternoon marker, either case: 0 morning, 1 afternoon, -1 none.
    int Marker() {
        const platform::RegionalSettings& settings = platform::CurrentRegionalSettings();
        const std::string* candidates[] = {&settings.MorningMarker, &settings.AfternoonMarker};
        static const std::string am = "AM", pm = "PM";
        const std::string* fixed[] = {&am, &pm};
        for (int half = 0; half < 2; ++half) {
            if (Matches(*candidates[half]) || Matches(*fixed[half])) return half;
        }
        return -1;
    }

private:
    bool Matches(const std::string& marker) {
        if (marker.empty() || Text.size() - Pos < marker.size()) return false;
        for (std::size_t i = 0; i < marker.size(); ++i) {
            unsigned char a = static_cast<unsigned char>(Text[Pos + i]);
            unsigned char b = static_cast<unsigned char>(marker[i]);
            if (std::toupper(a) != std::toupper(b)) return false;
        }
        Pos += marker.size();
        return true;
    }

    const std::string& Text;
    std::size_t Pos = 0;
};

[[noreturn]] void NotATime(const std::string& text) {
    throw ConversionError("'" + text + "' is not a valid time");
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
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}

std::string TwoDigitTime(std::int32_t hours, std::int32_t minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", static_cast<int>(hours), static_cast<int>(minutes));
    return buffer;
}

double TimeTextToHours(const std::string& text) {
    TimeScanner scan(text);
    const char separator = platform::CurrentRegionalSettings().TimeSeparator;
    scan.SkipBlanks();
    int half = scan.Marker();
    scan.SkipBlanks();
    int hour = 0, minute = 0, second = 0;
    if (!scan.Number(hour)) NotATime(text);
    scan.SkipBlanks();
    if (scan.Take(separator)) {
        scan.SkipBlanks();
        if (!scan.Number(minute)) NotATime(text);
        scan.SkipBlanks();
        if (scan.Take(separator)) {
            scan.SkipBlanks();
            if (!scan.Number(second)) NotATime(text);
            scan.SkipBlanks();
        }
    }
    if (half < 0) {
        half = scan.Marker();
        scan.SkipBlanks();
    }
    if (!scan.AtEnd()) NotATime(text);
    if (minute > 59 || second > 59) NotATime(text);
    if (half < 0) {
        if (hour > 23) NotATime(text);
    } else {
        if (hour < 1 || hour > 12) NotATime(text);
        if (hour == 12) hour = 0;
        if (half == 1) hour += 12;
    }
    return hour + minute * (1.0 / 60.0);
}

std::string HoursToTimeText(double hours) {
    std::int32_t h, m;
    SplitHours(hours, h, m);
    return TwoDigitTime(h, m);
}

std::string HoursToClockText(double hours) {
    if (!std::isfinite(hours)) hours = 0.0;
    hours = std::fmod(hours, 24.0);
    if (hours < 0.0) hours += 24.0;
    std::int32_t h, m;
    SplitHours(hours, h, m);
    return TwoDigitTime(h % 24, m);
}

double TextToFloat(const std::string& text) {
    const char separator = platform::CurrentRegionalSettings().DecimalSeparator;
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    double value = 0.0;
    std::size_t taken = platform::ReadDecimalPrefix(text.data() + start, text.size() - start, separator, value);
    std::size_t end = start + taken;
    while (end < text.size() && IsBlank(text[end])) ++end;
    if (taken == 0 || end != text.size() || !std::isfinite(value)) {
        throw ConversionError("'" + text + "' is not a valid floating point value");
    }
    return value;
}

double PlanarDistance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}
