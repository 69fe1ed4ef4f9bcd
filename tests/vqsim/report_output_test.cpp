// Reading report files as text, and the nav-log and display log made from them.
#include <gtest/gtest.h>

#include "host/vqsim/navlog.h"
#include "host/vqsim/report_text.h"
#include "tests/test_support.h"

namespace {

using vqsim::ParseReportText;
using vqsim::ReportText;

TEST(VqsimReportText, KeepsTheFirstHundredCheckpointsAsTheGaugeDoes) {
    std::vector<std::string> lines = vqtest::NumberedReportLines(102);
    const std::size_t firstCoordinate = 32 + 15 * 102;  // after the texts of all 102 and the start fuel
    for (int k = 0; k < 102; ++k) lines[firstCoordinate + 2 * k] = std::to_string(50 + k / 10) + ".000000";
    ReportText report;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(ParseReportText(vqtest::CrLfLines(lines), "big.rec", report, error, &warnings)) << error;
    EXPECT_EQ(report.DeclaredCount, 102);
    ASSERT_EQ(report.Checkpoints.size(), 100u);
    EXPECT_EQ(report.Checkpoints[99].Name, "C99F1");
    EXPECT_DOUBLE_EQ(report.StartFuel, 1234.5) << "read after all 102 checkpoints' texts";
    EXPECT_DOUBLE_EQ(report.Checkpoints[99].Latitude, 59.0);
    EXPECT_DOUBLE_EQ(report.Checkpoints[99].Longitude, 119.0);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("keeps the first 100"), std::string::npos);
}

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

TEST(VqsimNavLog, ShowsEachCheckpointWithItsTimesAndTheTotalsOverMidnight) {
    ReportText report;
    report.Header[7] = "23:40";   // departure
    report.Header[15] = "00:25";  // arrival, after midnight
    report.Header[21] = "1800";
    report.StartFuel = 9000.0;
    vqsim::RouteCheckpoint first, fix;
    first.Name = "Gardermoen";
    first.Ident = "ENGM";
    first.Latitude = 60.19;
    first.ActualArrival = "23:40";
    fix.Name = "Dale with a long name";
    fix.AltIdent = "DALEX";
    fix.LegDistance = "18";
    fix.PlannedLegTime = "00:43";
    fix.ActualLegTime = "00:45";
    fix.EstimatedArrival = "00:24";
    fix.ActualArrival = "00:25";
    report.Checkpoints = {first, fix};
    const std::string table = vqsim::NavLogTable(report);
    EXPECT_NE(table.find("  1  Gardermoen       ENGM         -      -      -     -      -  23:40"), std::string::npos)
        << table;
    EXPECT_NE(table.find("  2  Dale with a lon~ (DALEX)     18  00:43  00:45    +2  00:24  00:25"), std::string::npos)
        << table;
    EXPECT_NE(table.find("Departure 23:40, arrival 00:25, flight time 00:45"), std::string::npos) << table;
    EXPECT_NE(table.find("Fuel on board at the start 9000.0; used 1800;"), std::string::npos) << table;
}

TEST(VqsimDisplayLog, ShowsTheClockAndTheThreeLinesBetweenBars) {
    EXPECT_EQ(vqsim::DisplayLogLine(7 * 3600 + 33 * 60 + 34, "02/09 HONEF         ", "120   25 00:05 00:04", "#"),
              "07:33:34  |02/09 HONEF         | |120   25 00:05 00:04| |#|");
}

}  // namespace
