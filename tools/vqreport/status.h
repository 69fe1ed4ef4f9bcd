// The exit statuses of vqreport, the same for every command.
#pragma once

namespace vqreport {

constexpr int ExitClean = 0;     // done; nothing to report
constexpr int ExitWarnings = 1;  // done; warnings only
constexpr int ExitErrors = 2;    // the report (or the route, or a value) has errors
constexpr int ExitFailure = 3;   // wrong command line, or a file that cannot be read or written

}  // namespace vqreport
