// Decimal numbers in text, independent of the C library's locale.
//
// The report file always uses '.'; the pilot's regional settings may use
// another separator. Both go through these functions, which accept only plain
// decimal numbers (no "inf", "nan" or hexadecimal forms) whatever the C
// library would accept, and never depend on the process's setlocale.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Reads the longest prefix of text[0, length) that is a decimal number:
// optional sign, digits with an optional `separator` and fraction (at least
// one digit in all), optional exponent "e"/"E" with optional sign and digits.
// Leading white space is not skipped here. Returns the number of characters
// taken (0 when there is no number) and stores the value. A number too large
// for a double gives +-infinity; the caller decides what to make of it.
std::size_t ReadDecimalPrefix(const char* text, std::size_t length, char separator, double& value);

constexpr std::size_t FixedTextMaxChars = 330;
std::size_t FormatFixed(double value, int decimals, char* out);
std::size_t FormatWhole(std::int32_t value, char* out);

}  // namespace platform
