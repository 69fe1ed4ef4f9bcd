#include "platform/decimal.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal point that strtod and printf use in the process's current locale.
char LibraryDecimalPoint() {
    const std::lconv* conv = std::localeconv();
    return (conv && conv->decimal_point && conv->decimal_point[0]) ? conv->decimal_point[0] : '.';
}

}  // namespace

std::size_t ReadDecimalPrefix(const char* text, std::size_t length, char separator, double& value) {
    value = 0.0;
    std::size_t i = 0;
    if (i < length && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < length && IsDigit(text[i])) ++i, ++digits;
    if (i < length && text[i] == separator) {
        std::size_t afterSeparator = i + 1;
        std::size_t fraction = 0;
        while (afterSeparator + fraction < length && IsDigit(text[afterSeparator + fraction])) ++fraction;
        if (digits + fraction > 0) {
            i = afterSeparator + fraction;
            digits += fraction;
        }
    }
    if (digits == 0) return 0;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < length && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < length && IsDigit(text[j])) {
            while (j < length && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    // Hand the C library a canonical copy with its own decimal point.
    std::string canonical(text, i);
    const char point = LibraryDecimalPoint();
    for (char& c : canonical) {
        if (c == separator) c = point;
    }
    value = std::strtod(canonical.c_str(), nullptr);
    return i;
}

std::string FormatFixed(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    const char point = LibraryDecimalPoint();
    std::string text(buffer);
    if (point != '.') {
        for (char& c : text) {
            if (c == point) c = '.';
        }
    }
    return text;
}

}  // namespace platform
