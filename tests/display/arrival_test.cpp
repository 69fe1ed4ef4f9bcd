// The arrival detection that runs with line 3, at the edges the flights
// through the module file do not reach.
#include "display/lines.h"
#include "interface/state.h"
#include "progress/time_text.h"
#include "tests/host_double.h"

namespace {

class ArrivalDetection : public vqtest::HostedTest {
protected:
    ArrivalDetection() {
        Host.Install();
        UseRoute({{"A", "AAA", 60.0, 10.0, "", ""},
                  {"B", "BBB", 60.0, 11.0, "30", ""},
                  {"C", "CCC", 60.0, 12.0, "30", ""}});
        Active = 1;
        Host.SetClock(10, 0, 0.0);
    }
    ~ArrivalDetection() override { EXPECT_TRUE(Host.GuardsIntact()); }

    void FlyTo(double latitude, double longitude) {
        Host.SetAircraftPosition(latitude, longitude);
        Host.UpdateLine(3);
    }
    TChkPoint& Point(int k) { return ChkPointList.Item(k); }
};

TEST_F(ArrivalDetection, ExactlyTheArrivalDistanceIsAway) {
    // The aircraft at 0, 0 (host units) and the checkpoint exactly 0.006 north.
    Host.Line(3)->Source[1].Value = 0.0;
    Host.Line(3)->Source[2].Value = 0.0;
    Point(0).Latitude = 0.006;
    Point(0).Longitude = 0.0;
    ASSERT_EQ(PlanarDistance(0.006, 0.0, 0.0, 0.0), 0.006);
    Host.UpdateLine(3);
    EXPECT_EQ(AtChkPoint, 0);
    Point(0).Latitude = 0.0059999;
    Host.UpdateLine(3);
    EXPECT_EQ(AtChkPoint, 1);
}

TEST_F(ArrivalDetection, StampsOnceWhileNearAndMarksEvenWhenTheTimesFail) {
    Point(0).ActualArrival = "09:40";
    CurrentChkPoint = 1;
    FlyTo(60.0, 11.0);
    EXPECT_EQ(Point(1).ActualArrival, "10:00");
    Host.SetClock(10, 1, 0.0);
    FlyTo(60.0, 11.001);
    EXPECT_EQ(Point(1).ActualArrival, "10:00") << "staying near does not stamp again";

    FlyTo(60.0, 11.5);
    Host.SetClock(24, 1, 0.0);
    FlyTo(60.0, 12.0);
    EXPECT_EQ(Host.Text(3), "#");
    EXPECT_EQ(AtChkPoint, 1);
    EXPECT_EQ(Point(2).ActualArrival, "") << "the clock is not a time";
}

TEST_F(ArrivalDetection, CheckpointWithoutPositionIsNeverDetected) {
    Point(0).Latitude = 0.0;
    Point(0).Longitude = 0.0;
    FlyTo(0.0, 0.0);
    EXPECT_EQ(AtChkPoint, 0);
    EXPECT_EQ(Host.Text(3), "");
}

TEST_F(ArrivalDetection, SteppingWhileMarkedMovesOneFurtherWhenAway) {
    FlyTo(60.0, 10.0);
    ASSERT_EQ(AtChkPoint, 1);
    CurrentChkPoint = 1;  // the pilot steps to B, far away
    FlyTo(60.0, 10.0);
    EXPECT_EQ(AtChkPoint, 0);
    EXPECT_EQ(CurrentChkPoint, 2);
}

}  // namespace
