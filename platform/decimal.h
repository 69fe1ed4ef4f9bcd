// Decimal numbers in text, done by the module itself.
//
// The report file always uses '.'; the pilot's regional settings may use
// another separator. Both go through these functions, which accept only plain
// decimal numbers (no "inf", "nan" or hexadecimal forms), never depend on the
// process's locale or the floating-point unit's settings, and call nothing in
// the C or C++ runtime: the gauge file links neither.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Reads the longest prefix of text[0, length) that is a decimal number: optional sign, digits with an
// optional `separator` and fraction (at least one digit in all), optional exponent "e"/"E" with optional
// sign and digits (an "e" not followed by digits is not taken). Leading white space is not skipped. Returns
// the number of characters taken (0 when there is no number) and stores the value correctly rounded
// (nearest, ties to even), as strtod would in the "C" locale; a number too large for a double gives
// +-infinity, one too small gives +-0. Any number of digits and any exponent (saturate huge exponents).
std::size_t ReadDecimalPrefix(const char* text, std::size_t length, char separator, double& value);

// The longest text FormatFixed writes, without the terminating zero.
constexpr std::size_t FixedTextMaxChars = 330;
// Writes `value` in fixed notation with `decimals` (0 to 9) decimals and '.' as the separator, exactly as
// printf("%.*f") does in the "C" locale with round-to-nearest-even on the exact binary value ("-0.000000"
// for negative values that round to zero, as printf). A non-finite value is written as 0 with the same
// decimals ("0.000000"), so no "inf" or "nan" is ever written. `out` holds at least FixedTextMaxChars + 1
// bytes; the text is zero-terminated; returns its length.
std::size_t FormatFixed(double value, int decimals, char* out);

// "%d" of a 32-bit whole number into `out` (at least 12 bytes), zero-terminated; returns the length.
std::size_t FormatWhole(std::int32_t value, char* out);

}  // namespace platform
