#include "progress/time_text.h"

#include "platform/decimal.h"
#include "platform/regional.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a time text character by character.
class TimeScanner {
public:
    TimeScanner(const char* text, std::size_t length) : Text(text), Length(length) {}

    void SkipBlanks() {
        while (Pos < Length && IsBlank(Text[Pos])) ++Pos;
    }
    bool AtEnd() const { return Pos == Length; }
    bool Take(char c) {
        if (Pos < Length && Text[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    // Decimal digits; false when there are none. Large values are held at 1000.
    bool Number(int& value) {
        std::size_t start = Pos;
        value = 0;
        while (Pos < Length && Text[Pos] >= '0' && Text[Pos] <= '9') {
            if (value < 1000) value = value * 10 + (Text[Pos] - '0');
            ++Pos;
        }
        return Pos > start;
    }
    // A morning or afternoon marker, either case: 0 morning, 1 afternoon, -1 none.
    // The plain "AM" and "PM" count beside the user's markers; where they overlap
    // the longest match wins ("AM" over a user's "A"), the user's on a tie.
    int Marker() {
        const platform::RegionalSettings& settings = platform::CurrentRegionalSettings();
        const ShortText* user[] = {&settings.MorningMarker, &settings.AfternoonMarker};
        int half = -1;
        std::size_t longest = 0;
        for (int i = 0; i < 4; ++i) {
            const char* marker = i < 2 ? user[i]->data() : i == 2 ? "AM" : "PM";
            const std::size_t size = i < 2 ? user[i]->size() : 2;
            if (size > longest && Matches(marker, size)) {
                half = i % 2;
                longest = size;
            }
        }
        Pos += longest;
        return half;
    }

private:
    static unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

    // Whether the text at the current position starts with `marker`, either case.
    bool Matches(const char* marker, std::size_t size) const {
        if (Length - Pos < size) return false;
        for (std::size_t i = 0; i < size; ++i) {
            unsigned char a = static_cast<unsigned char>(Text[Pos + i]);
            unsigned char b = static_cast<unsigned char>(marker[i]);
            if (Upper(a) != Upper(b)) return false;
        }
        return true;
    }

    const char* Text;
    std::size_t Length;
    std::size_t Pos = 0;
};

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
    TimeScanner scan(text, length);
    const char separator = platform::CurrentRegionalSettings().TimeSeparator;
    scan.SkipBlanks();
    int half = scan.Marker();
    scan.SkipBlanks();
    int hour = 0, minute = 0, second = 0;
    if (!scan.Number(hour)) return false;
    scan.SkipBlanks();
    if (scan.Take(separator)) {
        scan.SkipBlanks();
        if (!scan.Number(minute)) return false;
        scan.SkipBlanks();
        if (scan.Take(separator)) {
            scan.SkipBlanks();
            if (!scan.Number(second)) return false;
            scan.SkipBlanks();
        }
    }
    if (half < 0) {
        half = scan.Marker();
        scan.SkipBlanks();
    }
    if (!scan.AtEnd()) return false;
    if (minute > 59 || second > 59) return false;
    if (half < 0) {
        if (hour > 23) return false;
    } else {
        if (hour < 1 || hour > 12) return false;
        if (hour == 12) hour = 0;
        if (half == 1) hour += 12;
    }
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
