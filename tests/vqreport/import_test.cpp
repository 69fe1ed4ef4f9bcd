// vqreport new from route tables with positions in degrees and minutes and
// times to plan or tidy.
#include <string>
#include <vector>

#include "persistence/report_store.h"
#include "report/report.h"
#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreporttest::Vqreport;
using vqtest::WriteFile;

class Import : public vqtest::ModuleTest {};

// Every form, in UTF-8 and in code page 1252, and with ';' between the cells
// and decimal commas.
TEST_F(Import, RouteTablePositionsInDegreesAndMinutes) {
    const std::string route = "name,latitude,longitude\n"
                              "A,N50 30.5,W4 15.25\n"
                              "B,50 30.5 n,4 15.25 E\n"
                              "C,\"50\xC2\xB0" "30'30\"\"N\",\"4\xC2\xB0" "15'15\"\"W\"\n"
                              "D,-50.5,+4.25\n"
                              "E,S50* 30' 30.0\",E4*15'\n"
                              "F, 50 30 30 S , 004 15 15 e\n";
    std::string cp1252 = route, decimalComma = route;
    for (std::size_t at; (at = cp1252.find("\xC2\xB0")) != std::string::npos;) cp1252.erase(at, 1);
    for (char& c : decimalComma) c = c == ',' ? ';' : c == '.' ? ',' : c;
    const double expected[][2] = {{50.508333, -4.254167}, {50.508333, 4.254167}, {50.508333, -4.254167},
                                  {-50.5, 4.25}, {-50.508333, 4.25}, {-50.508333, 4.254167}};
    for (const std::string& csv : {route, cp1252, decimalComma}) {
        WriteFile("route.csv", csv);
        const auto run = Vqreport({"new", "--force", "route.csv", "--departure-time", "9:00"});
        ASSERT_LE(run.Status, 1) << csv << run.Err;
        LoadReport();
        ASSERT_EQ(ChkPointList.Count, 6);
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(ChkPointList.Item(k).Latitude, expected[k][0], 1e-6) << csv << k;
            EXPECT_NEAR(ChkPointList.Item(k).Longitude, expected[k][1], 1e-6) << csv << k;
        }
    }
    for (const char* bad : {"N50 60", "50.5 30", "50' 30", "N-50", "50 30 30 30", "N50 30.5 N", "S50*30\"\""}) {
        WriteFile("route.csv", std::string("name,latitude,longitude\nA,\"") + bad + "\",4\n");
        const auto run = Vqreport({"new", "--force", "route.csv", "--departure-time", "9:00"});
        EXPECT_EQ(run.Status, 2) << bad;
        EXPECT_NE(run.Err.find("; write decimal degrees (52.5, -52.5, N52.5, 52.5S) or degrees and minutes"),
                  std::string::npos) << bad << run.Err;
    }
}

TEST_F(Import, PlannedLegTimesAndTimesWrittenAsTheGaugeWritesThem) {
    WriteFile("route.csv", "name,leg distance,ground speed,planned leg time,estimated arrival,actual arrival\n"
                           "A,,,,,7:05\n"
                           "B,60,120,,2:05 PM,??\n"
                           "C,11,420,,,\n"
                           "D,10,420,0:45,,\n"
                           "E,10,420.5,,,\n");
    auto run = Vqreport({"new", "route.csv", "--departure-time", "7:30", "--plan-times"});
    ASSERT_EQ(run.Status, 1) << run.Err;  // warned: no positions
    LoadReport();
    EXPECT_EQ(ReportHeader.DepartureTime, "07:30");
    const char* const planned[] = {"", "00:30", "00:02", "00:45", "00:01"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(ChkPointList.Item(k).PlannedLegTime, planned[k]) << k;
    EXPECT_EQ(ChkPointList.Item(0).ActualArrival, "07:05");
    EXPECT_EQ(ChkPointList.Item(1).EstimatedArrival, "14:05");
    EXPECT_EQ(ChkPointList.Item(1).ActualArrival, "??");

    const struct { const char *Row, *Message; } cases[] = {
        {"B,60,,,,", "route.csv:3: error: checkpoint 2 has no ground speed to plan its leg time from"},
        {"B,60,fast,,,", "route.csv:3: error: checkpoint 2 ground speed \"fast\" is not a speed in knots above 0"},
        {"B,3000,100,,,", "checkpoint 2: 3000.0 NM at 100.0 knots takes a day or more"},
    };
    for (const auto& c : cases) {
        WriteFile("route.csv", std::string("name,leg distance,ground speed,planned,eta,ata\nA,,,,,\n") + c.Row + "\n");
        run = Vqreport({"new", "--force", "-o", "t.rec", "route.csv", "--departure-time", "7:30", "--plan-times"});
        EXPECT_EQ(run.Status, 2) << c.Row;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    }
}

}  // namespace
