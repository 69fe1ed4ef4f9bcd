// The text conversions the gauge applies to report fields, as vqreport needs
// them to tell whether the gauge will be able to read a field.
//
// ReadTimeOfDay and FormatHours stand in for the timing code's TimeTextToHours
// and HoursToTimeText, which are being written in progress/; once those exist,
// ReadTimeOfDay and FormatHours should call them instead. They are kept in
// this one place so that the swap touches nothing else.
#pragma once

#include <cstdint>
#include <string>

namespace vqreport {

// A time of day as the gauge reads one: an hour, optionally ":" and a minute,
// optionally ":" and a second; blanks before and after each part; hour 0-23,
// minute and second 0-59; an "AM"/"PM" marker (either case, or the regional
// morning/afternoon markers) before or after makes it a 12-hour time (hour
// 1-12, 12 counts as 0, PM adds 12). On success stores the hours (minute /
// 60 added, the second dropped) and returns true.
bool ReadTimeOfDay(const std::string& text, double& hours);

// Hours as "%02d:%02d", the minute rounded to the nearest.
std::string FormatHours(double hours);

// A whole number as the fuel account reads ExtraFuel1..3: blanks, optional
// sign, decimal digits or hexadecimal ones after "$", "x" or "0x", nothing
// after; 32-bit range.
bool ReadWholeNumber(const std::string& text, std::int32_t& value);

// A leg distance as the gauge converts it: the whole text a decimal number
// with `separator` as decimal separator (optional sign, digits, fraction,
// exponent), blanks allowed around it.
bool ReadLegDistance(const std::string& text, char separator, double& value);

}  // namespace vqreport
