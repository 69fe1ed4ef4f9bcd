// Stamping a checkpoint from the simulator's clock, through the host double.
#include <cmath>

#include "interface/state.h"
#include "interface/variables.h"
#include "progress/timing.h"
#include "tests/host_double.h"

namespace {

class CheckpointTiming : public vqtest::HostedTest {
protected:
    // Three checkpoints; the first reached at `previousArrival`.
    void ThreeLegs(const std::string& previousArrival, const std::string& current = "100",
                   const std::string& next = "150") {
        UseRoute({{"A", "AAA", 60.0, 10.0, "", ""},
                  {"B", "BBB", 60.5, 10.5, current, "01:00"},
                  {"C", "CCC", 61.0, 11.0, next, "01:30"}});
        ChkPointList.Item(0).ActualArrival = previousArrival;
        CurrentChkPoint = 1;
    }
    TChkPoint& Point(int k) { return ChkPointList.Item(k); }
};

TEST_F(CheckpointTiming, ClockIsRoundedToTheMinute) {
    struct Case {
        int hour, minute;
        double second;
        const char* text;
    } cases[] = {{13, 59, 45.0, "14:00"}, {23, 59, 31.0, "00:00"}, {10, 15, 30.0, "10:15"}, {10, 15, 30.5, "10:16"}};
    for (const Case& c : cases) {
        ThreeLegs("09:00");
        Host.SetClock(c.hour, c.minute, c.second);
        UpdateCheckpointTimes();
        EXPECT_EQ(Point(1).ActualArrival, c.text);
    }
}

TEST_F(CheckpointTiming, WorkedExampleWritesLegTimeArrivalAndEstimate) {
    ThreeLegs("11:00");
    Host.SetClock(12, 0, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualLegTime, "01:00");
    EXPECT_EQ(Point(1).ActualArrival, "12:00");
    EXPECT_EQ(Point(2).EstimatedArrival, "13:30");
    EXPECT_EQ(ReportHeader.ArrivalTime, "");
    // The clock is refreshed through the host, hour, minute, second.
    std::vector<std::uint32_t> refreshed;
    for (const auto& call : Host.Calls()) refreshed.push_back(call.Token);
    EXPECT_EQ(refreshed, (std::vector<std::uint32_t>{3, 4, 5}));
}

TEST_F(CheckpointTiming, LegOverMidnightAndSameMinute) {
    ThreeLegs("23:50");
    Host.SetClock(0, 20, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualLegTime, "00:30");

    ThreeLegs("08:05");
    Host.SetClock(8, 5, 10.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualLegTime, "00:00");
    EXPECT_EQ(Point(2).EstimatedArrival, "08:05");
}

TEST_F(CheckpointTiming, LastCheckpointSetsTheArrivalTimeOnly) {
    ThreeLegs("11:00");
    Point(1).ActualArrival = "11:40";
    Point(2).EstimatedArrival = "old";
    CurrentChkPoint = 2;
    Host.SetClock(12, 10, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).ActualArrival, "12:10");
    EXPECT_EQ(Point(2).ActualLegTime, "00:30");
    EXPECT_EQ(Point(2).EstimatedArrival, "old");
    EXPECT_EQ(ReportHeader.ArrivalTime, "12:10");
}

TEST_F(CheckpointTiming, NothingOutsideTheRange) {
    ThreeLegs("11:00");
    for (int index : {0, 3, 99, -1}) {
        CurrentChkPoint = index;
        UpdateCheckpointTimes();
    }
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Point(k).ActualLegTime, "");
    EXPECT_TRUE(Host.Calls().empty()) << "not even the clock is read";
}

TEST_F(CheckpointTiming, FailedConversionKeepsEarlierWritesOnly) {
    ThreeLegs("??");
    Host.SetClock(12, 0, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualArrival, "") << "previous arrival not a time: nothing written";

    ThreeLegs("11:00", "100", "far");
    Point(2).EstimatedArrival = "12:55";
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualArrival, "12:00");
    EXPECT_EQ(Point(1).ActualLegTime, "01:00");
    EXPECT_EQ(Point(2).EstimatedArrival, "12:55");
}

TEST_F(CheckpointTiming, ZeroLegDistanceWritesNoEstimate) {
    for (const char* zero : {"0", "-0", "0.0"}) {
        ThreeLegs("11:00", zero, "150");
        Point(2).EstimatedArrival = "kept";
        Host.SetClock(12, 0, 0.0);
        UpdateCheckpointTimes();
        EXPECT_EQ(Point(1).ActualArrival, "12:00");
        EXPECT_EQ(Point(2).EstimatedArrival, "kept") << zero;
    }
    // A ratio too large for a double: no "inf" anywhere.
    ThreeLegs("11:00", "1e-300", "1e300");
    Point(2).EstimatedArrival = "kept";
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).EstimatedArrival, "kept");
}

TEST_F(CheckpointTiming, EstimatePastMidnightIsAClockTime) {
    ThreeLegs("22:00", "100", "300");
    Host.SetClock(23, 0, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).EstimatedArrival, "02:00");

    ThreeLegs("22:00", "100", "-500");  // a negative distance goes backwards
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).EstimatedArrival, "18:00");
}

TEST_F(CheckpointTiming, UnreasonableClockValuesAreContained) {
    ThreeLegs("11:00");
    Host.SetClock(0, 0, 0.0);
    Host.SetVariable(ClockHourToken, std::nan(""));
    Host.SetVariable(ClockMinuteToken, 1e12);
    // Held within range: minute 2147483647 rolls over into the next hour.
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualArrival, "01:00");
    Host.SetVariable(ClockHourToken, 1e12);
    Host.SetVariable(ClockMinuteToken, -5.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(1).ActualArrival, "01:00") << "a clock text that is not a time stops the run";
}

}  // namespace
