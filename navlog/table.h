// The nav log of a report as text: a route table (name, identifier, type,
// frequency, level, heading, ground speed, position) and a times table (leg
// distance, planned and flown leg time, their difference, estimated and
// actual arrival), the totals and the flight time. vqreport shows it and
// vqsim prints it after a flight.
#pragma once

#include <span>
#include <string>

#include "report/report.h"

namespace navlog {

// The widest line the nav log writes, in characters: it fits an 80-column
// terminal, whose last column would wrap on a Windows console.
constexpr std::size_t LineWidth = 79;

// The nav log in UTF-8, one line each ending in '\n', none wider than
// LineWidth. Texts longer than their column are cut, their last character
// "…"; a checkpoint without a position has its identifier in brackets.
// A time column shows an empty time as "--:--" and any other text as
// written; only times count in the totals and the differences.
std::string NavLogText(const TReportHeader& header, std::span<const TChkPoint> checkpoints);

// The flight time line of the nav log ("Flight time 00:28: ..."), without
// its line end.
std::string FlightTimeLine(const TReportHeader& header, std::span<const TChkPoint> checkpoints);

}  // namespace navlog
