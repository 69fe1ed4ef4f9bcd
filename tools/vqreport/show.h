// vqreport show: a report file as the gauge loads it, laid out as a nav log
// for a person, or as JSON for other programs.
#pragma once

#include <iosfwd>
#include <string>

namespace vqreport {

// Writes the report in the report globals (loaded from `path`) as a readable
// nav log: header fields, the route and times tables with their totals and
// the flight time (navlog/table.h), the fuel account. UTF-8, control
// characters escaped.
void PrintNavLog(const std::string& path, std::ostream& out);

// The same as one JSON object, texts in UTF-8.
void PrintNavLogJson(const std::string& path, std::ostream& out);

}  // namespace vqreport
