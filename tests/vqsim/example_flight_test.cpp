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
#include "host/vqsim/report_text.h"
#include "host/vqsim/simulator.h"
#include "tests/test_support.h"

namespace {

using vqtest::Exists;
using vqtest::ReadFile;

constexpr double ArrivalDistanceDegrees = 0.006;

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
        if (!checkpoints[k].HasPosition()) {
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

    vqsim::ReportText Written(const std::string& path) {
        vqsim::ReportText report;
        std::string error;
        EXPECT_TRUE(vqsim::ReadReportText(path, report, error)) << error;
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
    const vqsim::ReportText report = Written("out/tolvanix.rec");
    ASSERT_EQ(report.Checkpoints.size(), 9u);
    const std::vector<std::string> arrivals = ImpliedArrivals(plan, 1);
    EXPECT_EQ(report.Checkpoints[0].ActualArrival, "07:30") << "the first checkpoint keeps its time";
    for (int k = 1; k < 9; ++k) {
        const auto& c = report.Checkpoints[k];
        EXPECT_EQ(c.ActualArrival, arrivals[k - 1]) << "checkpoint " << k + 1 << " " << c.Name;
        EXPECT_EQ(c.ActualLegTime, LegTime(report.Checkpoints[k - 1].ActualArrival, c.ActualArrival)) << c.Name;
        if (k < 8) {
            EXPECT_FALSE(report.Checkpoints[k + 1].EstimatedArrival.empty()) << "estimate after " << c.Name;
        }
    }
    EXPECT_EQ(report.ArrivalTime(), arrivals.back());

    // Fuel: stored at the gate, the account closed after the stop.
    const double start = FuelAt(plan, "store-fuel");
    const long long used = static_cast<long long>(start - FuelAt(plan, "fuel-summary"));
    EXPECT_DOUBLE_EQ(report.StartFuel, start);
    EXPECT_EQ(report.FuelUsed(), std::to_string(used));
    EXPECT_EQ(report.TotalFuel(), std::to_string(used + 350));
    int flightMinutes = 0;
    ASSERT_TRUE(vqsim::MinutesBetween(report.DepartureTime(), report.ArrivalTime(), flightMinutes));
    char perHour[32];
    std::snprintf(perHour, sizeof perHour, "%.2f", used / (flightMinutes / 60.0));
    EXPECT_EQ(report.FuelPerHour(), perHour);

    // What the person gets: the nav-log, the log, a face per arrival.
    EXPECT_NE(ReadFile("out/navlog.txt").find("Departure 07:30, arrival " + arrivals.back()), std::string::npos);
    EXPECT_NE(ReadFile("out/vqsim.log").find("|09/09 ENBR          |"), std::string::npos);
    if (run.Err.find("no pictures of the face") == std::string::npos) {
        EXPECT_EQ(run.Outcome.Pictures.size(), 9u);
        EXPECT_EQ(ReadFile("out/face-09.png").substr(1, 3), "PNG");
    }
}

TEST_F(ExampleFlight, ACrashStopsWithoutKillAndAFlightTakenUpFliesOn) {
    const std::string before = ReadFile(Example);
    const Result crash = Run(Args(Example, "crash", {"--crash-at", "07:45", "--no-pictures"}));
    ASSERT_EQ(crash.Status, 0) << crash.Err;
    EXPECT_TRUE(crash.Outcome.Crashed);
    EXPECT_NEAR(crash.Outcome.SimulatedSeconds, 17 * 60, 1.0) << "switched on at 07:28";
    EXPECT_EQ(ReadFile("crash/tolvanix.rec"), before) << "no kill, so nothing was saved";
    EXPECT_NE(ReadFile("crash/vqsim.log").find("07:45:00  the host crashes"), std::string::npos);
    EXPECT_EQ(ReadFile("crash/vqsim.log").find("kill: the host removes the gauge"), std::string::npos);

    // The full flight, then its report with the times from checkpoint 5 on
    // taken away, as a recovery after a crash past checkpoint 4 leaves it.
    ASSERT_EQ(Run(Args(Example, "full", {"--no-pictures"})).Status, 0);
    const vqsim::ReportText full = Written("full/tolvanix.rec");
    ASSERT_TRUE(Exists("crash/tolvanix-recovery.rec")) << "the times taken before the crash are kept";
    const vqsim::ReportText recovered = Written("crash/tolvanix-recovery.rec");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(recovered.Checkpoints[k].ActualArrival, full.Checkpoints[k].ActualArrival) << "checkpoint " << k + 1;
    }
    std::vector<std::string> lines;
    {
        const std::string bytes = ReadFile("full/tolvanix.rec");
        for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(bytes.substr(start, end - start));
        }
    }
    for (int k = 4; k < 9; ++k) {
        for (int field : {13, 14, 15}) lines[31 + 15 * k + field - 1].clear();
    }
    for (int header : {16, 22, 26, 27}) lines[header].clear();
    vqtest::WriteFile("partial.rec", vqtest::CrLfLines(lines));

    const auto args = Args("partial.rec", "on", {"--no-pictures"});
    const Result on = Run(args);
    ASSERT_EQ(on.Status, 0) << on.Err;
    EXPECT_NE(on.Out.find("taken up after checkpoint 4"), std::string::npos) << on.Out;
    vqsim::FlightPlan plan;
    PlanFor(args, plan);
    ASSERT_TRUE(plan.TakenUp);
    EXPECT_EQ(plan.StartOfDay / 60, (7 * 60 + 44)) << "the clock starts at checkpoint 4's arrival";
    const vqsim::ReportText report = Written("on/tolvanix.rec");
    const std::vector<std::string> arrivals = ImpliedArrivals(plan, 4);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(report.Checkpoints[k].ActualArrival, full.Checkpoints[k].ActualArrival);
    for (int k = 4; k < 9; ++k) {
        const auto& c = report.Checkpoints[k];
        EXPECT_EQ(c.ActualArrival, arrivals[k - 4]) << c.Name;
        EXPECT_EQ(c.ActualLegTime, LegTime(report.Checkpoints[k - 1].ActualArrival, c.ActualArrival)) << c.Name;
    }
    EXPECT_DOUBLE_EQ(report.StartFuel, full.StartFuel) << "the fuel stored before the crash is kept";
    EXPECT_FALSE(report.FuelPerHour().empty());

    // A report flown to its end is not flown again unless asked.
    const Result again = Run(Args("on/tolvanix.rec", "again", {"--no-pictures"}));
    EXPECT_EQ(again.Status, 1);
    EXPECT_NE(again.Err.find("already flown to its last checkpoint"), std::string::npos) << again.Err;
    EXPECT_EQ(Run(Args("on/tolvanix.rec", "again", {"--no-pictures", "--from-start"})).Status, 0);
}

TEST_F(ExampleFlight, BadInputGetsAMessageAndAnExitStatus) {
    vqtest::WriteFile("cut.rec", ReadFile(Example).substr(0, 600));
    vqtest::WriteFile("script.txt", "07:28 switch\n07:29 jump\n");
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
        {Args("cut.rec", "o4"), 1, "cut.rec ends after line"},
        {Args(Example, "o5", {"--script", "script.txt"}), 1, "script.txt line 2: unknown command 'jump'"},
        {Args(Example, "o6", {"--speed", "-3"}), 2, "is not a ground speed"},
        {Args("cut.rec", "."), 1, "cut.rec ends after line"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.Args);
        EXPECT_EQ(result.Status, c.Status) << c.Message;
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << "got: " << result.Err;
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

}  // namespace
