// vqreport new: a route table and header values become a report file that
// the module loads with every field in place and that check finds clean.
#include <filesystem>
#include <string>

#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tests/vqreport/vqreport_test.h"

namespace {

using vqreporttest::Vqreport;
using vqtest::Exists;
using vqtest::ReadFile;
using vqtest::WriteFile;

class New : public vqtest::ModuleTest {};

// One degree of arc on the equator is 60 nautical miles (60.04 at the mean radius).
const char* const Route =
    "name,identifier,latitude,longitude,planned leg time,field 7,alternate identifier\n"
    "Start,STA,0,1,,,\n"
    "\"E, one\",EAS,0.000000,2.0,00:25,FL8,\n"
    "North,,1N,2E,0:30,,NTH\n";

TEST_F(New, RoundTripLoadsInTheModuleAndChecksClean) {
    WriteFile("route.csv", Route);
    auto run = Vqreport({"new", "route.csv", "--departure-time", "10:05", "--header-field-3=KL1234",
                         "--extra-fuel1", "200", "--list-field-2", "L2", "--field21", "H21"});
    ASSERT_EQ(run.Status, 0) << run.Out << run.Err;
    EXPECT_EQ(run.Out, std::string("wrote ") + ReportFileName + ": 3 checkpoints\n");

    // The gauge's own load of its own file.
    LoadReport();
    EXPECT_FALSE(ReportFileNeedsCopy()) << "taken whole";
    EXPECT_EQ(ReportHeader.DepartureTime, "10:05");
    EXPECT_EQ(ReportHeader.Field03, "KL1234");
    EXPECT_EQ(ReportHeader.ExtraFuel1, "200");
    EXPECT_EQ(ChkPointList.Field2, "L2");
    ASSERT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.Item(0).LegDistance, "") << "the first checkpoint has no leg";
    EXPECT_EQ(ChkPointList.Item(0).ActualArrival, "10:05") << "the legs are timed from the departure";
    EXPECT_EQ(ChkPointList.Item(1).Name, "E, one");
    EXPECT_EQ(ChkPointList.Item(1).Field07, "FL8");
    EXPECT_EQ(ChkPointList.Item(2).AltIdent, "NTH");
    EXPECT_EQ(ChkPointList.Item(2).LegDistance, "60");
    EXPECT_EQ(ChkPointList.Item(2).Latitude, 1.0);

    run = Vqreport({"check", ReportFileName});
    EXPECT_EQ(run.Status, 0) << run.Out;
}

