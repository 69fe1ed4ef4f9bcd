// The command line of vqsim.
#pragma once

#include <string>
#include <vector>

#include "host/vqsim/clock_time.h"
#include "host/vqsim/flight_model.h"

namespace vqsim {

struct Options {
    std::string Report;          // the report to fly (never changed)
    std::string Module;          // empty: the module file beside the program
    std::string OutDir = "out";  // where the gauge's files, the pictures and the log go
    FlightSettings Flight;
    bool HasDeparture = false;   // --departure given
    int DepartureOfDay = 0;
    std::string ScriptFile;      // empty: the default pilot
    bool PrintScript = false;
    bool HasCrash = false;
    GivenTime CrashAt;
    bool FromStart = false;
    std::vector<GivenTime> FaceAt;
    bool Pictures = true;
    int Scale = 3;
    std::string Font;            // empty: Liberation Mono from its Debian place
    std::string Background;      // empty: the module's own picture
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
    bool Clean = false;          // move an earlier run's kept files aside
    bool Restart = false;        // fly on in OutDir after a run that crashed there
    std::vector<std::string> Arguments;  // the command line as given
};

// Parses the arguments after the program name. False with a message for an
// unknown option, a missing or bad value, or no report.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

std::string UsageText();

}  // namespace vqsim
