// The pilot's commands, clicked through the mouse list the host received.
#include "gauge/mouse.h"
#include "interface/state.h"
#include "report/report_file.h"
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

TEST_F(PilotCommands, MouseListRecords) {
    struct Row {
        std::uint32_t kind;
        int x, y, w, h;
        std::uint32_t cursor, flags, whole;
        MouseCallback callback;
    } rows[] = {
        {1, 0, 0, 0, 0, 255, 0, 0, nullptr},
        {2, 0, 0, 320, 60, 0, 0, 65536, nullptr},
        {2, 24, 12, 16, 15, 1, 0x20000000, 0, NextChkPoint},
        {2, 24, 32, 16, 15, 2, 0x20000000, 0, PrevChkPoint},
        {2, 301, 12, 16, 15, 5, 0x20000000, 0, SwitchOnOff},
        {2, 276, 12, 16, 15, 5, 0x20000000, 0, StoreFuelOnBoard},
        {2, 276, 32, 16, 15, 5, 0x20000000, 0, ComputeFuelSummary},
        {2, 301, 32, 16, 15, 5, 0x20000000, 0, MarkChkPoint},
        {2, 48, 9, 200, 48, 5, 0x20000000, 0, ToggleAltPage},
        {3, 0, 0, 0, 0, 255, 0, 0, nullptr},
        {0, 0, 0, 0, 0, 255, 0, 0, nullptr},
    };
    ASSERT_EQ(Host.MouseList(), MouseAreaList);
    for (int i = 0; i < MouseAreaCount; ++i) {
        const MouseArea& a = MouseAreaList[i];
        const Row& r = rows[i];
        EXPECT_EQ(a.Kind, r.kind) << i;
        EXPECT_EQ(a.X, r.x) << i;
        EXPECT_EQ(a.Y, r.y) << i;
        EXPECT_EQ(a.Width, r.w) << i;
        EXPECT_EQ(a.Height, r.h) << i;
        EXPECT_EQ(a.Cursor, r.cursor) << i;
        EXPECT_EQ(a.Zero24, 0u) << i;
        EXPECT_EQ(a.EventFlags, r.flags) << i;
        EXPECT_EQ(a.WholeArea, r.whole) << i;
        EXPECT_EQ(a.Callback, r.callback) << i;
        EXPECT_EQ(a.Zero40, 0u) << i;
    }
}

TEST_F(PilotCommands, SteppingWrapsAndIgnoresTheSwitch) {
    EXPECT_EQ(Host.Click(Next), 1u);
    EXPECT_EQ(Host.Click(Prev), 1u);
    EXPECT_EQ(CurrentChkPoint, 0) << "an empty list does not move";
    FourCheckpoints();
    Host.Click(Prev);
    EXPECT_EQ(CurrentChkPoint, 3);
    Host.Click(Next);
    EXPECT_EQ(CurrentChkPoint, 0);
    CurrentChkPoint = 4;  // past the last checkpoint
    Host.Click(Next);
    EXPECT_EQ(CurrentChkPoint, 0);
    CurrentChkPoint = 4;
    Host.Click(Prev);
    EXPECT_EQ(CurrentChkPoint, 3);
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

    Active = 1;
    Host.Click(Page);
    EXPECT_EQ(AltPage, 1);
    Host.Click(Mark);
    EXPECT_EQ(ChkPointList.Item(1).ActualArrival, "10:30");
    CurrentChkPoint = 0;
    ChkPointList.Item(0).ActualArrival = "";
    Host.Click(Mark);
    EXPECT_EQ(ChkPointList.Item(0).ActualArrival, "") << "the first checkpoint cannot be marked";
    Host.Click(StoreFuel);
    EXPECT_EQ(ChkPointList.StartFuel, 500.0);
    Host.SetFuel(380.0, 0.0, 0.0);
    Host.Click(FuelSummary);
    EXPECT_EQ(ReportHeader.FuelUsed, "120");
    EXPECT_EQ(ReportHeader.FuelPerHour, "120.00");
    EXPECT_TRUE(vqtest::Exists("tolvanix.rec"));
}

TEST_F(PilotCommands, SwitchLoadsOnAndSavesOff) {
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(3)));
    CurrentChkPoint = 2;
    AtChkPoint = 1;
    Host.Click(Switch);
    EXPECT_EQ(Active, 1);
    EXPECT_EQ(ChkPointList.Count, 3);
    EXPECT_EQ(CurrentChkPoint, 0);
    EXPECT_EQ(AtChkPoint, 1) << "switching leaves the mark state alone";
    for (int i = 0; i < 40; ++i) Host.Frame();
    Host.Click(Page);
    ReportHeader.Field01 = "changed in flight";
    Host.Click(Switch);
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(GreetingTicks, 0);
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
