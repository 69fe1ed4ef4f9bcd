// vqreport new: a report file built from a route table (CSV) or a flight
// plan and header values, written with the module's own writer so that the
// gauge loads it as it is.
#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace vqreport {

// A field that a command-line option of `new` sets: a header text (0..26),
// a list field (1 or 2), or the start fuel.
struct ReportSetting {
    enum Kind { Header, List, StartFuel } What = Header;
    int Index = 0;
};

// Finds the field an option name stands for: the member name or the label,
// any case, with or without '-', '_' or blanks ("departure-time",
// "DepartureTime", "field03", "header-field-3", "list-field-1", "start-fuel").
bool FindReportSetting(const std::string& name, ReportSetting& setting);

struct NewOptions {
    std::string RoutePath;   // a route table or flight plan; "-": read from Input
    std::string OutputPath;  // empty: tolvanix.rec in the current directory; "-": written to `out`
    std::istream* Input = nullptr;
    bool Force = false;      // replace an existing output file
    char DecimalSeparator = '.';
    bool PlanTimes = false;  // work out the planned leg times left empty
    std::vector<std::pair<std::string, std::string>> Settings;  // option name, value
};

// Builds and writes the report (messages go to `err` when the report goes to
// `out`). Returns the exit status: 0 written, 1 written
// but the check of the new file has warnings, 2 not written because the route
// or a value is wrong, 3 the route could not be read or the report not written.
int RunNew(const NewOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vqreport
