// Lines 1 and 2 as the host shows them, with the greeting, both pages and
// every fallback; the host's buffers are checked for overruns after each test.
#include "interface/state.h"
#include "tests/host_double.h"

namespace {

class DisplayLines : public vqtest::HostedTest {
protected:
    DisplayLines() {
        Host.Install();
        // A realistic route: Oslo to Bergen.
        UseRoute({{"Gardermoen", "ENGM", 60.1939, 11.1004, "", ""},
                  {"Oslo VOR", "OSL", 60.1833, 11.0167, "3", "00:02"},
                  {"Approach", "BGO", 0.0, 0.0, "18", "00:04"},
                  {"SOLNA", "", 0.0, 0.0, "141", "00:22"},
                  {"Flesland", "ENBR", 60.2934, 5.2181, "30", "00:09"}});
        TChkPoint& osl = ChkPointList.Item(1);
        osl.Field02 = "VOR";
        osl.Field04 = "116.10";
        osl.Field07 = "FL";
        osl.Field08 = "050";
        osl.Field11 = "240";
        ChkPointList.Item(3).AltIdent = "SOLNA";
        ChkPointList.Item(3).Field06 = "FIX";
        Active = 1;
        GreetingTicks = 30;
    }
    ~DisplayLines() override { EXPECT_TRUE(Host.GuardsIntact()); }

    std::string Line(int n) {
        Host.UpdateLine(n);
        return Host.Text(n);
    }
    TChkPoint& Point(int k) { return ChkPointList.Item(k); }
};

// The greeting is flown in tests/gauge (the module file) and counted in commands_test.
TEST_F(DisplayLines, BlankWhileOff) {
    Active = 0;
    EXPECT_EQ(Line(1), std::string(20, ' '));
    EXPECT_EQ(Line(2), std::string(18, ' '));
    EXPECT_EQ(Line(3), " ");
}

TEST_F(DisplayLines, BothPagesWithTheirFallbacks) {
    CurrentChkPoint = 1;
    Point(1).ActualLegTime = "00:03";
    EXPECT_EQ(Line(2), " FL    3 00:02 00:03");
    Point(1).ActualLegTime = "??";
    EXPECT_EQ(Line(2), " FL    3 00:02    ??") << "\"??\" is only special on the alternate page";
    AltPage = 1;
    EXPECT_EQ(Line(1), "Oslo VOR      VOR   ");
    EXPECT_EQ(Line(2), "050  240 --:-- --:--");
    Point(1).EstimatedArrival = "10:47";
    Point(1).ActualArrival = "??";
    EXPECT_EQ(Line(2), "050  240 10:47 --:--");
    Point(1).ActualArrival = "10:49";
    EXPECT_EQ(Line(2), "050  240 10:47 10:49");
    Point(1).Name = "Oslo Gardermoen VOR";
    EXPECT_EQ(Line(1), "Oslo Gardermo VOR   ");
}

TEST_F(DisplayLines, ApproachBracketsAndTheAlternateIdentifier) {
    CurrentChkPoint = 2;
    EXPECT_EQ(Line(1), "03/05 Approach      ");
    Point(2).Name = "approach";
    EXPECT_EQ(Line(1), "03/05 (BGO)         ");
    CurrentChkPoint = 3;
    EXPECT_EQ(Line(1), "04/05 (SOLNA) FIX   ");
    Point(3).Longitude = 5.0;  // on the equator: a position
    EXPECT_EQ(Line(1), "04/05 SOLNA   FIX   ");
    Point(3).AltIdent = "";
    Point(3).Field06 = "";
    EXPECT_EQ(Line(1), "04/05" + std::string(15, ' '));
    Point(3).Longitude = 0.0;
    EXPECT_EQ(Line(1), "04/05 ()" + std::string(12, ' '));
}

TEST_F(DisplayLines, EmptyReportAndPastTheLastCheckpoint) {
    ChkPointList.Clear();
    EXPECT_EQ(Line(1), "--/--               ");
    EXPECT_EQ(Line(2), "         --:-- --:--");
    UseRoute({{"A", "AAA", 1.0, 1.0, "", ""}, {"B", "BBB", 2.0, 2.0, "1", ""}});
    CurrentChkPoint = 2;
    for (int page : {0, 1}) {
        AltPage = page;
        EXPECT_EQ(Line(1), "--/02 END OF ROUTE  ");
        EXPECT_EQ(Line(2), "         --:-- --:--");
    }
}

TEST_F(DisplayLines, LongFieldsAndThreeDigitNumbersStayWithinTwentyCharacters) {
    std::vector<vqtest::Leg> legs;
    for (int k = 0; k < 100; ++k) legs.push_back({std::string(300, 'N'), std::string(40, 'I'), 0.0, 0.0, "", ""});
    UseRoute(legs);
    for (int k = 0; k < 100; ++k) {
        for (auto text : TChkPoint::Texts) {
            if (text != &TChkPoint::Name && text != &TChkPoint::Ident) Point(k).*text = std::string(255, '9');
        }
    }
    for (int index : {0, 9, 98, 99, 100}) {
        CurrentChkPoint = index;
        for (int page = 0; page < 2; ++page) {
            AltPage = page;
            EXPECT_EQ(Line(1).size(), 20u) << index;
            EXPECT_EQ(Line(2).size(), 20u) << index;
            ASSERT_TRUE(Host.GuardsIntact()) << index;
        }
    }
    AltPage = 0;
    CurrentChkPoint = 99;
    EXPECT_EQ(Line(1), "100/100 (IIIII) 9999");
    EXPECT_EQ(Line(2), "999 9999 99999 99999");
}

}  // namespace
