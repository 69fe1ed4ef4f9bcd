#include "progress/fuel.h"

#include <cmath>
#include <limits>

#include "gauge/variables.h"
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
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int32_t WholeNumberOrZero(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return 0;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
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
    ReportHeader.FuelUsed = std::to_string(TruncateToInt32(used));

    const std::int32_t fuelUsed = WholeNumberOrZero(ReportHeader.FuelUsed);
    const std::int64_t total = static_cast<std::int64_t>(fuelUsed) + WholeNumberOrZero(ReportHeader.ExtraFuel1) +
                               WholeNumberOrZero(ReportHeader.ExtraFuel2) +
                               WholeNumberOrZero(ReportHeader.ExtraFuel3);
    ReportHeader.TotalFuel = std::to_string(Clamp32(total));

    double flightHours = TimeTextToHours(ReportHeader.ArrivalTime) - TimeTextToHours(ReportHeader.DepartureTime);
    if (flightHours < 0.0) flightHours += 24.0;  // the flight passed midnight
    if (flightHours != 0.0) {
        const double rate = fuelUsed / flightHours;
        ReportHeader.FuelPerHour = TrimText(platform::FormatFixed(rate, 2));
    }
    SaveReport();
}
