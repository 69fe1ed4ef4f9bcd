// Reading report files, and the nav-log and display log made from them.
#include <gtest/gtest.h>

#include "host/vqsim/navlog.h"
#include "host/vqsim/report_copy.h"
#include "tests/test_support.h"

namespace {

// vqsim reads a report through the gauge's reader: a count with words after
// it and a latitude in hexadecimal are what the gauge makes of them, and a
// position it cannot fly to is named by the line the gauge took it from.
TEST(VqsimReport, ReadsAReportAsTheGaugeDoes) {
    vqtest::ScratchDirectory scratch;
    std::vector<std::string> lines = vqtest::NumberedReportLines(3);
    lines[CountLine - 1] = "3 checkpoints";
    lines[LatitudeLine(3, 1) - 1] = "0x3C";
    vqtest::WriteFile("r.rec", vqtest::CrLfLines(lines));
    vqsim::ReportCopy report;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(vqsim::ReadReportCopy("r.rec", "r.rec", report, error, &warnings)) << error;
    ASSERT_EQ(report.Checkpoints.size(), 3u);
    EXPECT_EQ(report.Checkpoints[1].Latitude, 0.0);
    EXPECT_EQ(report.Checkpoints[2].Latitude, 12.0);
    EXPECT_EQ(warnings.size(), 1u) << "the gauge keeps a copy of such a file";

    lines[LatitudeLine(3, 2) - 1] = "95";
    vqtest::WriteFile("r.rec", vqtest::CrLfLines(lines));
    EXPECT_FALSE(vqsim::ReadReportCopy("r.rec", "r.rec", report, error));
    EXPECT_EQ(error, "r.rec line 82: the latitude 95.000000 is out of range (-90 to 90)");
}

TEST(VqsimNavLog, ShowsEachCheckpointWithItsTimesAndTheTotals) {
    vqsim::ReportCopy report;
    report.Header.DepartureTime = "23:40";
    report.Header.ArrivalTime = "00:25";  // after midnight
    report.Header.FuelUsed = "1800";
    report.Header.ExtraFuel1 = "350";
    report.Header.TotalFuel = "2150";
    report.Header.FuelPerHour = "2400.00";
    report.StartFuel = 9000.0;
    TChkPoint first, fix, last;
    first.Name = "Gardermoen";
    first.Ident = "ENGM";
    first.Latitude = 60.19;
    first.ActualArrival = "23:40";
    fix.Name = "Dale";
    fix.AltIdent = "DALEX";
    fix.LegDistance = "18";
    fix.PlannedLegTime = "00:03";
    fix.ActualLegTime = "00:05";
    fix.EstimatedArrival = "23:44";
    fix.ActualArrival = "23:45";
    last.Name = "Flesland with a long name";
    last.Ident = "ENBR";
    last.Latitude = 60.29;
    last.PlannedLegTime = "00:40";
    last.ActualLegTime = "00:40";
    last.ActualArrival = "00:25";
    report.Checkpoints = {first, fix, last};
    const std::string table = vqsim::NavLogTable(report);
    EXPECT_NE(table.find("  1  Gardermoen       ENGM         -      -      -     -      -  23:40"), std::string::npos) << table;
    EXPECT_NE(table.find("  2  Dale             (DALEX)     18  00:03  00:05    +2  23:44  23:45"), std::string::npos) << table;
    EXPECT_NE(table.find("  3  Flesland with a~ ENBR"), std::string::npos) << table;
    EXPECT_NE(table.find("Legs: planned 00:43, flown 00:45"), std::string::npos) << table;
    EXPECT_NE(table.find("Departure 23:40, arrival 00:25, flight time 00:45"), std::string::npos) << table;
    EXPECT_NE(table.find("Fuel on board at the start 9000.0; used 1800; extra 350 + - + -; total 2150; per hour 2400.00"),
              std::string::npos)
        << table;

    int minutes = 0;
    EXPECT_TRUE(vqsim::MinutesBetween("23:50", "00:20", minutes));
    EXPECT_EQ(minutes, 30);
    EXPECT_FALSE(vqsim::MinutesBetween("", "00:20", minutes));
}

TEST(VqsimDisplayLog, ShowsTheClockAndTheThreeLinesBetweenBars) {
    EXPECT_EQ(vqsim::DisplayLogLine(7 * 3600 + 33 * 60 + 34, "02/09 HONEF         ", "120   25 00:05 00:04", "#"),
              "07:33:34  |02/09 HONEF         | |120   25 00:05 00:04| |#|");
}

}  // namespace
