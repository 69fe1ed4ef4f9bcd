// vqreport check: every problem of a report file that makes the gauge refuse
// it, read it differently from what the dispatcher wrote, lose part of it, or
// show or time it badly, with the line, the field and what the gauge will do.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vqreport {

enum class Severity { Warning, Error };

struct Finding {
    Severity Level;
    std::int64_t Line;    // 0 for the file as a whole
    std::string Field;    // "checkpoint 3 (TOLVA) leg distance"
    std::string Problem;  // what is wrong, with the value
    std::string Effect;   // what the gauge will do because of it
};

struct CheckOptions {
    // The decimal separator of the PC the gauge runs on, which its leg
    // distance conversion uses.
    char DecimalSeparator = '.';
};

struct CheckResult {
    bool Opened = false;
    std::string OpenError;
    std::vector<Finding> Findings;  // in line order
    int Errors = 0;
    int Warnings = 0;
    bool Refused = false;          // the gauge refuses the file (empty, or a wrong first line)
    std::int32_t Checkpoints = 0;  // as the gauge loads them
};

// Reads `path` as the gauge does and lists its problems.
CheckResult CheckReportFile(const std::string& path, const CheckOptions& options);

// One finding as "FILE:LINE: error: FIELD: PROBLEM" and an indented line with
// the effect.
void PrintFinding(const Finding& finding, const std::string& path, std::ostream& out);

// The findings (at most `limit` of them) and a summary line.
void PrintCheckResult(const CheckResult& result, const std::string& path, std::ostream& out,
                      std::size_t limit = 500);

}  // namespace vqreport
