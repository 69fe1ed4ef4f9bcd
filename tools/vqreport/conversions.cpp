#include "tools/vqreport/conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/decimal.h"
#include "platform/regional.h"

namespace vqreport {

namespace {

void SkipBlanks(const std::string& text, std::size_t& i) {
    while (i < text.size() && text[i] == ' ') ++i;
}

bool StartsWithNoCase(const std::string& text, std::size_t at, const std::string& word) {
    if (word.empty() || text.size() - at < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (std::toupper(static_cast<unsigned char>(text[at + k])) !=
            std::toupper(static_cast<unsigned char>(word[k]))) {
            return false;
        }
    }
    return true;
}

enum class Marker { None, Morning, Afternoon };

// Takes a morning or afternoon marker at `i`, if one stands there.
Marker TakeMarker(const std::string& text, std::size_t& i) {
    const platform::RegionalSettings& regional = platform::CurrentRegionalSettings();
    const std::string words[4] = {"AM", "PM", regional.MorningMarker, regional.AfternoonMarker};
    const Marker meaning[4] = {Marker::Morning, Marker::Afternoon, Marker::Morning, Marker::Afternoon};
    for (int k = 0; k < 4; ++k) {
        if (StartsWithNoCase(text, i, words[k])) {
            i += words[k].size();
            return meaning[k];
        }
    }
    return Marker::None;
}

// Decimal digits at `i`; false when there are none.
bool TakeNumber(const std::string& text, std::size_t& i, int& value) {
    std::size_t start = i;
    long long n = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (n < 1000000) n = n * 10 + (text[i] - '0');
        ++i;
    }
    value = static_cast<int>(n);
    return i > start;
}

}  // namespace

bool ReadTimeOfDay(const std::string& text, double& hours) {
    const char separator = ':';
    std::size_t i = 0;
    SkipBlanks(text, i);
    Marker marker = TakeMarker(text, i);
    SkipBlanks(text, i);
    int hour = 0, minute = 0, second = 0;
    if (!TakeNumber(text, i, hour)) return false;
    SkipBlanks(text, i);
    if (i < text.size() && text[i] == separator) {
        ++i;
        SkipBlanks(text, i);
        if (!TakeNumber(text, i, minute)) return false;
        SkipBlanks(text, i);
        if (i < text.size() && text[i] == separator) {
            ++i;
            SkipBlanks(text, i);
            if (!TakeNumber(text, i, second)) return false;
            SkipBlanks(text, i);
        }
    }
    if (marker == Marker::None) {
        marker = TakeMarker(text, i);
        SkipBlanks(text, i);
    }
    if (i != text.size()) return false;
    if (minute > 59 || second > 59) return false;
    if (marker == Marker::None) {
        if (hour > 23) return false;
    } else {
        if (hour < 1 || hour > 12) return false;
        if (hour == 12) hour = 0;
        if (marker == Marker::Afternoon) hour += 12;
    }
    hours = hour + minute * (1.0 / 60.0);
    return true;
}

std::string FormatHours(double hours) {
    if (!std::isfinite(hours) || std::fabs(hours) > 1e6) return "--:--";
    int h = static_cast<int>(hours);
    int m = static_cast<int>((hours - h) * 60.0 + 0.5);
    if (m >= 60) {
        m = 0;
        ++h;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", h, m);
    return buffer;
}

bool ReadWholeNumber(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    SkipBlanks(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    }
    std::size_t start = i;
    long long n = 0;
    for (; i < text.size(); ++i) {
        int digit;
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
            digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        } else {
            break;
        }
        n = n * base + digit;
        if (n > 0x100000000LL) return false;
    }
    if (i == start || i != text.size()) return false;
    if (negative) n = -n;
    // Hexadecimal digits may give the bit pattern of a negative number.
    if (base == 16 && n > std::numeric_limits<std::int32_t>::max() && n <= 0xFFFFFFFFLL) n -= 0x100000000LL;
    if (n > std::numeric_limits<std::int32_t>::max() || n < std::numeric_limits<std::int32_t>::min()) return false;
    value = static_cast<std::int32_t>(n);
    return true;
}

bool ReadLegDistance(const std::string& text, char separator, double& value) {
    std::size_t i = 0;
    SkipBlanks(text, i);
    std::size_t taken = platform::ReadDecimalPrefix(text.data() + i, text.size() - i, separator, value);
    if (taken == 0 || !std::isfinite(value)) return false;
    i += taken;
    SkipBlanks(text, i);
    return i == text.size();
}

}  // namespace vqreport
