// vqreport show: a report file as the gauge loads it, laid out as a nav log
// for a person, as JSON for other programs, or as a spreadsheet (CSV) that
// vqreport new reads back.
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

// The checkpoints as CSV: a UTF-8 byte order mark, a row of the column names
// vqreport new reads (the 15 texts in file order, latitude, longitude), then
// one row per checkpoint; ',' between the cells, '.' in the numbers, CR LF
// after each row. The coordinates are written as the shortest text that
// reads back as the same number. A text with a control character or an
// undefined byte is written escaped, as the nav log shows it, and named on
// `err`; returns how many were.
int PrintNavLogCsv(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace vqreport
