// Install, the pass-through routines and kill, in the order the host sees.
#include <string_view>

#include "display/elements.h"
#include "gauge/gauge.h"
#include "gauge/mouse.h"
#include "interface/state.h"
#include "interface/variables.h"
#include "platform/regional.h"
#include "progress/time_text.h"
#include "tests/host_double.h"

namespace {

using vqtest::CrLfLines;
using vqtest::NumberedReportLines;

class Lifecycle : public vqtest::HostedTest {};

std::uint32_t Word(const void* address) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address)); }

TEST_F(Lifecycle, InstallCallsTheHostInOrder) {
    Host.Install(0xCAFE);
    ASSERT_EQ(Host.Entries(), (std::vector<int>{25, 32, 33, 38, 38, 38, 38, 38, 38}));
    const auto& calls = Host.Calls();
    EXPECT_EQ(calls[0].Args, (std::vector<std::uint32_t>{Word(&BackgroundElement), 0xCAFE}));
    const std::uint32_t hostRecord = Word(BackgroundElement.HostRecord);
    ASSERT_NE(hostRecord, 0u);
    EXPECT_EQ(calls[1].Args,
              (std::vector<std::uint32_t>{Word(MouseAreaList), Word(&GaugeHeaderRecord), hostRecord + 4}));
    EXPECT_EQ(calls[2].Args, (std::vector<std::uint32_t>{Word(MouseAreaList), Word(&GaugeHeaderRecord)}));
    EXPECT_EQ(Host.RegisteredTokens(), (std::vector<std::uint32_t>{3, 4, 5, 304, 305, 303}));
    EXPECT_EQ(calls[3].Args[0], Word(&ClockHourVariable));
}

TEST_F(Lifecycle, InstallResetsTheStateButNotTheGreeting) {
    Active = 1;
    AltPage = 1;
    AtChkPoint = 1;
    CurrentChkPoint = 5;
    GreetingTicks = 17;
    Host.Install();
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(AtChkPoint, 0);
    EXPECT_EQ(CurrentChkPoint, 0);
    EXPECT_EQ(GreetingTicks, 17);
    EXPECT_EQ(ChkPointList.Count, 0) << "no file: the report stays empty";
}

TEST_F(Lifecycle, InstallLoadsTheReportAndFixesTheTimeSeparator) {
    platform::RegionalSettings settings;
    settings.TimeSeparator = '.';
    platform::SetRegionalSettings(settings);
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(2)));
    Host.Install();
    EXPECT_EQ(ChkPointList.Count, 2);
    double hours = 0.0;
    EXPECT_TRUE(TimeTextToHours(std::string_view("10:30"), hours));
    EXPECT_DOUBLE_EQ(hours, 10.5);
}

TEST_F(Lifecycle, PassThroughRoutinesHandBackTheHostResult) {
    Host.Install();
    Host.ClearCalls();
    EXPECT_EQ(Host.Query(), host::PanelHost::ResultOf(24));
    EXPECT_EQ(Host.Initialize(), host::PanelHost::ResultOf(26));
    EXPECT_EQ(Host.Update(), host::PanelHost::ResultOf(27));
    EXPECT_EQ(Host.Generate(0x12345678), host::PanelHost::ResultOf(28));
    EXPECT_EQ(Host.Draw(), host::PanelHost::ResultOf(29));
    ASSERT_EQ(Host.Entries(), (std::vector<int>{24, 26, 27, 28, 29}));
    for (const auto& call : Host.Calls()) EXPECT_EQ(call.Args[0], Word(&BackgroundElement));
    EXPECT_EQ(Host.Calls()[3].Args[1], 0x78u) << "generate passes the low byte only";
}

TEST_F(Lifecycle, KillSavesRemovesAreasAndReleasesTheTree) {
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(2)) + "\r\n");
    Host.Install();
    Active = 1;
    AltPage = 1;
    CurrentChkPoint = 1;
    AtChkPoint = 1;
    GreetingTicks = 12;
    Host.ClearCalls();
    EXPECT_EQ(Host.Kill(), host::PanelHost::ResultOf(31));
    EXPECT_EQ(Host.Entries(), (std::vector<int>{34, 31}));
    EXPECT_FALSE(Host.MouseAreasLive());
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(CurrentChkPoint, 1);
    EXPECT_EQ(AtChkPoint, 1);
    EXPECT_EQ(GreetingTicks, 12);
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), CrLfLines(NumberedReportLines(2)))
        << "install then kill rewrites the file from the report as loaded";
}

TEST_F(Lifecycle, KillWithoutAFileCreatesOne) {
    Host.Install();
    Host.Kill();
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec").size(), std::string("Vardemolinquex 2.0\r\n").size() + 29 * 2 + 3 + 10);
}

TEST_F(Lifecycle, SecondInstallAfterKillRegistersAgainAndKeepsTheGreetingCount) {
    Host.Install();
    Active = 1;
    for (int i = 0; i < 12; ++i) Host.UpdateLine(1);
    Host.Kill();
    Host.ClearCalls();
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(1)));
    Host.Install();
    EXPECT_EQ(Host.Entries(), (std::vector<int>{25, 32, 33, 38, 38, 38, 38, 38, 38}));
    EXPECT_TRUE(Host.MouseAreasLive());
    EXPECT_EQ(ChkPointList.Count, 1);
    Host.Click(4);  // switch on
    int greeting = 0;
    while (greeting < 40) {
        Host.UpdateLine(1);
        if (Host.Text(1) != "  GOOD FLIGHT WITH  ") break;
        ++greeting;
    }
    EXPECT_EQ(greeting, 18) << "what was left of the 30 builds";
}

TEST_F(Lifecycle, ModuleInitAndDeinitDoNothing) {
    Host.ModuleInit();
    Host.ModuleDeinit();
    EXPECT_TRUE(Host.Calls().empty());
    EXPECT_EQ(Linkage.Version, 19u);
    EXPECT_EQ(ImportTable.Version, 15u);
}

}  // namespace
