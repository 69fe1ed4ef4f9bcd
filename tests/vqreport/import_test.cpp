// vqreport new from route tables with positions in degrees and minutes.
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

}  // namespace
