// vqreport show: a report file as the gauge loads it, laid out as a nav log
// for a person, or as JSON for other programs.
#pragma once

#include <iosfwd>
#include <string>

namespace vqreport {

// Writes the report in the report globals (loaded from `path`) as a readable
// nav log: header fields, one row per checkpoint, fuel account, flight time.
void PrintNavLog(const std::string& path, std::ostream& out);

// The same as one JSON object.
void PrintNavLogJson(const std::string& path, std::ostream& out);

// The flight time from the departure to the arrival time as hh:mm (across
// midnight when the arrival is earlier), or empty when either is not a time.
std::string FlightTime(const std::string& departure, const std::string& arrival);

}  // namespace vqreport