TEST_F(New, NeverOverwritesWithoutForce) {
    WriteFile("route.csv", Route);
    WriteFile("out.rec", "precious");
    auto run = Vqreport({"new", "-o", "out.rec", "--departure-time", "9:00", "route.csv"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Err.find("--force"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadFile("out.rec"), "precious");
    run = Vqreport({"new", "--force", "-o", "out.rec", "--departure-time", "9:00", "route.csv"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadFile("out.rec").compare(0, 20, "Vardemolinquex 2.0\r\n"), 0);
    EXPECT_FALSE(Exists("out.rec.new"));
    EXPECT_FALSE(Exists("out.rec.old"));

    // A file or link under the temporary file's name is not touched, nor kept aside.
    WriteFile("out.rec.new", "another's");
#ifndef _WIN32
    WriteFile("target", "linked");
    std::filesystem::create_symlink("target", "out.rec.new1");
#endif
    const auto files = vqtest::ListDirectory();
    run = Vqreport({"new", "--force", "-o", "out.rec", "--departure-time", "9:00", "route.csv"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(vqtest::ListDirectory(), files);
    EXPECT_EQ(ReadFile("out.rec.new"), "another's");
#ifndef _WIN32
    EXPECT_EQ(ReadFile("target"), "linked");
#endif

    // What keeps the file from being written is named.
    run = Vqreport({"new", "-o", "no-folder/out.rec", "--departure-time", "9:00", "route.csv"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Err.find("cannot write no-folder/out.rec: no such file or folder"), std::string::npos) << run.Err;
}

// "-" reads the route from standard input and writes the report, byte for
// byte as the file, to standard output; check and show read it back.
TEST_F(New, StandardInputAndOutput) {
    const auto run = Vqreport({"new", "-o", "-", "--departure-time", "9:00", "-"}, Route);
    EXPECT_EQ(run.Status, 0) << run.Err;
    WriteFile("route.csv", Route);
    ASSERT_EQ(Vqreport({"new", "--departure-time", "9:00", "route.csv"}).Status, 0);
    EXPECT_EQ(run.Out, ReadFile(ReportFileName));
    EXPECT_EQ(Vqreport({"check", "-"}, run.Out).Status, 0);
    EXPECT_EQ(Vqreport({"show", "-"}, run.Out).Out.compare(0, 24, "Report -: 3 checkpoints\n"), 0);
}

TEST_F(New, GivenColumnsAreNeverFilledInAndSpreadsheetCsv) {
    // Semicolons between cells, decimal commas in the coordinates, a byte
    // order mark, and leg distances given: one left empty stays empty (and
    // check finds it), as does the first actual arrival of a column.
    WriteFile("route.csv",
              "\xEF\xBB\xBFName;Ident;Lat;Lon;Leg distance;Planned;ATA\r\n"
              "A;AAA;52,0;4,0;;;\r\n"
              "B;BBB;52,5;4,0;31;00:10;\r\n"
              "C;CCC;53,0;4,0;;00:10;\r\n"
              ";;;;;;\r\n");
    auto run = Vqreport({"new", "route.csv", "--departure-time", "9:00"});
    EXPECT_EQ(run.Status, 2) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("tolvanix.rec:71: error: checkpoint 3 (\"C\") leg distance: is empty"), std::string::npos);
    LoadReport();
    ASSERT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(ChkPointList.Item(1).LegDistance, "31");
    EXPECT_EQ(ChkPointList.Item(2).LegDistance, "");
    EXPECT_EQ(ChkPointList.Item(0).ActualArrival, "");
    EXPECT_EQ(ChkPointList.Item(2).Latitude, 53.0);

    // A decimal leg distance must suit the gauge's PC.
    WriteFile("route.csv", "name;lat;lon;distance\nA;52;4;\nB;52,5;4;30,5\n");
    run = Vqreport({"new", "-o", "comma.rec", "route.csv"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("route.csv:3: error: checkpoint 2 leg distance \"30,5\""), std::string::npos) << run.Err;
    EXPECT_FALSE(Exists("comma.rec"));
}

TEST_F(New, RouteErrorsAreNamedAndNothingIsWritten) {
    struct Case {
        const char* Csv;
        std::vector<std::string> Options;
        const char* Message;
    } cases[] = {
        {"name,lattitude,longitude\nA,1,2\n", {}, "\"lattitude\" is not a checkpoint field"},
        {"identifier\nA\n", {}, "no name column"},
        {"name,latitude,longitude\nA,1,2\nB,,3\n", {}, ":3: error: checkpoint 2 has a latitude or a longitude"},
        {"name,latitude,longitude\nA,91,2\n", {}, "is not a latitude"},
        {"name,latitude,longitude,planned leg time\nA,1,2,1h\n", {}, "planned leg time \"1h\" is not a time"},
        {"name,latitude,longitude\nA,1,2\nB,0,0\n", {}, "give the leg distance"},
        {"name,latitude,longitude\nA,1,2,3\n", {}, "the row has 4 cells"},
        {"name\n\"A\n", {}, "a quoted cell is not closed"},
        {"name,leg distance\n", {}, "no checkpoints"},
        {Route, {}, "give the departure time"},  // the first leg would go untimed
        {Route, {"--departure-time", "25:00"}, "--departure-time \"25:00\" is not a time"},
        {Route, {"--departure-time", "9:00", "--extra-fuel2", "lots"}, "--extra-fuel2 \"lots\" is not a whole number"},
        {Route, {"--departure-time", "9:00", "--extra-fuel1", "2147483648"}, "2147483647"},
        {"name,latitude,longitude\nA,1\n", {}, ":2: error: the row has 2 cells, the first row names 3"},
        {"name,type\nA,V\x1bR\n", {}, "type \"V\\x1bR\" holds a control character"},
        {"name\nA\n\xE4\xB8\xAD\n", {}, "line 3: the character U+4E2D"},  // UTF-8 outside code page 1252
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<FlightPlan>", {}, ":1: error: an XML file, which is not read"},
    };
    for (const Case& c : cases) {
        WriteFile("route.csv", c.Csv);
        std::vector<std::string> args{"new", "route.csv"};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        const auto run = Vqreport(args);
        EXPECT_EQ(run.Status, 2) << c.Csv;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Csv << "\n" << run.Err;
        EXPECT_FALSE(Exists(ReportFileName)) << c.Csv;
    }
    const auto run = Vqreport({"new", "."});
    EXPECT_NE(run.Err.find("directory, not a route table"), std::string::npos) << run.Err;
}

// UTF-8 becomes the Windows character set, which is kept as it is; UTF-16
// with its byte order mark (tab-separated) is read as such.
TEST_F(New, RouteTablesInEachCharacterSet) {
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (unsigned char c : std::string("name\tdistance\r\nZ\xFCrich\t\r\n\x80\t5\r\n")) {
        const char code[] = {static_cast<char>(c == 0x80 ? 0xAC : c), static_cast<char>(c == 0x80 ? 0x20 : 0)};
        le += {code[0], code[1]};
        be += {code[1], code[0]};
    }
    for (const std::string& csv : {std::string("name,distance\nZ\xC3\xBCrich,\n\xE2\x82\xAC,5\n"),
                                   std::string("name;distance\nZ\xFCrich;\n\x80;5\n"), le, be}) {
        WriteFile("route.csv", csv);
        const auto run = Vqreport({"new", "--force", "route.csv", "--departure-time", "9:00"});
        ASSERT_EQ(run.Status, 1) << csv << run.Err;  // warned: no positions
        LoadReport();
        ASSERT_EQ(ChkPointList.Count, 2) << csv;
        EXPECT_EQ(ChkPointList.Item(0).Name, "Z\xFCrich") << csv;
        EXPECT_EQ(ChkPointList.Item(1).Name, "\x80") << csv;
    }
}

}  // namespace
