#include "host/vqsim/navlog.h"

#include "cli/numbers.h"
#include "host/vqsim/clock_time.h"
#include "navlog/shown.h"
#include "navlog/table.h"
#include "navlog/times.h"

namespace vqsim {

namespace {

// A fuel figure of the report, cut to keep the line within the nav log's width.
std::string Figure(const std::string& text) { return text.empty() ? "-" : navlog::Cut(navlog::ShownText(text), 10); }

}  // namespace

std::string DisplayLogLine(long long secondsOfDay, const char* line1, const char* line2, const char* line3) {
    return ClockText(secondsOfDay) + "  |" + line1 + "| |" + line2 + "| |" + line3 + "|";
}

bool MinutesBetween(const std::string& from, const std::string& to, int& minutes) {
    int a = 0, b = 0;
    if (!navlog::ReadMinutes(from, a) || !navlog::ReadMinutes(to, b)) return false;
    minutes = navlog::MinutesBetween(a, b);
    return true;
}

std::string NavLogTable(const ReportCopy& report) {
    std::string table = navlog::NavLogText(report.Header, report.Checkpoints);
    const int beyond = report.Lines.Count - static_cast<int>(report.Checkpoints.size());
    if (beyond > 0) {
        table += "(" + std::to_string(beyond) + " more checkpoints in the file are beyond the gauge's 100)\n";
    }
    const TReportHeader& header = report.Header;
    table += "Fuel on board at the start " + navlog::Cut(cli::FixedText(report.StartFuel, 1), 12) + ", used " +
             Figure(header.FuelUsed) + ", per hour " + Figure(header.FuelPerHour) + "\n";
    table += "Extra fuel " + Figure(header.ExtraFuel1) + " + " + Figure(header.ExtraFuel2) + " + " +
             Figure(header.ExtraFuel3) + ", total " + Figure(header.TotalFuel) + "\n";
    return table;
}

}  // namespace vqsim
