// vqreport's command line, the conversions it checks fields with, and its
// robustness: wrong command lines get a message and status 3, and no input
// file makes it crash or hang.
#include <random>
#include <sstream>
#include <string>

#include "navlog/times.h"
#include "platform/regional.h"
#include "tests/vqreport/vqreport_test.h"
#include "tools/vqreport/cli.h"
#include "tools/vqreport/conversions.h"

namespace {

using vqreporttest::Vqreport;

// The gauge's own conversions, under the settings the gauge's PC has, not the
// tool's: its own markers, time separator and decimal separator are not used,
// and stay in force for the rest of the program.
TEST(VqreportConversions, JudgeAsTheGaugeDoesWhateverPCTheToolRunsOn) {
    platform::RegionalSettings settings;
    settings.AfternoonMarker = "nm";
    settings.TimeSeparator = '.';
    settings.DecimalSeparator = ',';
    platform::SetRegionalSettings(settings);
    double hours = -1.0;
    EXPECT_FALSE(vqreport::ReadTimeOfDay("2:00 nm", hours));
    EXPECT_FALSE(vqreport::ReadTimeOfDay("14.00", hours));
    EXPECT_TRUE(vqreport::ReadTimeOfDay("2:00 PM", hours));
    EXPECT_DOUBLE_EQ(hours, 14.0);
    double distance = 0.0;
    EXPECT_TRUE(vqreport::ReadLegDistance("12.5", '.', distance));
    EXPECT_FALSE(vqreport::ReadLegDistance("12,5", '.', distance));
    EXPECT_TRUE(vqreport::ReadLegDistance(" 12,5 ", ',', distance));
    EXPECT_DOUBLE_EQ(distance, 12.5);
    EXPECT_EQ(platform::CurrentRegionalSettings().DecimalSeparator, ',');
    platform::ResetRegionalSettings();

    // A zero is a number; the fuel account's 0 for "not a number" is not.
    std::int32_t whole = 0;
    EXPECT_TRUE(vqreport::ReadWholeNumber("$1f4", whole));
    EXPECT_EQ(whole, 500);
    for (const char* zero : {"0", " -0", "$0", "0x00", "X0"}) {
        whole = 7;
        EXPECT_TRUE(vqreport::ReadWholeNumber(zero, whole)) << zero;
        EXPECT_EQ(whole, 0) << zero;
    }
    for (const char* bad : {"", "12.5", "$", "0x", "99999999999", "0 ", "-", "00x0"}) {
        EXPECT_FALSE(vqreport::ReadWholeNumber(bad, whole)) << bad;
    }

    // The nav log reads times as the gauge does.
    for (const char* text : {"07:45", " 7:45:59 ", "7", "12:15 pm", "AM 1:00", "12:00 am", "9 :05", "24:00", "12:60",
                             "13:00 PM", "0 AM", "??", "", "7:", ":30", "7:45x", "1:00 P", "99999:00"}) {
        double hours = -1.0;
        int minutes = -1;
        const bool read = vqreport::ReadTimeOfDay(text, hours);
        EXPECT_EQ(navlog::ReadMinutes(text, minutes), read) << text;
        EXPECT_EQ(read ? minutes : -1, read ? static_cast<int>(hours * 60.0 + 0.5) : -1) << text;
    }
}

TEST(VqreportCommandLine, MistakesGetAMessageAndStatus3) {
    struct Case {
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {
        {{}, "no command"},
        {{"list"}, "unknown command list"},
        {{"check"}, "check needs the report file"},
        {{"check", "a.rec", "b.rec"}, "one file only"},
        {{"check", "--decimal", "ab", "a.rec"}, "\"ab\" is 2 characters"},
        {{"check", "--decimal", "x", "a.rec"}, "not a letter"},
        {{"show", "--json=yes", "a.rec"}, "--json takes no value"},
        {{"new", "--departure-tme", "10:00", "r.csv"}, "new has no option --departure-tme"},
        {{"new", "r.csv", "-o"}, "-o needs a value"},
        {{"recover", "a", "b"}, "recover lists one directory (a, b)"},
        {{"recover", "--restore", "a", "b", "c"}, "recover --restore takes a file and a directory, no more"},
        {{"recover", "--restore="}, "--restore= needs a file name"},
        {{"recover", "--restore", "-"}, "- is none"},
        {{"show", "--json", "--csv", "a.rec"}, "--json or --csv, not both"},
        {{"check", "--decimal=,", "--decimal", ".", "a.rec"}, "--decimal is given twice"},
        {{"new", "-o", "a.rec", "--output", "b.rec", "r.csv"}, "--output is given twice"},
        {{"new", "--departure-time", "9:00", "--DepartureTime", "9:30", "r.csv"},
         "--DepartureTime sets the field that --departure-time sets already"},
    };
    for (const Case& c : cases) {
        const auto run = Vqreport(c.Args);
        EXPECT_EQ(run.Status, 3) << c.Message;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
        EXPECT_NE(run.Err.find("usage: vqreport"), std::string::npos);
    }
    for (const std::string command : {"", "check", "show", "new", "recover"}) {
        const auto help = Vqreport(command.empty() ? std::vector<std::string>{"--help"}
                                                   : std::vector<std::string>{command, "--help"});
        EXPECT_EQ(help.Status, 0);
        EXPECT_EQ(help.Out.compare(0, 16 + command.size(), "usage: vqreport " + command), 0) << help.Out;
    }
    const auto version = Vqreport({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out.compare(0, 11, "vqreport 1."), 0) << version.Out;
}

class VqreportRobustness : public vqtest::ModuleTest {};

// A stream whose every write fails, as standard output on a full disk.
struct FullDevice : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(VqreportRobustness, OutputThatCannotBeWrittenIsAnError) {
    vqtest::WriteFile("report.rec", vqtest::CrLfLines(vqreporttest::CleanReportLines(2)));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"show", "report.rec"}, {"show", "--json", "report.rec"}, {"show", "--csv", "report.rec"},
             {"check", "report.rec"}, {"recover"}, {"--help"}}) {
        FullDevice full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(vqreport::RunVqreport(args, out, err), 3) << args[0];
        EXPECT_EQ(err.str(), "vqreport: cannot write to standard output\n") << args[0];
    }
}

