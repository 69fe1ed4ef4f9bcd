// What vqsim says of a broken report, and its display log (the example flights
// read reports and write the nav-log).
#include <gtest/gtest.h>

#include "host/vqsim/navlog.h"
#include "host/vqsim/report_text.h"
#include "tests/test_support.h"

namespace {

using vqsim::ParseReportText;
using vqsim::ReportText;

TEST(VqsimReportText, TellsWhichLineOfABrokenReportIsWrong) {
    std::vector<std::string> lines = vqtest::NumberedReportLines(2);
    auto broken = [&](std::vector<std::string> changed) { return vqtest::CrLfLines(changed); };
    std::vector<std::string> cut(lines.begin(), lines.begin() + 40);
    std::vector<std::string> badCount = lines;
    badCount[30] = "two";
    std::vector<std::string> badLatitude = lines;
    badLatitude[62] = "north";
    std::vector<std::string> farLatitude = lines;
    farLatitude[62] = "95.0";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "r.rec line 1: not a report file"},
        {"Vardemolinquex 1.0\r\n", "r.rec line 1: not a report file"},
        {broken(cut), "r.rec ends after line 40, before the checkpoint texts"},
        {broken(badCount), "r.rec line 31: the checkpoint count should be a whole number, found 'two'"},
        {broken(badLatitude), "r.rec line 63: a latitude should be a number, found 'north'"},
        {broken(farLatitude), "r.rec line 63: a latitude 95.0 is out of range"},
    };
    for (const auto& [bytes, message] : cases) {
        ReportText report;
        std::string error;
        EXPECT_FALSE(ParseReportText(bytes, "r.rec", report, error)) << message;
        EXPECT_NE(error.find(message), std::string::npos) << "got: " << error;
    }
}

TEST(VqsimDisplayLog, ShowsTheClockAndTheThreeLinesBetweenBars) {
    EXPECT_EQ(vqsim::DisplayLogLine(7 * 3600 + 33 * 60 + 34, "02/09 HONEF         ", "120   25 00:05 00:04", "#"),
              "07:33:34  |02/09 HONEF         | |120   25 00:05 00:04| |#|");
}

}  // namespace
