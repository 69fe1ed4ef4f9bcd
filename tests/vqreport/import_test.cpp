// vqreport new from a flight plan, and from route tables with positions in
// degrees and minutes and times to plan or tidy.
#include <string>
#include <vector>

#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreporttest::Vqreport;
using vqtest::Exists;
using vqtest::WriteFile;

class Import : public vqtest::ModuleTest {};

// Paris to Madrid, waypoint.1 filled in by each case; blank lines before the
// section line, its name in another case, waypoints out of file order.
std::string Plan(const std::string& waypoint1) {
    return "\r\n[FlightPlan]\r\ntitle=LFPG to LEMD\r\ndeparture_name=Paris Charles de Gaulle\r\n"
           "waypoint.2=, LEMD, , LEMD, A, N40* 28.32', W3* 33.60', +001998.00,\r\n"
           "waypoint.0=LFPG, A, N49* 0.59', E2* 32.92', +000392.00,\r\nwaypoint.1=" + waypoint1 + "\r\n";
}

TEST_F(Import, FlightPlanWaypointsBecomeCheckpointsInEitherForm) {
    const struct { const char *Waypoint, *Type; double Latitude, Longitude; const char* Level; } cases[] = {
        {"LE, WPT, , WPT, N, S33* 56' 24.00\", W18* 36' 36.00\", +000000.00,", "NDB", -33.94, -18.61, ""},
        {"WPT, u, N1\xC2\xB0 30.00', W0\xC2\xB0 30.00', +000450.00", "USR", 1.5, -0.5, "5"},
        {"LF, WPT, , WPT, I, N1\xB0 0.60', E0\xB0 0.06', +031049.99,", "FIX", 1.01, 0.001, "310"},
        {"WPT, V, N49* 30.59', E2* 32.92', +012000.00,", "VOR", 49.509833, 2.548667, "120"},
    };
    for (const auto& c : cases) {
        WriteFile("plan.txt", Plan(c.Waypoint));
        const auto run = Vqreport({"new", "--force", "plan.txt", "--departure-time", "7:30"});
        ASSERT_EQ(run.Status, 0) << c.Waypoint << "\n" << run.Out << run.Err;
        LoadReport();
        ASSERT_EQ(ChkPointList.Count, 3);
        const TChkPoint& point = ChkPointList.Item(1);
        EXPECT_EQ((std::vector<std::string>{point.Name, point.Field02, point.Ident, point.Field07}),
                  (std::vector<std::string>{"WPT", c.Type, "WPT", c.Level}));
        EXPECT_NEAR(point.Latitude, c.Latitude, 1e-6) << c.Waypoint;
        EXPECT_NEAR(point.Longitude, c.Longitude, 1e-6) << c.Waypoint;
    }
    // The departure name cut to 13 characters; without a destination name, the identifier.
    EXPECT_EQ(ChkPointList.Item(0).Name, "Paris Charles");
    EXPECT_EQ(ChkPointList.Item(2).Name, "LEMD");
    EXPECT_EQ(ChkPointList.Item(0).ActualArrival, "07:30");
    EXPECT_EQ(ChkPointList.Item(1).LegDistance, "30");  // the great circle of half a degree, as for a route table
}

TEST_F(Import, MistakenPlansAreRefusedByLine) {
    std::string tooLong;
    for (int n = 1; n <= 100; ++n) tooLong += "waypoint." + std::to_string(n) + "=W, U, N1* 0', E1* 1',+0,\n";
    const struct { std::string Plan; const char* Message; } cases[] = {  // the lines after waypoint.0
        {tooLong, ":102: error: the flight plan has 101 waypoints; a report holds 100"},
        {"waypoint.3=B, A, N2* 0', E1* 0', +0,", ":3: error: waypoint.1 to waypoint.2 are missing"},
        {"waypoint.0=B, A, N2* 0', E1* 0', +0,", ":3: error: waypoint.0 is given twice (also on line 2)"},
        {"waypoint.1=B, X, N1* 0', E1* 0', +0,", ":3: error: waypoint.1 type \"X\" is not A (airport)"},
        {"waypoint.1=B, A, N1* 60', E1* 0', +0,",
         ":3: error: waypoint.1 latitude \"N1* 60'\" is not a latitude (-90 to 90 degrees); write decimal degrees"},
        {"waypoint.1=B, A, N1* 0', E1* 0',", ":3: error: waypoint.1 has 4 fields; write IDENT, TYPE"},
        {"waypoint.1=B, A, N1* 0', E1* 0', FL310,", ":3: error: waypoint.1 altitude \"FL310\" is not a height in feet"},
        {"waypoint.x=B, A, N1* 0', E1* 0', +0,", ":3: error: \"waypoint.x\" is no waypoint: they are waypoint.0"},
        {"waypoint.1 B, A, N1* 0', E1* 0', +0,", ":3: error: \"waypoint.1 B, A, N1* 0', E1* 0', +0,\" is not KEY="},
    };
    for (const auto& c : cases) {
        WriteFile("plan.pln", "[flightplan]\nwaypoint.0=A, A, N1* 0', E1* 0', +0,\n" + c.Plan + "\n");
        const auto run = Vqreport({"new", "plan.pln", "--departure-time", "7:30"});
        EXPECT_EQ(run.Status, 2) << c.Plan;
        EXPECT_NE(run.Err.find(std::string("plan.pln") + c.Message), std::string::npos) << c.Message << "\n" << run.Err;
        EXPECT_FALSE(Exists(ReportFileName));
    }
}

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
