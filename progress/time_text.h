// Times as texts ("hh:mm") and as hours (a double), leg distances as
// numbers, and the plane distance the arrival detection measures.
//
// A text that is not a time or not a number is not an error that travels:
// the conversions say so in their result and the caller stops its run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/fixed_text.h"

// Reads a time of day from text[0, length): hour, optionally ":" minute,
// optionally ":" second, with blanks around each part, hour 0-23, minute and
// second 0-59; an "AM" or "PM" marker (or the user's own markers) before or
// after makes it a 12-hour time. Sets `hours` to hour + minute/60 (the second
// is dropped) and returns true; returns false, `hours` unchanged, for anything
// else.
bool TimeTextToHours(const char* text, std::size_t length, double& hours);
template <typename Text>
bool TimeTextToHours(const Text& text, double& hours) {
    return TimeTextToHours(text.data(), text.size(), hours);
}

// Hours as "%02d:%02d", the minute rounded to the nearest (a half minute up).
// The hour count is not taken modulo 24. Defined for every double: NaN gives
// "00:00" and the hour count is held within the 32-bit range.
ShortText HoursToTimeText(double hours);

// As HoursToTimeText, but a clock time: the hour count is taken modulo 24 and
// a negative time is brought into the day, so the text is 00:00 to 23:59.
ShortText HoursToClockText(double hours);

// Reads a leg distance: the whole text must be a decimal number (sign, digits
// with the user's decimal separator, exponent), blanks allowed around it.
// Sets `value` and returns true; false, `value` unchanged, for anything else
// (a number beyond the range of a double included).
bool TextToFloat(const char* text, std::size_t length, double& value);
template <typename Text>
bool TextToFloat(const Text& text, double& value) {
    return TextToFloat(text.data(), text.size(), value);
}

// The square root of (x2 - x1)^2 + (y2 - y1)^2.
double PlanarDistance(double x1, double y1, double x2, double y2);

// `value` truncated toward zero and held within the 32-bit signed range;
// NaN gives 0.
std::int32_t TruncateToInt32(double value);

// "%02d:%02d".
ShortText TwoDigitTime(std::int32_t hours, std::int32_t minutes);
