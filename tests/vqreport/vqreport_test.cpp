#include "tests/vqreport/vqreport_test.h"

#include <cstdio>
#include <sstream>

#include "tools/vqreport/cli.h"

namespace vqreporttest {

Run Vqreport(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Run run;
    run.Status = vqreport::RunVqreport(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

std::vector<std::string> CleanReportLines(int count) {
    std::vector<std::string> lines{"Vardemolinquex 2.0"};
    for (int h = 1; h <= 27; ++h) lines.push_back("");
    lines[8] = "10:15";   // departure time
    lines[16] = "12:45";  // arrival time
    lines[3] = "KL1234";  // header field 3
    lines.push_back("");
    lines.push_back("");
    lines.push_back(std::to_string(count));
    for (int k = 0; k < count; ++k) {
        const std::string n = std::to_string(k + 1);
        std::vector<std::string> texts(15);
        texts[0] = "Point " + n;
        texts[2] = "P" + n;
        texts[9] = k == 0 ? "" : "10";
        texts[11] = "00:10";
        if (k == 0) texts[14] = "10:15";  // the clock starts at the departure time
        lines.insert(lines.end(), texts.begin(), texts.end());
    }
    lines.push_back("0.000000");
    for (int k = 0; k < count; ++k) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6f", 52.0 + 0.1 * k);
        lines.push_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%.6f", 4.0 + 0.1 * k);
        lines.push_back(buffer);
    }
    return lines;
}

std::string& At(std::vector<std::string>& lines, int line) { return lines.at(static_cast<std::size_t>(line - 1)); }

vqreport::CheckResult CheckLines(const std::vector<std::string>& lines, const vqreport::CheckOptions& options) {
    vqtest::WriteFile("report.rec", vqtest::CrLfLines(lines));
    return vqreport::CheckReportFile("report.rec", options);
}

std::vector<vqreport::Finding> FindingsOn(const vqreport::CheckResult& result, std::int64_t line) {
    std::vector<vqreport::Finding> found;
    for (const auto& finding : result.Findings) {
        if (finding.Line == line) found.push_back(finding);
    }
    return found;
}

std::string Describe(const vqreport::CheckResult& result) {
    std::ostringstream out;
    for (const auto& finding : result.Findings) vqreport::PrintFinding(finding, "report.rec", out);
    return out.str();
}

}  // namespace vqreporttest
