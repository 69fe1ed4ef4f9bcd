// The text conversions the gauge applies to report fields, as vqreport needs
// them to tell whether the gauge will be able to read a field. Each one is the
// module's own conversion (progress/), so the tool judges a field exactly as
// the gauge does.
//
// The gauge follows the regional settings of the PC it runs on; the tool
// does not follow those of the PC it runs on. Every conversion here runs
// under the neutral settings ('.', "AM", "PM", ':'), with the decimal
// separator the caller names for leg distances (--decimal), and leaves the
// settings in force as it found them.
#pragma once

#include <cstdint>
#include <string>

namespace vqreport {

// A time of day as the gauge reads one (TimeTextToHours): an hour,
// optionally ":" and a minute, optionally ":" and a second; hour 0-23, minute
// and second 0-59; an "AM"/"PM" marker makes it a 12-hour time. On success
// stores the hours (the second dropped) and returns true.
bool ReadTimeOfDay(const std::string& text, double& hours);

// Hours as the gauge writes a time text (HoursToTimeText): "hh:mm".
std::string FormatHours(double hours);

// A whole number as the fuel account reads ExtraFuel1..3 (WholeNumberOrZero).
// The fuel account counts anything else as 0; false tells that it was not a
// number, true stores the value the fuel account uses.
bool ReadWholeNumber(const std::string& text, std::int32_t& value);

// Why ReadWholeNumber does not take `text`, in words ("is not a whole
// number ...", "is outside ..."), stating what the fuel account reads.
std::string WholeNumberProblem(const std::string& text);

// A number with `decimals` decimals as the gauge writes one (FormatFixed).
std::string FormatDecimals(double value, int decimals);

// A number read from a report for a message: six decimals as the gauge
// writes it, or in exponent form when that would be a very long text.
std::string NumberText(double value);

// A leg distance as the gauge converts it (TextToFloat) on a PC whose decimal
// separator is `separator`.
bool ReadLegDistance(const std::string& text, char separator, double& value);

}  // namespace vqreport
