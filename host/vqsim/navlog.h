// What the simulator prints for a person: a log line for each change of the
// display, and the report as a nav-log table once the flight is over.
#pragma once

#include <string>

#include "host/vqsim/report_copy.h"

namespace vqsim {

// "07:28:00  |  GOOD FLIGHT WITH  | |    VESTRALONICA    | |#|": the clock
// and the three lines as the host's buffers hold them.
std::string DisplayLogLine(long long secondsOfDay, const char* line1, const char* line2, const char* line3);

// Minutes between two "hh:mm" texts, over midnight when the second is earlier;
// false when either is not a time.
bool MinutesBetween(const std::string& from, const std::string& to, int& minutes);

// The report as the nav log shows it (navlog/table.h), then what the
// simulator adds: checkpoints beyond the gauge's 100, and the fuel figures.
std::string NavLogTable(const ReportCopy& report);

}  // namespace vqsim
