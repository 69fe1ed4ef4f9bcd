// Arbitrary texts and doubles through the time and number conversions: no
// crash, no sanitizer report, no error, and results that
// hold what their callers rely on: clock texts within the day, no "inf" or
// "nan" in any text, numbers that read back as written, and the conversions
// done without the C library equal to strtod and printf.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "interface/fpu.h"
#include "platform/decimal.h"
#include "platform/regional.h"
#include "progress/fuel.h"
#include "progress/time_text.h"
#include "report/report_file.h"
#include "report/text.h"

namespace {

using vqfuzz::Check;
using vqfuzz::Fixed;

bool Digits(const std::string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return from < to;
}

// "hh:mm" with at least two hour digits (and a sign when negative is allowed).
bool IsTimeText(const std::string& text, bool clock) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() != colon + 3 || !Digits(text, colon + 1, text.size())) return false;
    if (std::atoi(text.c_str() + colon + 1) > 59) return false;
    if (clock) return colon == 2 && Digits(text, 0, 2) && std::atoi(text.c_str()) < 24;
    const std::size_t first = text[0] == '-' ? 1 : 0;
    return colon >= first + 2 && Digits(text, first, colon);
}

double BitsToDouble(const std::uint8_t* data, std::size_t size) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string Printf(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

void Times(const std::string& text) {
    double hours = -1.0;
    if (!TimeTextToHours(text, hours)) {
        Check(hours == -1.0, "a text that is not a time leaves the hours alone");
        return;
    }
    Check(hours >= 0.0 && hours < 24.0, "a time of day is within the day");
    const std::string written = HoursToTimeText(hours);
    Check(IsTimeText(written, true), "a time of day writes as a clock time");
    double again = -1.0;
    if (platform::CurrentRegionalSettings().TimeSeparator == ':') {
        Check(TimeTextToHours(written, again) && again == hours, "a time of day reads back as written");
    }
}

void Numbers(const std::string& text) {
    double distance = 0.0;
    if (TextToFloat(text, distance)) Check(std::isfinite(distance), "a leg distance is finite");
    ParseReportCount(text);
    WholeNumberOrZero(text);
    const std::string trimmed = TrimText(text);
    Check(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                              static_cast<unsigned char>(trimmed.back()) > 32),
          "a trimmed text has no blanks or control characters at its ends");

    const double number = ParseReportNumber(text);
    Check(std::isfinite(number), "a report number is finite");
    const std::string written = Fixed(number, 6);
    Check(Fixed(ParseReportNumber(written), 6) == written, "a report number reads back as written");

    // The prefix reader against strtod, with '.' as the separator.
    double value = 0.0;
    const std::size_t taken = platform::ReadDecimalPrefix(text.data(), text.size(), '.', value);
    Check(taken <= text.size(), "the number prefix lies within the text");
    if (taken > 0) {
        const double expected = std::strtod(text.substr(0, taken).c_str(), nullptr);
        Check(std::memcmp(&value, &expected, sizeof value) == 0, "the number prefix reads as strtod reads it");
    }
}

void Doubles(double value) {
    Check(IsTimeText(HoursToClockText(value), true), "a clock text is 00:00 to 23:59");
    // Leg times and flight times, the hour counts the module writes, are never negative.
    if (!(value < 0.0)) Check(IsTimeText(HoursToTimeText(value), false), "an hour count writes as hh:mm");
    HoursToTimeText(value);
    TruncateToInt32(value);
    if (std::isfinite(value)) {
        for (int decimals : {0, 2, 6}) {
            Check(Fixed(value, decimals) == Printf(value, decimals), "numbers are written as printf writes them");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LoadControlWord(ModuleControlWord);  // as at every entry into the module
    if (size == 0) return 0;
    // The first byte chooses the pilot's regional settings.
    platform::RegionalSettings settings;
    switch (data[0] % 4) {
    case 1: settings.DecimalSeparator = ','; settings.TimeSeparator = '.'; break;
    case 2: settings.MorningMarker = "vm"; settings.AfternoonMarker = "nm"; break;
    case 3: settings.MorningMarker = ""; settings.AfternoonMarker = "\xe9"; settings.TimeSeparator = ' '; break;
    default: break;
    }
    platform::SetRegionalSettings(settings);
    if ((data[0] & 0x80) == 0) platform::FixTimeSeparator();

    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    Times(text);
    Numbers(text);
    Doubles(BitsToDouble(data + 1, size - 1));
    // The text read as a number, scaled as the fuel and the clock scale it.
    const double number = ParseReportNumber(text);
    Doubles(number);
    Doubles(number / 60.0);
    Doubles(number * 1e6);
    platform::ResetRegionalSettings();
    return 0;
}
