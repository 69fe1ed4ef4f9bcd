// The aircraft's flight along the report's route: straight legs between the
// checkpoints that have a position, flown at a constant ground speed, with
// three fuel tanks burning at a constant rate while the aircraft moves.
//
// Distances are nautical miles along the track; positions are degrees. Legs
// are straight in latitude and longitude (a rhumb line), near enough for legs
// of a few hundred miles, and their length is measured the same way, so the
// aircraft's speed along them is the ground speed.
#pragma once

#include <string>
#include <vector>

#include "host/vqsim/report_copy.h"

namespace vqsim {

struct GeoPoint {
    double LatitudeDegrees = 0.0;
    double LongitudeDegrees = 0.0;
};

// Nautical miles between two points on a straight leg in latitude and longitude.
double LegLengthNm(const GeoPoint& from, const GeoPoint& to);

// The track the aircraft flies, and where along it each checkpoint is passed.
class RoutePath {
public:
    // Builds the path from the report's checkpoints. A checkpoint without a
    // position is placed between its neighbours that have one, in proportion
    // to the leg distances of the report (evenly when they are not numbers);
    // ones before the first positioned checkpoint are passed at the start,
    // ones after the last on an extension of the last leg, their leg
    // distances taken as nautical miles. Fails with a message when fewer than
    // two checkpoints have a position. `warnings` gets what the gauge will not
    // be able to tell apart.
    static bool Build(const std::vector<TChkPoint>& checkpoints, RoutePath& path, std::string& error,
                      std::vector<std::string>& warnings);

    int CheckpointCount() const { return static_cast<int>(Pass.size()); }
    bool HasPosition(int checkpoint) const { return Positioned[checkpoint]; }
    // Nautical miles from the start of the path at which the checkpoint is passed.
    double PassDistanceNm(int checkpoint) const { return Pass[checkpoint]; }
    double LengthNm() const { return Along.empty() ? 0.0 : Along.back(); }
    // Where the aircraft is at `alongNm` (clamped to the path). Cheap when
    // called with slowly growing distances, as in the frame loop.
    GeoPoint PointAt(double alongNm) const;
    const std::vector<GeoPoint>& Vertices() const { return Points; }

private:
    std::vector<GeoPoint> Points;  // the path's corners, in order
    std::vector<double> Along;     // distance of each corner from the start
    std::vector<double> Pass;      // per checkpoint
    std::vector<bool> Positioned;  // per checkpoint
    mutable std::size_t Cursor = 0;
};

struct FlightSettings {
    double GroundSpeedKnots = 420.0;
    double TankFuel[3] = {4000.0, 4000.0, 2000.0};  // tanks of tokens 304, 305, 303
    double BurnPerHour = 2400.0;                    // all tanks together
};

// The aircraft's progress in time: it waits at `startAlongNm` until
// `departureSeconds` after the start of the simulation, then flies to the end
// of the path and stops. `airborneBeforeSeconds` is flying time already done
// before the simulation started (when a flight is taken up again), for the fuel.
class Flight {
public:
    Flight(const RoutePath& path, const FlightSettings& settings, double startAlongNm, double departureSeconds,
           double airborneBeforeSeconds = 0.0);

    const RoutePath& Path() const { return *Route; }
    const FlightSettings& Settings() const { return Config; }
    double DepartureSeconds() const { return Departure; }
    // When the aircraft comes to rest at the end of the path.
    double StopSeconds() const { return Stop; }
    double AlongAt(double elapsedSeconds) const;
    // The first moment the aircraft is at `alongNm` (the departure for points behind it).
    double ElapsedAtAlong(double alongNm) const;
    GeoPoint PositionAt(double elapsedSeconds) const { return Route->PointAt(AlongAt(elapsedSeconds)); }
    // The three tanks, in the order of tokens 304, 305, 303.
    void FuelAt(double elapsedSeconds, double tanks[3]) const;
    double AirborneSecondsAt(double elapsedSeconds) const;

private:
    const RoutePath* Route;
    FlightSettings Config;
    double StartAlong;
    double Departure;
    double Stop;
    double AirborneBefore;
};

}  // namespace vqsim
