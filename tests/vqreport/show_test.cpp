// vqreport show: the nav log within 80 columns with every column, its totals
// and flight times; the spreadsheet that new reads back to the same
// checkpoints; texts in UTF-8 with escapes; and what it says of files the
// gauge refuses or cannot take whole.
#include <string>

#include "navlog/shown.h"
#include "report/report.h"
#include "tests/vqreport/vqreport_test.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/printable.h"

namespace {

using vqreporttest::At;
using vqreporttest::CleanReportLines;
using vqreporttest::Vqreport;
using Edits = std::vector<std::pair<int, std::string>>;  // a line (from 1) and its new text

// Line of field `f` of checkpoint `k` (from 0) in a report of three.
int PointLine(int k, int f) { return 32 + 15 * k + f; }

std::string Report(const Edits& edits, int count = 3) {
    auto lines = CleanReportLines(count);
    for (const auto& [line, text] : edits) At(lines, line) = text;
    return vqtest::CrLfLines(lines);
}

// Every checkpoint field filled as a dispatcher fills it: the Windows
// character set, a comma and quotes, coordinates of each sign, one
// checkpoint without a position.
std::string FilledReport() {
    static const char* const texts[] = {"Z\xFCrich \"Kloten\", \x80", "VOR", "ZUE", "110.05", "ZH", "114.85",
                                        "250", "095", "spare \xB0", "12.5", "420", "00:10", "00:12", "10:25", "10:27"};
    return vqtest::CrLfLines(vqtest::ReportLines(3, [](const ReportField& field, int k) -> std::string {
        switch (field.Part) {
        case ReportPart::Header: return field.Index == HfDepartureTime ? "10:15" : "";
        case ReportPart::Checkpoint: return texts[field.Index] + std::string(field.Index < 3 ? k : 0, '+');
        case ReportPart::Position: return k == 1 ? "0.000000" : field.Index ? "-8.547812" : std::to_string(47 - 50 * k);
        case ReportPart::StartFuel: return "0.000000";
        default: return "";
        }
    }));
}

// The checkpoints of `path` as the gauge writes them: 15 texts, coordinates.
std::vector<std::string> Checkpoints(const std::string& path) {
    vqreport::LoadReportFile(path);
    std::vector<std::string> fields;
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        for (auto text : TChkPoint::Texts) fields.push_back(point.*text);
        fields.push_back(std::to_string(point.Latitude) + " " + std::to_string(point.Longitude));
    }
    return fields;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Show : public vqtest::ModuleTest {};

TEST_F(Show, NavLogFitsEightyColumnsWithEveryColumn) {
    const std::string longest(255, '\xF8');  // 255 characters, 510 bytes of UTF-8
    const auto o = [](int n) {  // n times "ø" and the cut mark
        std::string text;
        while (n-- > 0) text += "\xC3\xB8";
        return text + "\xE2\x80\xA6";
    };
    const struct {
        std::string Bytes;
        std::string Row;  // the first checkpoint's route row
    } cases[] = {
        {vqtest::ReadFile(vqtest::SourceFile("examples/tolvanix.rec")),
         "  1 Gardermoen    ENGM     APT                             N60.1939 E 11.1004"},
        {FilledReport(), "  1 Z\xC3\xBCrich \"Klot\xE2\x80\xA6 ZUE      VOR    110.05    250  095  420  N47.0000 W  8.5478"},
        {Report({{PointLine(0, 0), longest}, {PointLine(0, 2), longest}, {PointLine(0, 7), longest},
                 {PointLine(1, 12), longest}, {9, longest}, {78, "-1e300"}}),
         "  1 " + o(12) + " " + o(7) + std::string(22, ' ') + o(3) + std::string(7, ' ') + "S1000000000000000\xE2\x80\xA6"},
        {Report({{31, "0"}}, 0), ""},
    };
    for (const auto& c : cases) {
        vqtest::WriteFile("report.rec", c.Bytes);
        const std::string out = Vqreport({"show", "report.rec"}).Out;
        for (std::size_t from = 0, end; (end = out.find('\n', from)) != std::string::npos; from = end + 1) {
            EXPECT_LE(navlog::Width(out.substr(from, end - from)), 79u) << out.substr(from, end - from);
        }
        if (c.Row.empty()) continue;
        EXPECT_TRUE(Contains(out, "\n No Name          Ident    Type   Freq    Level  Hdg   GS  Position\n")) << out;
        EXPECT_TRUE(Contains(out, "\n No Name             Dist    Plan   Flown   Diff    ETA    ATA\n")) << out;
        EXPECT_TRUE(Contains(out, "\n" + c.Row + "\n")) << out;
    }
}

// Empty times, "??", legs and flights over midnight, a half-flown report.
TEST_F(Show, TimesTotalsAndFlightTime) {
    const int arrival2 = PointLine(1, 14), flown2 = PointLine(1, 12), plan2 = PointLine(1, 11);
    const struct {
        Edits Change;
        std::vector<std::string> Lines;
    } cases[] = {
        {{{9, "23:30"}, {17, ""}, {PointLine(0, 14), "23:30"}, {plan2, "00:35"}, {flown2, "00:40"},
          {arrival2, "00:10"}},
         {"  2 Point 2            10   00:35   00:40     +5  --:--  00:10",
          "    Total                   00:45   00:40     +5", "Legs with times: 2 of 2 planned, 1 of 2 flown, 1 with both",
          "Flight time so far 00:40: departure 23:30, last arrival 00:10 (checkpoint 2)"}},
        {{{9, "11:30 pm"}, {17, "1:10"}}, {"Flight time 01:40: departure 23:30, arrival 01:10"}},
        {{{17, ""}, {arrival2, "??"}, {flown2, "0:07"}, {plan2, "1h"}},
         {"  2 Point 2            10      1h    0:07         --:--     ??",
          "    Total                   00:10   00:07", "Legs with times: 1 of 2 planned, 1 of 2 flown, 0 with both",
          "Flight time not known: no checkpoint after the first has an actual arrival"}},
        {{{9, "soon"}}, {"Flight time not known: the departure time is not a time"}},
    };
    for (const auto& c : cases) {
        vqtest::WriteFile("report.rec", Report(c.Change));
        const std::string out = Vqreport({"show", "report.rec"}).Out;
        for (const std::string& line : c.Lines) EXPECT_TRUE(Contains(out, "\n" + line + "\n")) << line << "\n" << out;
    }
}

TEST_F(Show, CsvGivesNewTheSameCheckpoints) {
    vqtest::WriteFile("filled.rec", FilledReport());
    for (const std::string& file : {vqtest::SourceFile("examples/tolvanix.rec"), std::string("filled.rec")}) {
        const auto csv = Vqreport({"show", "--csv", file});
        ASSERT_EQ(csv.Status, 0) << csv.Err;
        EXPECT_EQ(csv.Out.substr(0, csv.Out.find('\n') + 1),
                  "\xEF\xBB\xBFname,type,identifier,frequency,alternate identifier,alternate frequency,level,heading,"
                  "spare,leg distance,ground speed,planned leg time,actual leg time,estimated arrival,actual "
                  "arrival,latitude,longitude\r\n");
        vqtest::WriteFile("route.csv", csv.Out);
        const auto made = Vqreport({"new", "--force", "-o", "back.rec", "--departure-time", "7:30", "route.csv"});
        EXPECT_LE(made.Status, 1) << made.Out << made.Err;
        EXPECT_EQ(Checkpoints("back.rec"), Checkpoints(file)) << csv.Out;
    }
    // What new does not take is written as the nav log shows it, and named.
    vqtest::WriteFile("report.rec", Report({{PointLine(1, 8), "a\tb"}}));
    const auto csv = Vqreport({"show", "--csv", "report.rec"});
    EXPECT_EQ(csv.Status, 1);
    EXPECT_TRUE(Contains(csv.Out, ",a\\tb,")) << csv.Out;
    EXPECT_TRUE(Contains(csv.Err, "checkpoint 2 spare holds a control character")) << csv.Err;
}

// The Windows character set becomes UTF-8; control characters and the bytes
// it leaves undefined are escaped; columns count characters.
TEST_F(Show, TextsInUtf8WithEscapes) {
    vqtest::WriteFile("report.rec", Report({{PointLine(0, 0), "\xC5lesund \x80"}, {PointLine(1, 0), "K\x1b[31m\x81\x9D"},
                                            {4, "Caf\xE9 \"Q\""}, {PointLine(2, 0), "Br\xF8nn\xF8ysund Hub\x8D"}}));
    const std::string shown = Vqreport({"show", "report.rec"}).Out;
    EXPECT_TRUE(vqreport::LooksLikeUtf8(shown));
    EXPECT_TRUE(Contains(shown, "\n  1 \xC3\x85lesund \xE2\x82\xAC     P1 ")) << shown;
    EXPECT_TRUE(Contains(shown, "\n  2 K\\x1b[31m\\x8\xE2\x80\xA6 P2 ")) << shown;
    EXPECT_TRUE(Contains(shown, ": Caf\xC3\xA9 \"Q\"\n")) << shown;
    const std::string json = Vqreport({"show", "--json", "report.rec"}).Out;
    EXPECT_TRUE(Contains(json, "\"Field03\": \"Caf\xC3\xA9 \\\"Q\\\"\"")) << json;
    EXPECT_TRUE(Contains(json, "\"Name\": \"K\\u001b[31m\\u0081\\u009d\"")) << json;
    EXPECT_TRUE(Contains(json, "\"FlightTime\": \"02:30\"\n}\n")) << json;
    const std::string check = Vqreport({"check", "report.rec"}).Out;
    EXPECT_TRUE(Contains(check, "3 (\"Br\xC3\xB8nn\xC3\xB8ysund Hub\\x8d\") name: \"Br\xC3\xB8nn\xC3\xB8ysund Hub\\x8d\" is 16"))
        << check;
}

TEST_F(Show, RefusedFileAndOneTheGaugeCannotTakeWhole) {
    vqtest::WriteFile("other.rec", "Vardemolinquex 1.0\r\n");
    auto run = Vqreport({"show", "other.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Err, "the gauge refuses this file")) << run.Err;
    vqtest::WriteFile("short.rec", "Vardemolinquex 2.0\r\nonly one field\r\n");
    run = Vqreport({"show", "--csv", "short.rec"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Err, "vqreport check short.rec")) << run.Err;
}

}  // namespace

namespace {

// The example report is clean: a checkpoint without position is one by
// design, and only warned of.
TEST(ExampleReportFile, ChecksWithoutErrors) {
    const vqreport::CheckResult result = vqreport::CheckReportFile(vqtest::SourceFile("examples/tolvanix.rec"), {});
    EXPECT_EQ(result.Checkpoints, 9);
    EXPECT_EQ(result.Errors, 0) << vqreporttest::Describe(result);
    for (const auto& finding : result.Findings) {
        EXPECT_NE(finding.Problem.find("no position"), std::string::npos) << vqreporttest::Describe(result);
    }
}

}  // namespace
