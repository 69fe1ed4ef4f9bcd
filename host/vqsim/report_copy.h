// A report file as the gauge reads it, copied out of the report globals for
// the simulator's own use: the flight plan it flies and the nav log it prints
// afterwards. The reading is the module's (report/report_file.h), linked into
// the simulator; the gauge it flies is still only the module file.
#pragma once

#include <string>
#include <vector>

#include "navlog/shown.h"
#include "report/report.h"
#include "report/report_format.h"

namespace vqsim {

struct ReportCopy {
    TReportHeader Header;
    std::vector<TChkPoint> Checkpoints;  // those the gauge keeps
    double StartFuel = 0.0;
    ReportLines Lines;  // the line the gauge took each field from; Lines.Count is the file's count
    bool Whole = true;  // the gauge takes the file as written (otherwise it keeps a copy before its first save)
};

// Whether a checkpoint has a position, and the identifier the display shows.
using navlog::HasPosition;
using navlog::ShownIdent;

// Reads the report file `path`. False, with a message naming `name` and the
// line, for a file the gauge refuses or a position the simulator cannot fly
// to. `warnings` gets what the gauge will not take as written.
bool ReadReportCopy(const std::string& path, const std::string& name, ReportCopy& report, std::string& error,
                    std::vector<std::string>* warnings = nullptr);

}  // namespace vqsim
