// The pilot's commands, clicked through the mouse list the host received.
#include "interface/state.h"
#include "tests/host_double.h"

namespace {

using vqtest::CrLfLines;
using vqtest::NumberedReportLines;

enum Area { Next = 2, Prev = 3, Switch = 4, StoreFuel = 5, FuelSummary = 6, Mark = 7, Page = 8 };

class PilotCommands : public vqtest::HostedTest {
protected:
    PilotCommands() { Host.Install(); }
    void FourCheckpoints() {
        UseRoute({{"A", "AAA", 1, 1, "", ""}, {"B", "BBB", 2, 2, "10", ""}, {"C", "CCC", 3, 3, "10", ""},
                  {"D", "DDD", 4, 4, "10", ""}});
    }
};

TEST_F(PilotCommands, SteppingWrapsAtBothEndsAndFromPastTheLast) {
    EXPECT_EQ(Host.Click(Next), 1u);
    EXPECT_EQ(Host.Click(Prev), 1u);
    EXPECT_EQ(CurrentChkPoint, 0) << "an empty list does not move";
    FourCheckpoints();
    const struct {
        int From;
        Area Button;
        int To;
    } steps[] = {{0, Prev, 3}, {3, Next, 0}, {1, Prev, 0}, {2, Prev, 1}, {0, Next, 1}, {4, Next, 0}, {4, Prev, 3}};
    for (const auto& step : steps) {
        CurrentChkPoint = step.From;
        Host.Click(step.Button);
        EXPECT_EQ(CurrentChkPoint, step.To) << "from " << step.From << (step.Button == Next ? " next" : " previous");
    }
}

TEST_F(PilotCommands, CommandsThatNeedTheInstrumentOn) {
    FourCheckpoints();
    CurrentChkPoint = 1;
    ChkPointList.Item(0).ActualArrival = "10:00";
    Host.SetClock(10, 30, 0.0);
    Host.SetFuel(500.0, 0.0, 0.0);
    ReportHeader.DepartureTime = "10:00";
    ReportHeader.ArrivalTime = "11:00";
    for (Area area : {Page, StoreFuel, FuelSummary, Mark}) EXPECT_EQ(Host.Click(area), 1u);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(ChkPointList.StartFuel, 0.0);
    EXPECT_EQ(ReportHeader.FuelUsed, "");
    EXPECT_EQ(ChkPointList.Item(1).ActualArrival, "");
    EXPECT_FALSE(vqtest::Exists("tolvanix.rec"));

    Active = 1;  // what they do when on is flown in tests/gauge/flight_test.cpp
    Host.Click(Page);
    EXPECT_EQ(AltPage, 1);
    Host.Click(Mark);
    EXPECT_EQ(ChkPointList.Item(1).ActualArrival, "10:30");
}

TEST_F(PilotCommands, SwitchLoadsOnAndSavesOff) {
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(3)));
    CurrentChkPoint = 2;
    Host.Click(Switch);
    EXPECT_EQ(Active, 1);
    EXPECT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(CurrentChkPoint, 0);
    for (int i = 0; i < 40; ++i) Host.Frame();
    Host.Click(Page);
    ReportHeader.Field01 = "changed in flight";
    Host.Click(Switch);
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_NE(vqtest::ReadFile("tolvanix.rec").find("changed in flight"), std::string::npos);
    // Switching on again shows the greeting for 30 builds of line 1.
    Host.Click(Switch);
    for (int i = 0; i < 30; ++i) {
        Host.UpdateLine(1);
        ASSERT_EQ(Host.Text(1), "  GOOD FLIGHT WITH  ");
    }
    Host.UpdateLine(1);
    EXPECT_EQ(Host.Text(1), "01/03 C0F3    C0F4  ");
}

TEST_F(PilotCommands, SwitchingOnWithoutAReadableFileKeepsTheReport) {
    FourCheckpoints();
    CurrentChkPoint = 2;
    vqtest::WriteFile("tolvanix.rec", "Vardemolinquex 1.0\r\n");
    Host.Click(Switch);
    EXPECT_EQ(Active, 1);
    EXPECT_EQ(ChkPointList.Count, 4);
    EXPECT_EQ(CurrentChkPoint, 2);
}

}  // namespace
