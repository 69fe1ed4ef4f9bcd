#include "tests/vqreport/vqreport_test.h"

#include <cstdio>
#include <sstream>

#include "tools/vqreport/cli.h"

namespace vqreporttest {

Run Vqreport(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    Run run;
    run.Status = vqreport::RunVqreport(args, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

std::vector<std::string> CleanReportLines(int count) {
    return vqtest::ReportLines(count, [](const ReportField& field, int k) -> std::string {
        char number[32];
        std::snprintf(number, sizeof number, "%.6f", (field.Index ? 4.0 : 52.0) + 0.1 * k);
        const std::string n = std::to_string(k + 1);
        switch (field.Part) {
        case ReportPart::Header:
            return field.Index == HfDepartureTime ? "10:15" : field.Index == HfArrivalTime ? "12:45"
                                                            : field.Index == 2             ? "KL1234" : "";
        case ReportPart::Checkpoint:
            return field.Index == PfName             ? "Point " + n
                   : field.Index == PfIdent          ? "P" + n
                   : field.Index == PfLegDistance    ? (k == 0 ? "" : "10")
                   : field.Index == PfPlannedLegTime ? "00:10"
                   : field.Index == PfActualArrival  ? (k == 0 ? "10:15" : "")  // the clock starts at departure
                                                     : "";
        case ReportPart::StartFuel: return "0.000000";
        case ReportPart::Position: return number;
        default: return "";
        }
    });
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
