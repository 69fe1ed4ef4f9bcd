// The default pilot's clicks and where a click lands in the gauge's mouse list.
#include <gtest/gtest.h>

#include <cmath>

#include "host/vqsim/pilot.h"

namespace {

using vqsim::PilotEvent;

TChkPoint Point(const char* name, double latitude, double longitude, const char* legDistance = "") {
    TChkPoint c;
    c.Name = name;
    c.Latitude = latitude;
    c.Longitude = longitude;
    c.LegDistance = legDistance;
    return c;
}

std::vector<std::string> Commands(const std::vector<PilotEvent>& events) {
    std::vector<std::string> commands;
    for (const PilotEvent& e : events) commands.push_back(e.Command);
    return commands;
}

class DefaultPilot : public ::testing::Test {
protected:
    // A, B (no position) halfway by leg distance, C 60 NM north of A.
    std::vector<TChkPoint> Route{Point("A", 10, 20), Point("B", 0, 0, "30"), Point("C", 11, 20, "30")};
    vqsim::RoutePath Path;
    vqsim::FlightSettings Settings;
    void SetUp() override {
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(vqsim::RoutePath::Build(Route, Path, error, warnings)) << error;
        Settings.GroundSpeedKnots = 360.0;  // 6 NM a minute: B after 5 minutes, C after 10
    }
};

TEST_F(DefaultPilot, SwitchesOnStoresFuelMarksWhatHasNoPositionAndClosesTheAccount) {
    const vqsim::Flight flight(Path, Settings, 0.0, 120.0);
    std::vector<std::string> warnings;
    const auto events = vqsim::DefaultPilot(flight, Route, vqsim::PilotStart{}, warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(Commands(events),
              (std::vector<std::string>{"switch", "store-fuel", "mark", "next", "fuel-summary", "switch"}));
    EXPECT_EQ(events[0].Second, 0);
    EXPECT_LT(events[1].Second, 120) << "fuel stored before departure";
    EXPECT_EQ(events[2].Second, 120 + 300) << "B is marked when the aircraft is abeam";
    EXPECT_GT(events[3].Second, events[2].Second) << "then the pilot steps on";
    EXPECT_LT(events[3].Second, 120 + 600) << "before the aircraft reaches C";
    const long long stop = static_cast<long long>(std::ceil(flight.StopSeconds()));
    EXPECT_GT(events[4].Second, stop) << "the fuel account is closed at the gate";
    EXPECT_GT(events[5].Second, events[4].Second);
    // Every click lands on its button.
    for (const PilotEvent& e : events) {
        int x = 0, y = 0;
        ASSERT_TRUE(vqsim::ButtonPoint(e.Command, x, y));
        EXPECT_EQ(e.X, x);
        EXPECT_EQ(e.Y, y);
    }
}

TEST_F(DefaultPilot, TakingUpAFlightStepsToItsCheckpointAndKeepsTheStoredFuel) {
    const vqsim::Flight flight(Path, Settings, 30.0, 0.0);
    std::vector<std::string> warnings;
    vqsim::PilotStart start;
    start.FirstCheckpoint = 2;
    start.StoreFuel = false;
    const auto events = vqsim::DefaultPilot(flight, Route, start, warnings);
    ASSERT_EQ(Commands(events), (std::vector<std::string>{"switch", "next", "next", "fuel-summary", "switch"}));
    EXPECT_EQ(events[1].Second, 0);
    EXPECT_EQ(events[2].Second, 0);
}

TEST_F(DefaultPilot, AFirstCheckpointWithoutPositionIsSteppedPastNotMarked) {
    Route = {Point("X", 0, 0), Point("A", 10, 20), Point("C", 11, 20, "60")};
    std::string error;
    std::vector<std::string> buildWarnings;
    ASSERT_TRUE(vqsim::RoutePath::Build(Route, Path, error, buildWarnings));
    const vqsim::Flight flight(Path, Settings, 0.0, 120.0);
    std::vector<std::string> warnings;
    const auto events = vqsim::DefaultPilot(flight, Route, vqsim::PilotStart{}, warnings);
    ASSERT_EQ(Commands(events), (std::vector<std::string>{"switch", "store-fuel", "next", "fuel-summary", "switch"}));
    EXPECT_LT(events[2].Second, 120) << "at the gate, before departure";
}

// A mouse list in the host's layout: the whole instrument, two command areas, end.
class MouseList : public ::testing::Test {
protected:
    static std::uint32_t VQ_STDCALL Command(std::uint32_t, std::uint32_t) { return 1; }
    MouseArea List[6] = {};
    void SetUp() override {
        List[0].Kind = 1;
        List[1] = MouseArea{2, 0, 0, 320, 60, 0, 0, 0, 0x10000, nullptr, 0};
        List[2] = MouseArea{2, 24, 12, 16, 15, 1, 0, 0x20000000, 0, &Command, 0};
        List[3] = MouseArea{2, 20, 10, 40, 40, 1, 0, 0x20000000, 0, &Command, 0};
        List[4].Kind = 3;
        List[5].Kind = 0;
    }
};

TEST_F(MouseList, AClickLandsInTheFirstCommandAreaThatHoldsIt) {
    EXPECT_EQ(vqsim::AreaAt(List, 24, 12), 2) << "top left corner is inside";
    EXPECT_EQ(vqsim::AreaAt(List, 39, 26), 2);
    EXPECT_EQ(vqsim::AreaAt(List, 40, 26), 3) << "the right edge is outside the first area";
    EXPECT_EQ(vqsim::AreaAt(List, 100, 30), -1) << "the whole-instrument area takes no clicks";
    EXPECT_EQ(vqsim::AreaAt(nullptr, 30, 20), -1);
    List[2].Kind = 0;  // the list ends before the areas
    EXPECT_EQ(vqsim::AreaAt(List, 30, 20), -1);
}

}  // namespace
