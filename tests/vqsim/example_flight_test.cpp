// Whole flights of the example report (Oslo to Bergen, nine checkpoints, one
// without a position) through the real module file, and what the simulator
// does with bad input. The times the gauge writes are checked against what
// the flight implies: the frame at which the aircraft first comes within the
// gauge's arrival distance of each checkpoint, on the clock the simulator
// shows, rounded to the minute as the gauge rounds it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "host/vqsim/flight_plan.h"
#include "host/vqsim/navlog.h"
#include "host/vqsim/paths.h"
#include "host/vqsim/report_copy.h"
#include "host/vqsim/simulator.h"
#include "interface/units.h"
#include "report/report_file.h"
#include "tests/test_support.h"

namespace {

using vqtest::Exists;
using vqtest::ReadFile;

// The clock text the gauge takes at this second of the day: whole minutes,
// up one after 30 seconds.
std::string GaugeMinute(long long secondsOfDay) {
    long long s = secondsOfDay % 86400;
    int hour = static_cast<int>(s / 3600), minute = static_cast<int>(s / 60 % 60);
    if (s % 60 > 30) ++minute;
    if (minute > 59) {
        minute = 0;
        hour = (hour + 1) % 24;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

// The actual arrival the flight implies for each checkpoint from `from` on.
std::vector<std::string> ImpliedArrivals(const vqsim::FlightPlan& plan, int from) {
    std::vector<std::string> arrivals;
    const auto& checkpoints = plan.Report.Checkpoints;
    const vqsim::Flight& flight = *plan.Aircraft;
    std::vector<long long> marks;  // the pilot marks checkpoints without a position by hand
    for (const auto& event : plan.Events) {
        if (event.Command == "mark") marks.push_back(event.Second * vqsim::FramesPerSecond);
    }
    std::size_t nextMark = 0;
    long long frame = 0;
    const long long last = plan.EndSecond * vqsim::FramesPerSecond;
    for (int k = from; k < static_cast<int>(checkpoints.size()); ++k) {
        if (!vqsim::HasPosition(checkpoints[k])) {
            frame = nextMark < marks.size() ? marks[nextMark++] : last;
        } else {
            frame = static_cast<long long>(flight.ElapsedAtAlong(plan.Path.PassDistanceNm(k - 1)) * vqsim::FramesPerSecond);
            for (; frame <= last; ++frame) {
                const vqsim::GeoPoint p = flight.PositionAt(double(frame) / vqsim::FramesPerSecond);
                if (std::hypot(p.LatitudeDegrees - checkpoints[k].Latitude, p.LongitudeDegrees - checkpoints[k].Longitude) <
                    ArrivalDistanceDegrees) {
                    break;
                }
            }
        }
        arrivals.push_back(GaugeMinute(plan.StartOfDay + frame / vqsim::FramesPerSecond));
    }
    return arrivals;
}

std::string LegTime(const std::string& from, const std::string& to) {
    int minutes = 0;
    EXPECT_TRUE(vqsim::MinutesBetween(from, to, minutes)) << from << " " << to;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

double FuelAt(const vqsim::FlightPlan& plan, const std::string& command) {
    for (const auto& event : plan.Events) {
        if (event.Command == command) {
            double tanks[3];
            plan.Aircraft->FuelAt(double(event.Second), tanks);
            return tanks[0] + tanks[1] + tanks[2];
        }
    }
    ADD_FAILURE() << "the pilot never clicks " << command;
    return 0.0;
}

class ExampleFlight : public ::testing::Test {
protected:
    struct Result {
        int Status = -1;
        std::string Out, Err;
        vqsim::RunOutcome Outcome;
    };

    std::vector<std::string> Args(const std::string& report, const std::string& out, std::vector<std::string> more = {}) {
        std::vector<std::string> args{report, "--module", vqtest::GaugeModulePath(), "--out", out};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    static std::string Drain(std::FILE* file) {
        std::string text;
        std::rewind(file);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
        std::fclose(file);
        return text;
    }

    Result Run(const std::vector<std::string>& args) {
        Result result;
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        result.Status = vqsim::VqsimMain(args, out, err, &result.Outcome);
        result.Out = Drain(out);
        result.Err = Drain(err);
        return result;
    }

    // The plan the simulator makes for these arguments.
    void PlanFor(const std::vector<std::string>& args, vqsim::FlightPlan& plan) {
        vqsim::Options options;
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(vqsim::ParseOptions(args, options, error)) << error;
        ASSERT_TRUE(vqsim::MakeFlightPlan(options, plan, error, warnings)) << error;
    }

    vqsim::ReportCopy Written(const std::string& path) {
        vqsim::ReportCopy report;
        std::string error;
        EXPECT_TRUE(vqsim::ReadReportCopy(path, path, report, error)) << error;
        return report;
    }

    const std::string Example = vqtest::SourceFile("examples/tolvanix.rec");
    vqtest::ScratchDirectory Scratch;
};

TEST_F(ExampleFlight, TheGaugeWritesTheTimesAndFuelTheFlightImplies) {
    const std::string before = ReadFile(Example);
    const auto args = Args(Example, "out");
    const Result run = Run(args);
    ASSERT_EQ(run.Status, 0) << run.Err << run.Out;
    EXPECT_FALSE(run.Outcome.Crashed);
    EXPECT_EQ(ReadFile(Example), before) << "the report given is never changed";

    vqsim::FlightPlan plan;
    PlanFor(args, plan);
    const vqsim::ReportCopy report = Written("out/tolvanix.rec");
    ASSERT_EQ(report.Checkpoints.size(), 9u);
    const std::vector<std::string> arrivals = ImpliedArrivals(plan, 1);
    EXPECT_EQ(report.Checkpoints[0].ActualArrival, "07:30") << "the first checkpoint keeps its time";
    for (int k = 1; k < 9; ++k) {
        const auto& c = report.Checkpoints[k];
        const std::string name = vqtest::Str(c.Name);
        EXPECT_EQ(vqtest::Str(c.ActualArrival), arrivals[k - 1]) << "checkpoint " << k + 1 << " " << name;
        EXPECT_EQ(vqtest::Str(c.ActualLegTime), LegTime(report.Checkpoints[k - 1].ActualArrival, c.ActualArrival))
            << name;
        if (k < 8) {
            EXPECT_FALSE(report.Checkpoints[k + 1].EstimatedArrival.empty()) << "estimate after " << name;
        }
    }
    EXPECT_EQ(vqtest::Str(report.Header.ArrivalTime), arrivals.back());

    // Fuel: stored at the gate, the account closed after the stop.
    const double start = FuelAt(plan, "store-fuel");
    const long long used = static_cast<long long>(start - FuelAt(plan, "fuel-summary"));
    EXPECT_DOUBLE_EQ(report.StartFuel, start);
    EXPECT_EQ(vqtest::Str(report.Header.FuelUsed), std::to_string(used));
    EXPECT_EQ(vqtest::Str(report.Header.TotalFuel), std::to_string(used + 350));
    int flightMinutes = 0;
    ASSERT_TRUE(vqsim::MinutesBetween(report.Header.DepartureTime, report.Header.ArrivalTime, flightMinutes));
    char perHour[32];
    std::snprintf(perHour, sizeof perHour, "%.2f", used / (flightMinutes / 60.0));
    EXPECT_EQ(report.Header.FuelPerHour, perHour);

    // What the person gets: the nav-log, the log, a face per arrival, the map.
    EXPECT_NE(run.Out.find("Report: out"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("  7 Dale          (DALEX)"), std::string::npos) << run.Out;
    EXPECT_NE(ReadFile("out/navlog.txt").find(": departure 07:30, arrival " + arrivals.back()), std::string::npos);
    EXPECT_NE(ReadFile("out/vqsim.log").find("|09/09 ENBR          |"), std::string::npos);
    EXPECT_NE(ReadFile("out/route.svg").find("</svg>"), std::string::npos);
    if (run.Err.find("no pictures of the face") == std::string::npos) {
        EXPECT_EQ(run.Outcome.Pictures.size(), 9u);
        for (int k = 1; k <= 9; ++k) {
            const std::string name = "out/face-0" + std::to_string(k) + ".png";
            EXPECT_EQ(ReadFile(name).substr(1, 3), "PNG") << name;
        }
    }
}

// A crash keeps the flight in the recovery file; the restart loads the gauge
// again where the crash left the aircraft and the clock, the gauge takes the
// flight up, and the report it saves is the uninterrupted flight's. Without
// the recovery file the restart fails the run, naming what is lost.
TEST_F(ExampleFlight, ACrashAndARestartGiveTheWholeFlight) {
    const std::string before = ReadFile(Example);
    const Result crash = Run(Args(Example, "crash", {"--crash-at", "07:45", "--no-pictures"}));
    ASSERT_EQ(crash.Status, 0) << crash.Err;
    EXPECT_TRUE(crash.Outcome.Crashed);
    EXPECT_NEAR(crash.Outcome.SimulatedSeconds, 17 * 60, 1.0) << "switched on at 07:28";
    EXPECT_EQ(ReadFile("crash/tolvanix.rec"), before) << "no kill, so nothing was saved";
    EXPECT_NE(crash.Out.find("tolvanix-recovery.rec holds the flight"), std::string::npos)
        << crash.Out;
    EXPECT_EQ(ReadFile("crash/vqsim.log").find("kill: the host removes the gauge"), std::string::npos);
    std::filesystem::copy("crash", "lost");

    const Result restart = Run({"--restart", "--out", "crash"});
    ASSERT_EQ(restart.Status, 0) << restart.Err << restart.Out;
    EXPECT_NE(restart.Out.find("07:45:00  click switch  (on again after the restart)"), std::string::npos);
    ASSERT_EQ(Run(Args(Example, "full", {"--no-pictures"})).Status, 0);
    EXPECT_EQ(ReadFile("crash/tolvanix.rec"), ReadFile("full/tolvanix.rec"));
    EXPECT_EQ(vqtest::ListDirectory("crash"), (std::vector<std::string>{"navlog.txt", "tolvanix.rec", "vqsim.log"}));

    vqtest::RemoveForTest("lost/tolvanix-recovery.rec");
    const Result lost = Run({"--restart", "--out", "lost", "--crash-at", "07:46"});
    EXPECT_EQ(lost.Status, 1);
    EXPECT_NE(lost.Err.find("no recovery file after a stamp"), std::string::npos) << lost.Err;
    EXPECT_NE(lost.Err.find("tolvanix.rec lacks the flown leg times the display showed: 2 (HONEF) 00:04, "
                            "3 (GOLLA) 00:07, 4 (GEILO) 00:03; the start fuel"),
              std::string::npos)
        << lost.Err;
}

// A report whose checkpoints already hold arrivals (a recovery file restored
// by hand) is flown from after its last one; one flown to its end is not
// flown again unless asked.
TEST_F(ExampleFlight, AReportWithArrivalsIsTakenUpAfterTheLast) {
    ASSERT_EQ(Run(Args(Example, "full", {"--no-pictures"})).Status, 0);
    const vqsim::ReportCopy full = Written("full/tolvanix.rec");
    ASSERT_TRUE(ReadReportFile("full/tolvanix.rec").Whole);
    for (int k = 4; k < 9; ++k) {
        for (int field : {PfActualLegTime, PfEstimatedArrival, PfActualArrival}) {
            (ChkPointList.Item(k).*TChkPoint::Texts[field]).clear();
        }
    }
    for (int field : {HfArrivalTime, HfFuelUsed, HfTotalFuel, HfFuelPerHour}) (ReportHeader.*TReportHeader::Texts[field]).clear();
    ASSERT_TRUE(WriteReportFile("partial.rec"));

    const auto args = Args("partial.rec", "on", {"--no-pictures"});
    const Result on = Run(args);
    ASSERT_EQ(on.Status, 0) << on.Err;
    EXPECT_NE(on.Out.find("taken up after checkpoint 4"), std::string::npos) << on.Out;
    vqsim::FlightPlan plan;
    PlanFor(args, plan);
    EXPECT_EQ(plan.StartOfDay / 60, (7 * 60 + 44)) << "the clock starts at checkpoint 4's arrival";
    const vqsim::ReportCopy report = Written("on/tolvanix.rec");
    const std::vector<std::string> arrivals = ImpliedArrivals(plan, 4);
    for (int k = 4; k < 9; ++k) EXPECT_EQ(vqtest::Str(report.Checkpoints[k].ActualArrival), arrivals[k - 4]) << k;
    EXPECT_DOUBLE_EQ(report.StartFuel, full.StartFuel) << "the fuel stored before is kept";

    const Result again = Run(Args("on/tolvanix.rec", "again", {"--no-pictures"}));
    EXPECT_EQ(again.Status, 1);
    EXPECT_NE(again.Err.find("already flown to its last checkpoint"), std::string::npos) << again.Err;
    EXPECT_EQ(Run(Args("on/tolvanix.rec", "again", {"--no-pictures", "--from-start"})).Status, 0);
}

TEST_F(ExampleFlight, BadInputGetsAMessageAndAnExitStatus) {
    const std::string example = ReadFile(Example);
    vqtest::WriteFile("cut.rec", example.substr(0, 600));
    vqtest::WriteFile("one.rec", example.substr(0, example.find("60.168000")));  // the first position only
    vqtest::WriteFile("script.txt", "\xEF\xBB\xBF" "07:28 switch\n07:29 jump\n");
    vqtest::WriteFile("cut.ttf", ReadFile(vqsim::DefaultFontPaths()[0]).substr(0, 20000));
#ifdef _WIN32
    const std::string notAGauge = vqtest::TestProgramDirectory() + "\\not_a_gauge.dll";
#else
    const std::string notAGauge = vqtest::TestProgramDirectory() + "/not_a_gauge.so";
#endif
    struct Case {
        std::vector<std::string> Args;
        int Status;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {{Example, "--module", "no-such-module.gau", "--out", "o1"}, 1, "cannot load the gauge module"},
        {{Example, "--module", notAGauge, "--out", "o2"}, 1, "is not a gauge module"},
        {Args("no-such-report.rec", "o3"), 1, "cannot read the report"},
        {Args("cut.rec", "o4"), 1, "cut.rec: the gauge does not take the report as written"},
        {Args(Example, "o5", {"--script", "script.txt"}), 1, "script.txt line 2: unknown command 'jump'"},
        {Args(Example, "o6", {"--speed", "-3"}), 2, "is not a ground speed"},
        {Args(Example, "o6", {"--fuel", "1e12,0,0"}), 2, "1000000000"},
        {Args(Example, "o6", {"--burn", "1e9"}), 2, "10000000"},
        {Args("one.rec", "o6"), 1, "1 checkpoint with a position"},
        {Args(Example, "o7", {"--font", "cut.ttf"}), 1, "cut.ttf"},
        // Warnings before the flight, which --print-script shows without flying.
        {Args(Example, "o8", {"--departure", "08:00", "--print-script"}), 0, "first leg from 07:30"},
        {Args(Example, "o8", {"--crash-at", "06:00", "--print-script"}), 0, "before the start at 07:28:00"},
        {Args(Example, "o8", {"--crash-at", "+24:00", "--print-script"}), 0, "+24:00"},
        {{"--print-script", "--", Example}, 0, "07:28:00  switch"},
        {Args(Example, "o8", {"--face-at", "07:40", "--face-at", "07:50", "--print-script"}), 0, "07:50:00  face"},
        {Args(Example, "o8", {"--speed", "400", "--speed", "300"}), 2, "--speed is given twice"},
        {{"--version"}, 0, "vqsim 1."},
        {Args("cut.rec", "."), 1, "cut.rec: the gauge does not take the report as written"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.Args);
        EXPECT_EQ(result.Status, c.Status) << c.Message;
        EXPECT_NE((result.Err + result.Out).find(c.Message), std::string::npos) << "got: " << result.Err;
    }

    // A report in the output directory, and a directory of someone else's files.
    vqtest::WriteFile("mine.rec", ReadFile(Example));
    Result result = Run(Args("mine.rec", "."));
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("lies in the output directory"), std::string::npos) << result.Err;
    EXPECT_EQ(ReadFile("mine.rec"), ReadFile(Example));
    std::filesystem::create_directory("theirs");
    vqtest::WriteFile("theirs/tolvanix.rec", "their report");
    result = Run(Args(Example, "theirs"));
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("is not one of vqsim's"), std::string::npos) << result.Err;
    EXPECT_EQ(ReadFile("theirs/tolvanix.rec"), "their report");
}

// The report on disk after the kill must hold what the display showed: a
// read-only report (which the gauge does not replace) fails the run, as does
// a file of the run that cannot be written (here the map, blocked by a folder).
TEST_F(ExampleFlight, ASaveThatDidNotHappenAndAFileNotWrittenFailTheRun) {
    vqtest::WriteFile("ro.rec", ReadFile(Example));
    std::filesystem::permissions("ro.rec", std::filesystem::perms::owner_read);
    std::filesystem::create_directories("ro/route.svg");
    vqtest::WriteFile("ro/vqsim.log", "");
#ifndef _WIN32
    // A link of the last run's names leads out of the folder: its target is not touched.
    vqtest::WriteFile("outside.rec", "someone's");
    std::filesystem::create_symlink("../outside.rec", "ro/tolvanix.rec");
    const auto mode = std::filesystem::status("outside.rec").permissions();
#endif
    const Result run = Run(Args("ro.rec", "ro", {"--speed", "5000"}));
    EXPECT_EQ(run.Status, 1);
    for (const char* stated : {"07:33:51", "FINSE", "tolvanix-recovery.rec", "route.svg"}) {
        EXPECT_NE(run.Err.find(stated), std::string::npos) << stated << " in " << run.Err;
    }
    EXPECT_FALSE(Exists("ro/navlog.txt"));
#ifndef _WIN32
    EXPECT_EQ(ReadFile("outside.rec"), "someone's");
    EXPECT_EQ(std::filesystem::status("outside.rec").permissions(), mode);
#endif
    for (const char* file : {"ro.rec", "ro/tolvanix.rec"}) {  // Windows removes no read-only file
        std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
}

// An earlier run's recovery, kept and temporary files stop a new run, or with
// --clean go into previous-N. The report flown has a count line with words
// and a position in hexadecimal, which the gauge reads as 9 and as no
// position, and so does not take as written: it keeps a copy, which vqsim tells.
TEST_F(ExampleFlight, AnEarlierRunsKeptFilesAreMovedAsideOnlyWhenAsked) {
    std::string odd = ReadFile(Example);
    odd.replace(odd.find("\r\n9\r\n"), 5, "\r\n9 checkpoints\r\n");
    odd.replace(odd.find("60.168000\r\n10.256000"), 20, "0x3C\r\n0x0A");
    vqtest::WriteFile("odd.rec", odd);
    std::filesystem::create_directory("again");
    const std::vector<std::string> kept = {"tolvanix-recovery.rec", "tolvanix.rec.new3", "vqsim.log"};
    for (const std::string& name : kept) vqtest::WriteFile("again/" + name, name);
    Result run = Run(Args("odd.rec", "again", {"--no-pictures"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(kept[0] + " " + kept[1]), std::string::npos) << run.Err;
    run = Run(Args("odd.rec", "again", {"--no-pictures", "--clean"}));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadFile("again/previous-1/" + kept[0]) + ReadFile("again/previous-1/" + kept[1]), kept[0] + kept[1]);
    EXPECT_EQ(ReadFile("again/tolvanix-kept-1.rec"), odd);
    for (const char* stated : {"(9 checkpoints", "2 Honefoss (HONEF) (no position)", "tolvanix-kept-1.rec: the report as given"}) {
        EXPECT_NE(run.Out.find(stated), std::string::npos) << stated << " in " << run.Out;
    }
}

}  // namespace
