// Loading a report file into the report globals the way the gauge loads
// tolvanix.rec, for a file of any name.
#pragma once

#include <cstdint>
#include <string>

#include "report/report_format.h"

namespace vqreport {

struct LoadResult {
    bool Opened = false;    // the file could be opened for reading
    std::string OpenError;  // why not, in words
    bool Empty = false;     // it has no first line at all
    bool Accepted = false;  // its first line holds the header text, so the gauge takes it
    bool Whole = false;     // the gauge takes every line in full (nothing cut, missing, dropped or left over)
    std::string FirstLine;  // the first line as the gauge reads it
    ReportLines Lines;      // the line the gauge takes each field from
};

// Empties the report globals (ResetModuleState); then, if the file opens and its first line is
// accepted, reads the rest of it with the module's reader. A refused file
// leaves the globals empty, unless `evenIfRefused` asks to read the rest of
// it as the gauge would once the first line is right (for the check).
LoadResult LoadReportFile(const std::string& path, bool evenIfRefused = false);

// Why `path` cannot be read as `what` ("no such file", "it is a directory,
// not a report file", ...), or empty when it can be opened.
std::string UnreadableReason(const std::string& path, const char* what = "report file");

// Why a file operation failed, in words, from the system's reason for it
// (platform::LastSystemError(), read right after the failure): the disk is
// full, no permission, another file system, ... or the system's own text.
std::string FailureReason(std::uint32_t code);

}  // namespace vqreport
