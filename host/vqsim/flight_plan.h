// What a run flies, worked out from the options and the report before the
// module is loaded: the route, the aircraft's timeline, the pilot's clicks,
// and where the run starts and ends. A report whose later checkpoints already
// hold actual times of arrival (the report of a flight that was broken off
// and recovered) is taken up after the last of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/vqsim/flight_model.h"
#include "host/vqsim/options.h"
#include "host/vqsim/pilot.h"
#include "host/vqsim/report_copy.h"

namespace vqsim {

constexpr int FramesPerSecond = 18;

struct FlightPlan {
    ReportCopy Report;
    std::string ReportBytes;   // the report file as read, copied for the gauge
    RoutePath Path;
    std::unique_ptr<Flight> Aircraft;
    int StartOfDay = 0;        // the clock when the simulation starts (seconds of the day)
    int DepartureOfDay = -1;   // the flight's departure time, -1 when unknown
    bool TakenUp = false;      // taking up a flight after its last stamped checkpoint
    int FirstCheckpoint = 0;   // the first checkpoint to fly
    std::vector<PilotEvent> Events;
    long long EndSecond = 0;   // the gauge is killed this many seconds after the start
    long long CrashSecond = -1;  // the host stops here (-1: no crash)

    FlightPlan() = default;
    FlightPlan(const FlightPlan&) = delete;
    FlightPlan& operator=(const FlightPlan&) = delete;
};

// Reads the report (options.Report) and the script, and works out the plan.
// False with a message for a report or script that cannot be flown.
// `warnings` gets what the user should know before the flight.
bool MakeFlightPlan(const Options& options, FlightPlan& plan, std::string& error, std::vector<std::string>& warnings);

}  // namespace vqsim