// Spoiled copies of a good report, and of random bytes: check and show (as a
// nav log, JSON and CSV) end with a status of 0 to 3 and never crash or hang.
TEST_F(VqreportRobustness, AnyFileEndsWithAStatus) {
    const std::string good = vqtest::CrLfLines(vqreporttest::CleanReportLines(4));
    std::mt19937 random(20240611);
    for (int round = 0; round < 150; ++round) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = static_cast<char>(random() % 256); break;
            case 1: bytes.erase(at, random() % 40); break;
            case 2: bytes.insert(at, std::string(random() % 400, static_cast<char>(random() % 256))); break;
            default: bytes.insert(at, "\n" + std::to_string(static_cast<int>(random() % 3000) - 1000) + "\n"); break;
            }
        }
        if (round % 10 == 0) {
            bytes.clear();
            for (int i = 0; i < 2000; ++i) bytes += static_cast<char>(random() % 256);
        }
        vqtest::WriteFile("fuzz.rec", bytes);
        for (const auto& args : {std::vector<std::string>{"check", "fuzz.rec"},
                                 std::vector<std::string>{"show", "fuzz.rec"},
                                 std::vector<std::string>{"show", "--json", "fuzz.rec"},
                                 std::vector<std::string>{"show", "--csv", "fuzz.rec"}}) {
            const auto run = Vqreport(args);
            EXPECT_GE(run.Status, 0);
            EXPECT_LE(run.Status, 3);
            EXPECT_EQ(run.Err.find("unexpected"), std::string::npos) << run.Err;
        }
    }
}

}  // namespace
