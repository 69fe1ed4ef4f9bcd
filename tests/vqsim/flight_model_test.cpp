// The aircraft's flight: where the checkpoints lie along the track, where the
// aircraft is when, and the fuel in its tanks.
#include <gtest/gtest.h>

#include "host/vqsim/flight_model.h"

namespace {

using vqsim::Flight;
using vqsim::FlightSettings;
using vqsim::GeoPoint;
using vqsim::RouteCheckpoint;
using vqsim::RoutePath;

RouteCheckpoint Point(double latitude, double longitude, const char* legDistance = "") {
    RouteCheckpoint c;
    c.Name = "P";
    c.Latitude = latitude;
    c.Longitude = longitude;
    c.LegDistance = legDistance;
    return c;
}

RoutePath Build(const std::vector<RouteCheckpoint>& route) {
    RoutePath path;
    std::string error;
    std::vector<std::string> warnings;
    EXPECT_TRUE(RoutePath::Build(route, path, error, warnings)) << error;
    return path;
}

TEST(VqsimRoute, PlacesCheckpointsWithoutPositionByTheirLegDistances) {
    // 0 -- a (no position, leg 10) -- b (no position, leg 30) -- 60 NM north (leg 20).
    const RoutePath path = Build({Point(10, 20), Point(0, 0, "10"), Point(0, 0, "30"), Point(11, 20, "20")});
    EXPECT_DOUBLE_EQ(path.LengthNm(), 60.0);
    EXPECT_FALSE(path.HasPosition(1));
    EXPECT_NEAR(path.PassDistanceNm(1), 10.0, 1e-9);
    EXPECT_NEAR(path.PassDistanceNm(2), 40.0, 1e-9);
    EXPECT_NEAR(path.PassDistanceNm(3), 60.0, 1e-9);
}

TEST(VqsimFlight, WaitsForTheDepartureFliesAtTheGroundSpeedAndStopsAtTheEnd) {
    const RoutePath path = Build({Point(10, 20), Point(11, 20), Point(11, 21)});
    FlightSettings settings;
    settings.GroundSpeedKnots = 360.0;  // 6 NM a minute
    const Flight flight(path, settings, 0.0, 120.0);
    EXPECT_NEAR(flight.StopSeconds(), 120.0 + path.LengthNm() / 6.0 * 60.0, 1e-6);
    EXPECT_DOUBLE_EQ(flight.PositionAt(60.0).LatitudeDegrees, 10.0) << "at the gate";
    const GeoPoint half = flight.PositionAt(120.0 + 300.0);  // 30 NM
    EXPECT_NEAR(half.LatitudeDegrees, 10.5, 1e-9);
    EXPECT_NEAR(half.LongitudeDegrees, 20.0, 1e-9);
    EXPECT_NEAR(flight.ElapsedAtAlong(30.0), 420.0, 1e-9);
    const GeoPoint last = flight.PositionAt(flight.StopSeconds() + 1000.0);
    EXPECT_DOUBLE_EQ(last.LatitudeDegrees, 11.0);
    EXPECT_DOUBLE_EQ(last.LongitudeDegrees, 21.0);
}

TEST(VqsimFlight, BurnsTheTanksInProportionWhileMoving) {
    const RoutePath path = Build({Point(10, 20), Point(30, 20)});  // 1200 NM
    FlightSettings settings;
    settings.GroundSpeedKnots = 600.0;  // 2 hours
    settings.TankFuel[0] = 1000.0;
    settings.TankFuel[1] = 1000.0;
    settings.TankFuel[2] = 2000.0;
    settings.BurnPerHour = 1000.0;
    const Flight flight(path, settings, 0.0, 600.0, 1800.0);  // half an hour flown before
    double tanks[3];
    flight.FuelAt(0.0, tanks);
    EXPECT_DOUBLE_EQ(tanks[0] + tanks[1] + tanks[2], 3500.0) << "half an hour burned before the start";
    flight.FuelAt(600.0 + 3600.0, tanks);
    EXPECT_DOUBLE_EQ(tanks[0], 625.0);
    EXPECT_DOUBLE_EQ(tanks[2], 1250.0);
    flight.FuelAt(flight.StopSeconds() + 3600.0, tanks);
    EXPECT_DOUBLE_EQ(tanks[0] + tanks[1] + tanks[2], 1500.0) << "no burn after the stop";
}

}  // namespace
