#include "tools/vqreport/conversions.h"

#include <cmath>
#include <cstdio>

#include "platform/decimal.h"
#include "platform/regional.h"
#include "progress/fuel.h"
#include "progress/time_text.h"

namespace vqreport {

namespace {

// The neutral regional settings with `decimalSeparator`, for as long as it
// lives; then the settings in force before.
class NeutralRegionalSettings {
public:
    explicit NeutralRegionalSettings(char decimalSeparator) : Before(platform::CurrentRegionalSettings()) {
        platform::RegionalSettings neutral;
        neutral.DecimalSeparator = decimalSeparator;
        platform::SetRegionalSettings(neutral);
    }
    ~NeutralRegionalSettings() { platform::SetRegionalSettings(Before); }
    NeutralRegionalSettings(const NeutralRegionalSettings&) = delete;
    NeutralRegionalSettings& operator=(const NeutralRegionalSettings&) = delete;

private:
    platform::RegionalSettings Before;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether `text` is a zero the way WholeNumberOrZero reads numbers: blanks,
// optional sign, optional "$", "x" or "0x", then only '0' digits. It is the
// one case where WholeNumberOrZero's 0 does not tell by itself whether the
// text was a number.
bool IsWrittenZero(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    }
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
        if (text[i] != '0') return false;
    }
    return true;
}

}  // namespace

bool ReadTimeOfDay(const std::string& text, double& hours) {
    NeutralRegionalSettings neutral('.');
    return TimeTextToHours(text, hours);
}

std::string FormatHours(double hours) { return HoursToTimeText(hours); }

std::string FormatDecimals(double value, int decimals) {
    char text[platform::FixedTextMaxChars + 1];
    return std::string(text, platform::FormatFixed(value, decimals, text));
}

bool ReadWholeNumber(const std::string& text, std::int32_t& value) {
    const std::int32_t number = WholeNumberOrZero(text);
    if (number == 0 && !IsWrittenZero(text)) return false;
    value = number;
    return true;
}

std::string WholeNumberProblem(const std::string& text) {
    // Laid out as WholeNumberOrZero reads it: blanks, a sign, "$", "x" or "0x", digits.
    std::size_t i = text.find_first_not_of(" \t");
    if (i != std::string::npos && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t hexMark = 0;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hexMark = 1;
    } else if (i != std::string::npos && (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0)) {
        hexMark = 2;
    }
    const std::size_t digits = i == std::string::npos ? i : i + hexMark;
    const char* const allowed = hexMark ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits < text.size() && text.find_first_not_of(allowed, digits) == std::string::npos) {
        return hexMark ? "has more than the 8 hexadecimal digits (32 bits) the fuel summary reads"
                       : "is outside -2147483648 to 2147483647, the whole numbers the fuel summary reads";
    }
    return "is not a whole number (digits, or hexadecimal digits after $ or 0x)";
}

std::string NumberText(double value) {
    if (std::fabs(value) < 1e9) return FormatDecimals(value, 6);
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", value);
    return text;
}

bool ReadLegDistance(const std::string& text, char separator, double& value) {
    NeutralRegionalSettings neutral(separator);
    return TextToFloat(text, value);
}

}  // namespace vqreport
