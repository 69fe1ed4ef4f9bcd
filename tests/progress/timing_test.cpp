// Stamping a checkpoint from the simulator's clock, through the host double.
#include <cmath>

#include "interface/state.h"
#include "interface/variables.h"
#include "progress/timing.h"
#include "tests/host_double.h"

namespace {

class CheckpointTiming : public vqtest::HostedTest {
protected:
    // Three checkpoints, the first reached at `previousArrival`, then stamps
    // the second at the given clock.
    void Stamp(const std::string& previousArrival, int hour, int minute, double second,
               const std::string& current = "100", const std::string& next = "150") {
        UseRoute({{"A", "AAA", 60.0, 10.0, "", ""},
                  {"B", "BBB", 60.5, 10.5, current, "01:00"},
                  {"C", "CCC", 61.0, 11.0, next, "01:30"}});
        Point(0).ActualArrival = previousArrival;
        Point(1).ActualLegTime = Point(2).EstimatedArrival = "kept";
        CurrentChkPoint = 1;
        Host.SetClock(hour, minute, second);
        UpdateCheckpointTimes();
    }
    TChkPoint& Point(int k) { return ChkPointList.Item(k); }
};

TEST_F(CheckpointTiming, WritesLegTimeArrivalAndTheEstimateFromTheClockRoundedToTheMinute) {
    const struct {
        const char* Previous;
        int Hour, Minute;
        double Second;
        const char *Next, *Arrival, *LegTime, *Estimate;
    } cases[] = {
        {"11:00", 12, 0, 0.0, "150", "12:00", "01:00", "13:30"},  // the next leg at the speed of this one
        {"13:00", 13, 59, 45.0, "150", "14:00", "01:00", "15:30"},
        {"09:00", 10, 15, 30.0, "150", "10:15", "01:15", "12:08"},  // exactly 30 s stays
        {"09:00", 10, 15, 30.5, "150", "10:16", "01:16", "12:10"},
        {"23:50", 23, 59, 31.0, "150", "00:00", "00:10", "00:15"},  // over midnight
        {"23:50", 0, 20, 0.0, "150", "00:20", "00:30", "01:05"},
        {"08:05", 8, 5, 10.0, "150", "08:05", "00:00", "08:05"},
        {"22:00", 23, 0, 0.0, "300", "23:00", "01:00", "02:00"},  // a clock time
        {"22:00", 23, 0, 0.0, "-500", "23:00", "01:00", "18:00"},  // a negative distance goes backwards
        {"11:00", 12, 0, 0.0, "far", "12:00", "01:00", "kept"},
        {"??", 12, 0, 0.0, "150", "12:00", "kept", "kept"},  // the previous arrival is not a time
    };
    for (const auto& c : cases) {
        Stamp(c.Previous, c.Hour, c.Minute, c.Second, "100", c.Next);
        SCOPED_TRACE(std::string(c.Previous) + " to " + c.Arrival);
        EXPECT_EQ(Point(1).ActualArrival, c.Arrival);
        EXPECT_EQ(Point(1).ActualLegTime, c.LegTime);
        EXPECT_EQ(Point(2).EstimatedArrival, c.Estimate);
        EXPECT_EQ(ReportHeader.ArrivalTime, "");
    }
}

TEST_F(CheckpointTiming, ZeroOrHugeRatiosWriteNoEstimate) {
    for (const char* zero : {"0", "-0", "0.0"}) {
        Stamp("11:00", 12, 0, 0.0, zero, "150");
        EXPECT_EQ(Point(1).ActualArrival, "12:00");
        EXPECT_EQ(Point(2).EstimatedArrival, "kept") << zero;
    }
    Stamp("11:00", 12, 0, 0.0, "1e-300", "1e300");
    EXPECT_EQ(Point(2).EstimatedArrival, "kept");
}

TEST_F(CheckpointTiming, LastCheckpointSetsTheArrivalTimeOnlyAndNothingOutsideTheRange) {
    Stamp("11:00", 11, 40, 0.0);
    CurrentChkPoint = 2;
    Host.SetClock(12, 10, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).ActualArrival, "12:10");
    EXPECT_EQ(Point(2).ActualLegTime, "00:30");
    EXPECT_EQ(Point(2).EstimatedArrival, "12:40") << "from the stamp before";
    EXPECT_EQ(ReportHeader.ArrivalTime, "12:10");
    Point(1).ActualArrival = "??";  // the checkpoint before the last one missed
    Host.SetClock(12, 20, 0.0);
    UpdateCheckpointTimes();
    EXPECT_EQ(Point(2).ActualArrival, "12:20");
    EXPECT_EQ(ReportHeader.ArrivalTime, "12:20");
    EXPECT_EQ(Point(2).ActualLegTime, "00:30") << "kept";

    Host.ClearCalls();
    for (int index : {0, 3, 99, -1}) {
        CurrentChkPoint = index;
        UpdateCheckpointTimes();
    }
    EXPECT_EQ(Point(0).ActualLegTime, "");
    EXPECT_TRUE(Host.Calls().empty()) << "not even the clock is read";
}

TEST_F(CheckpointTiming, UnreasonableClockValuesAreContained) {
    Stamp("11:00", 0, 0, 0.0);
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
