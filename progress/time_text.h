// Times as texts ("hh:mm") and as hours (a double), leg distances as
// numbers, and the plane distance the arrival detection measures.
#pragma once

#include <cstdint>
#include <string>

// Reads a time of day: hour, optionally ":" minute, optionally ":" second,
// with blanks around each part, hour 0-23, minute and second 0-59; an "AM" or
// "PM" marker (or the user's own markers) before or after makes it a 12-hour
// time. Returns hour + minute/60 (the second is dropped). Throws
// ConversionError("'<text>' is not a valid time") for anything else.
double TimeTextToHours(const std::string& text);

// Hours as "%02d:%02d", the minute rounded to the nearest (a half minute up).
// The hour count is not taken modulo 24. Defined for every double: NaN gives
// "00:00" and the hour count is held within the 32-bit range.
std::string HoursToTimeText(double hours);

// As HoursToTimeText, but a clock time: the hour count is taken modulo 24 and
// a negative time is brought into the day, so the text is 00:00 to 23:59.
std::string HoursToClockText(double hours);

// Reads a leg distance: the whole text must be a decimal number (sign, digits
// with the user's decimal separator, exponent), blanks allowed around it.
// Throws ConversionError("'<text>' is not a valid floating point value").
double TextToFloat(const std::string& text);

// The square root of (x2 - x1)^2 + (y2 - y1)^2.
double PlanarDistance(double x1, double y1, double x2, double y2);

// `value` truncated toward zero and held within the 32-bit signed range;
// NaN gives 0.
std::int32_t TruncateToInt32(double value);

// "%02d:%02d".
std::string TwoDigitTime(std::int32_t hours, std::int32_t minutes);
