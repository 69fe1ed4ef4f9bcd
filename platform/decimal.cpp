#include "platform/decimal.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {
std::string FormatFixedOld(double value, int decimals);

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal point that strtod and printf use in the process's current locale.
char LibraryDecimalPoint() {
    const std::lconv* conv = std::localeconv();
    return (conv && conv->decimal_point && conv->decimal_point[0]) ? conv->decimal_point[0] : '.';
}

// Exact powers of ten as doubles (10^22 is the largest one).
constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a plain decimal number of at most 15 digits and no exponent
// (as the report file's coordinates and fuel are written) without the C
// library: the digits as a whole number and the power of ten are both exact
// doubles, so the one division rounds exactly as strtod does. False for
// anything else.
bool FastDecimal(const char* text, std::size_t length, char separator, double& value) {
    std::size_t i = 0;
    const bool negative = i < length && text[i] == '-';
    if (i < length && (text[i] == '+' || text[i] == '-')) ++i;
    std::uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    bool inFraction = false;
    for (; i < length; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (++count > 15) return false;
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            if (inFraction) ++fraction;
        } else if (c == separator && !inFraction) {
            inFraction = true;
        } else {
            return false;
        }
    }
    const double magnitude = static_cast<double>(digits) / PowersOfTen[fraction];
    value = negative ? -magnitude : magnitude;
    return true;
}

// "%.*f" without the C library where that is sure to give printf's digits.
// The value scaled by 10^decimals is held below 2^52, where every whole
// number and every half is a double; rounding the product to a double keeps
// it on the same side of each half as the exact product, or puts it on the
// half. Off a half both round to the same whole number; on one (a tie, or a
// product rounded onto it) printf decides. False when printf must.
bool FastFixed(double value, int decimals, std::string& text) {
    if (decimals < 0 || decimals > 9 || !std::isfinite(value)) return false;
    const double scaled = std::fabs(value) * PowersOfTen[decimals];
    if (!(scaled < 0x1p52)) return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact
    if (fraction == 0.5) return false;
    const std::uint64_t units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    const std::uint64_t scale = static_cast<std::uint64_t>(PowersOfTen[decimals]);

    // The digits from the last; 32-bit arithmetic where the numbers allow.
    char digits[40];
    char* end = digits + sizeof digits;
    char* p = end;
    std::uint32_t decimalDigits = static_cast<std::uint32_t>(units % scale);
    for (int i = 0; i < decimals; ++i, decimalDigits /= 10) *--p = static_cast<char>('0' + decimalDigits % 10);
    if (decimals > 0) *--p = '.';
    std::uint64_t wholeDigits = units / scale;
    for (; wholeDigits > 0xFFFFFFFFu; wholeDigits /= 10) *--p = static_cast<char>('0' + wholeDigits % 10);
    std::uint32_t low = static_cast<std::uint32_t>(wholeDigits);
    do {
        *--p = static_cast<char>('0' + low % 10);
        low /= 10;
    } while (low != 0);
    if (std::signbit(value)) *--p = '-';  // as printf: "-0.000000" for a negative value that rounds to 0
    text.assign(p, end);
    return true;
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
    if (FastDecimal(text, i, separator, value)) return i;
    // Hand the C library a canonical copy with its own decimal point.
    std::string canonical(text, i);
    const char point = LibraryDecimalPoint();
    for (char& c : canonical) {
        if (c == separator) c = point;
    }
    value = std::strtod(canonical.c_str(), nullptr);
    return i;
}

std::size_t FormatWhole(std::int32_t value, char* out) { return std::snprintf(out, 12, "%d", (int)value); }
std::size_t FormatFixed(double value, int decimals, char* out) {
    if (!std::isfinite(value)) value = 0.0;
    std::string t = FormatFixedOld(value, decimals);
    std::memcpy(out, t.c_str(), t.size() + 1);
    return t.size();
}
std::string FormatFixedOld(double value, int decimals) {
    std::string fast;
    if (FastFixed(value, decimals, fast)) return fast;
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
