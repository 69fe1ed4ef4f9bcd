#include "progress/fuel.h"

#include "interface/variables.h"
#include "persistence/report_store.h"
#include "platform/decimal.h"
#include "progress/time_text.h"
#include "report/report.h"
#include "report/report_file.h"
#include "report/text.h"

namespace {

double FuelOnBoard() {
    const double first = ReadHostVariable(FuelQuantity1Variable);
    const double second = ReadHostVariable(FuelQuantity2Variable);
    const double third = ReadHostVariable(FuelQuantity3Variable);
    return first + second + third;
}

std::int32_t Clamp32(std::int64_t value) {
    constexpr std::int64_t Max = 2147483647;
    if (value > Max) return static_cast<std::int32_t>(Max);
    if (value < -Max - 1) return static_cast<std::int32_t>(-Max - 1);
    return static_cast<std::int32_t>(value);
}

// A whole number as the report's fuel fields hold it.
ReportText WholeText(std::int32_t value) {
    char digits[12];
    ReportText text;
    text.Assign(digits, platform::FormatWhole(value, digits));
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int32_t WholeNumberOrZero(const char* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < length && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < length && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == length) return 0;
    std::uint64_t value = 0;
    for (; i < length; ++i) {
        int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return 0;
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) return 0;
    }
    std::int64_t signedValue;
    if (hex) {
        // Up to eight hexadecimal digits are the 32 bits of the number.
        signedValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    } else {
        if (value > (negative ? 2147483648ull : 2147483647ull)) return 0;
        signedValue = static_cast<std::int64_t>(value);
    }
    return Clamp32(negative ? -signedValue : signedValue);
}

void RecordStartFuel() { ChkPointList.StartFuel = FuelOnBoard(); }

void ComputeFuelFigures() {
    const double fuelNow = FuelOnBoard();
    const double used = ChkPointList.StartFuel - fuelNow;
    ReportHeader.FuelUsed = WholeText(TruncateToInt32(used));

    const std::int32_t fuelUsed = WholeNumberOrZero(ReportHeader.FuelUsed);
    const std::int64_t total = static_cast<std::int64_t>(fuelUsed) + WholeNumberOrZero(ReportHeader.ExtraFuel1) +
                               WholeNumberOrZero(ReportHeader.ExtraFuel2) +
                               WholeNumberOrZero(ReportHeader.ExtraFuel3);
    ReportHeader.TotalFuel = WholeText(Clamp32(total));

    // The figures are kept at once: fuel used depends on the fuel on board
    // now, which nothing can give again.
    double arrival = 0.0, departure = 0.0;
    const bool timed = TimeTextToHours(ReportHeader.ArrivalTime, arrival) &&
                       TimeTextToHours(ReportHeader.DepartureTime, departure);
    if (timed) {
        double flightHours = arrival - departure;
        if (flightHours < 0.0) flightHours += 24.0;  // the flight passed midnight
        if (flightHours != 0.0) {
            const double rate = fuelUsed / flightHours;
            char text[platform::FixedTextMaxChars + 1];
            const std::size_t length = platform::FormatFixed(rate, 2, text);
            AssignTrimmed(ReportHeader.FuelPerHour, text, length);
        }
    }
    ReportGained();
    if (timed) SaveReport();
}
