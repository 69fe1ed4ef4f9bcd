// The host simulator: loads the gauge module from its file, as the panel
// system does, provides the host's services, and flies a report with it at
// 18 frames a second of simulated time, as fast as the machine allows; then
// shows what the gauge made of the flight.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "host/vqsim/options.h"

namespace vqsim {

enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// What a run did, for the caller and the benchmark.
struct RunOutcome {
    bool Crashed = false;          // stopped by --crash-at
    long long Frames = 0;
    double SimulatedSeconds = 0.0;
    double WallSeconds = 0.0;      // of the frame loop
    std::vector<std::string> Pictures;  // face pictures written, by path
};

// What a run stopped by --crash-at leaves in its output directory (in
// CrashFileName) for --restart: where it was started, the second of the
// crash after the start of the simulation, what the simulator saw of the
// flight (the fuel stored, the leg times shown), and its command line.
struct CrashRecord {
    std::string Folder;
    long long Second = 0;
    double StoredFuel = -1.0;
    std::map<int, std::string> Shown;
    std::vector<std::string> Arguments;
};

// Runs one flight. The log and the results go to `out`, errors and warnings
// (and progress, on a terminal) to `err`. With `resume`, flies on in the
// output directory from where that crash stopped.
int RunSimulator(const Options& options, std::FILE* out, std::FILE* err, RunOutcome* outcome = nullptr,
                 const CrashRecord* resume = nullptr);

// The whole command line: the arguments after the program name.
int VqsimMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, RunOutcome* outcome = nullptr);

}  // namespace vqsim
