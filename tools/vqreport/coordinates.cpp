#include "tools/vqreport/coordinates.h"

#include <cctype>
#include <charconv>
#include <string_view>

#include "cli/numbers.h"
#include "report/text.h"

namespace vqreport {

namespace {

constexpr char DegreeSign = '\xB0';  // in code page 1252

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Digits with an optional fraction ("30", "30.5", ".5") from text[i]; moves
// `i` past them. `fraction` tells whether there was a decimal point.
bool ReadPart(const std::string& text, std::size_t& i, double& value, bool& fraction) {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    std::size_t digits = i - start;
    fraction = i < text.size() && text[i] == '.';
    if (fraction) {
        const std::size_t point = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        digits += i - point;
    }
    if (digits == 0) return false;
    const std::from_chars_result read = std::from_chars(text.data() + start, text.data() + i, value);
    return read.ec == std::errc() && read.ptr == text.data() + i;
}

// Degrees, minutes and seconds, each after the one before, set apart by
// their marks or by blanks; the sign is the caller's.
bool ReadDegreesMinutesSeconds(const std::string& text, double& degrees) {
    static const std::string_view marks[3] = {"*\xB0", "'", "\""};
    double parts[3] = {};
    int count = 0;
    bool fraction = false;
    std::size_t i = 0;
    while (i < text.size()) {
        // A fourth part, or a part after one with decimals.
        if (count == 3 || fraction) return false;
        if (!ReadPart(text, i, parts[count], fraction)) return false;
        const std::size_t end = i;
        if (i < text.size() && marks[count].find(text[i]) != std::string_view::npos) ++i;
        ++count;
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == end && i < text.size()) return false;  // a wrong mark, or no break before the next part
    }
    if (count == 0 || !(parts[1] < 60.0) || !(parts[2] < 60.0)) return false;
    degrees = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    return true;
}

}  // namespace

bool ReadCoordinate(const std::string& given, Axis axis, bool decimalComma, double& degrees) {
    const char positive = axis == Axis::Latitude ? 'N' : 'E';
    const char negative = axis == Axis::Latitude ? 'S' : 'W';
    // One byte for the degree sign, '.' for the decimal mark.
    std::string text;
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given.compare(i, 2, "\xC2\xB0") == 0) {
            text += DegreeSign;
            ++i;
        } else {
            text += decimalComma && given[i] == ',' ? '.' : given[i];
        }
    }
    text = TrimText(text);
    if (text.empty()) return false;

    // The hemisphere letter before or after, or a sign.
    int sign = 0;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if (first == positive || first == negative) {
        sign = first == negative ? -1 : 1;
        text = TrimText(text.substr(1));
    } else if (last == positive || last == negative) {
        sign = last == negative ? -1 : 1;
        text = TrimText(text.substr(0, text.size() - 1));
    }
    if (text.empty() || (sign != 0 && (text[0] == '-' || text[0] == '+'))) return false;

    double value = 0.0;
    if (text.find_first_of(" \t*'\"\xB0") == std::string::npos) {
        // Decimal degrees, as a spreadsheet may write them ("-1.5E-05" too).
        if (!cli::ReadNumber(text, value)) return false;
    } else {
        if (sign == 0 && (text[0] == '-' || text[0] == '+')) {
            sign = text[0] == '-' ? -1 : 1;
            text = TrimText(text.substr(1));
        }
        if (!ReadDegreesMinutesSeconds(text, value)) return false;
    }
    degrees = sign < 0 ? -value : value;
    return true;
}

std::string CoordinateForms(Axis axis) {
    const bool latitude = axis == Axis::Latitude;
    const std::string p(1, latitude ? 'N' : 'E'), n(1, latitude ? 'S' : 'W'), d = latitude ? "52" : "4";
    return "decimal degrees (" + d + ".5, -" + d + ".5, " + p + d + ".5, " + d + ".5" + n +
           ") or degrees and minutes, seconds if wanted (" + p + d + " 30.5, " + d + " 30.5 " + n + ", " + d +
           "*30'30\"" + p + ", " + n + d + "* 30' 30.5\"; * or the degree sign)";
}

}  // namespace vqreport
