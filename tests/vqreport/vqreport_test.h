// Helpers for the vqreport tests: run the tool in-process, and a clean report
// file to spoil one line at a time.
#pragma once

#include <string>
#include <vector>

#include "tests/test_support.h"
#include "tools/vqreport/check.h"

namespace vqreporttest {

struct Run {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// vqreport with these arguments (the program name left out) and `input` as
// its standard input.
Run Vqreport(const std::vector<std::string>& args, const std::string& input = "");

// A report that check finds nothing wrong with: departure time 10:15, arrival
// 12:45, `count` checkpoints "Point 1".. with identifiers P1.., leg distance
// 10 (empty for the first), planned leg time 00:10, positions 52+0.1k, 4+0.1k;
// the first checkpoint's actual arrival is the departure time.
std::vector<std::string> CleanReportLines(int count);

// Line `line` (counted from 1) of `lines`.
std::string& At(std::vector<std::string>& lines, int line);

// Writes `lines` as report.rec and checks it.
vqreport::CheckResult CheckLines(const std::vector<std::string>& lines,
                                 const vqreport::CheckOptions& options = {});

// The findings on `line` (of either level).
std::vector<vqreport::Finding> FindingsOn(const vqreport::CheckResult& result, std::int64_t line);

// All findings, one per line, for failure messages.
std::string Describe(const vqreport::CheckResult& result);

}  // namespace vqreporttest
