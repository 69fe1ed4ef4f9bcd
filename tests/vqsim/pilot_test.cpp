// The default pilot's clicks (a flight taken up, and where the clicks land, are
// flown in example_flight_test).
#include <gtest/gtest.h>

#include <cmath>

#include "host/vqsim/pilot.h"

namespace {

using vqsim::PilotEvent;

vqsim::RouteCheckpoint Point(const char* name, double latitude, double longitude, const char* legDistance = "") {
    vqsim::RouteCheckpoint c;
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
    std::vector<vqsim::RouteCheckpoint> Route{Point("A", 10, 20), Point("B", 0, 0, "30"), Point("C", 11, 20, "30")};
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

}  // namespace
