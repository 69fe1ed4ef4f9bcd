// Install, the pass-through routines and kill, in the order the host sees.
#include <string_view>

#include "display/elements.h"
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
    EXPECT_EQ(calls[3].Args[0], Word(&ClockHourVariable));
}

TEST_F(Lifecycle, InstallResetsTheStateButNotTheGreetingLoadsAndFixesTheTimeSeparator) {
    Active = AltPage = AtChkPoint = 1;
    CurrentChkPoint = 5;
    GreetingTicks = 17;
    platform::RegionalSettings settings;
    settings.TimeSeparator = '.';
    platform::SetRegionalSettings(settings);
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(2)));
    Host.Install();
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(AtChkPoint, 0);
    EXPECT_EQ(CurrentChkPoint, 0);
    EXPECT_EQ(GreetingTicks, 17);
    EXPECT_EQ(ChkPointList.Count, 2);
    double hours = 0.0;
    EXPECT_TRUE(TimeTextToHours(std::string_view("10:30"), hours));
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

TEST_F(Lifecycle, KillSavesRemovesAreasAndReleasesTheTreeAndInstallTakesItUpAgain) {
    vqtest::WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(2)) + "\r\n");
    Host.Install();
    Active = AltPage = 1;
    Host.ClearCalls();
    EXPECT_EQ(Host.Kill(), host::PanelHost::ResultOf(31));
    EXPECT_EQ(Host.Entries(), (std::vector<int>{34, 31}));
    EXPECT_FALSE(Host.MouseAreasLive());
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(AltPage, 0);
    EXPECT_EQ(vqtest::ReadFile("tolvanix.rec"), CrLfLines(NumberedReportLines(2)))
        << "install then kill rewrites the file from the report as loaded";
    Host.ClearCalls();
    Host.Install();
    EXPECT_EQ(Host.Entries(), (std::vector<int>{25, 32, 33, 38, 38, 38, 38, 38, 38}));
    EXPECT_TRUE(Host.MouseAreasLive());
}

}  // namespace
