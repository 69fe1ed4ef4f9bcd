#include "host/vqsim/options.h"

#include "cli/numbers.h"
#include "cli/options.h"

namespace vqsim {

namespace {

using cli::Error;

constexpr double MostTankFuel = 1e9;
constexpr double MostBurnPerHour = 1e7;

// `value` as a number from `low` to `high`, or Error "--speed: 'fast' is not ...".
template <typename T>
T Number(const std::string& name, const std::string& value, T low, T high, const char* complaint) {
    T number{};
    if (!cli::ReadNumber(value, number, low, high)) throw Error{name + ": '" + value + "' " + complaint};
    return number;
}

GivenTime Time(const std::string& name, const std::string& value) {
    GivenTime given;
    if (!ParseGivenTime(value, given)) {
        throw Error{name + ": '" + value + "' is not a time (07:45, 07:45:30, +0:15 or +1:02:30)"};
    }
    return given;
}

void Tanks(const std::string& name, const std::string& value, double tanks[3]) {
    double read[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = value.find(',', start);
        if ((i < 2) != (comma != std::string::npos) ||
            !cli::ReadNumber(value.substr(start, i < 2 ? comma - start : std::string::npos), read[i], 0.0, MostTankFuel)) {
            throw Error{name + ": '" + value + "' should be three quantities, A,B,C, each from 0 to " +
                        cli::FixedText(MostTankFuel, 0)};
        }
        start = comma + 1;
    }
    for (int i = 0; i < 3; ++i) tanks[i] = read[i];
}

// The options, setting `o`.
cli::Table Table(Options& o) {
    const auto text = [](std::string& field) { return [&field](auto&, const std::string& value) { field = value; }; };
    const auto flag = [](bool& field, bool to) { return [&field, to](auto&, auto&) { field = to; }; };
    return {
        {"--out", "DIR",
         "output directory (default: out); the report is copied there\n"
         "as tolvanix.rec and flown; REPORT itself is never changed",
         [&o](const std::string& name, const std::string& value) {
             if (value.empty()) throw Error{name + " needs a directory"};
             o.OutDir = value;
         },
         "a directory"},
        {"--clean", nullptr,
         "move an earlier run's recovery, kept and temporary report files\n"
         "in the output directory into a new previous-N folder there\n"
         "(without it they stop the run)",
         flag(o.Clean, true)},
        {"--module", "FILE", "the gauge module (default: VQgauge.so or VQgauge.gau beside vqsim)", text(o.Module),
         "a file"},
        {"--speed", "KNOTS", "ground speed (default 420)",
         [&o](const std::string& name, const std::string& value) {
             o.Flight.GroundSpeedKnots = Number(name, value, 1.0, 5000.0, "is not a ground speed in knots (1 to 5000)");
         },
         "a speed in knots"},
        {"--departure", "TIME",
         "clock time at which the aircraft leaves the first checkpoint\n"
         "(default: the report's departure time); the pilot switches on\n"
         "two minutes before",
         [&o](const std::string& name, const std::string& value) {
             const GivenTime given = Time(name, value);
             if (given.AfterStart) throw Error{name + " takes a clock time such as 07:30"};
             o.HasDeparture = true;
             o.DepartureOfDay = static_cast<int>(given.Seconds);
         },
         "a time"},
        {"--fuel", "A,B,C", "fuel in the three tanks at the start (default 4000,4000,2000)",
         [&o](const std::string& name, const std::string& value) { Tanks(name, value, o.Flight.TankFuel); },
         "three quantities"},
        {"--burn", "RATE", "fuel burned per hour while the aircraft moves (default 2400)",
         [&o](const std::string& name, const std::string& value) {
             o.Flight.BurnPerHour = Number(name, value, 0.0, MostBurnPerHour,
                                           ("is not a quantity per hour from 0 to " + cli::FixedText(MostBurnPerHour, 0)).c_str());
         },
         "a quantity per hour"},
        {"--script", "FILE", "the pilot's clicks and times instead of the default pilot", text(o.ScriptFile),
         "a file"},
        {"--print-script", nullptr, "print the default pilot's script (a start for your own) and exit",
         flag(o.PrintScript, true)},
        {"--crash-at", "TIME",
         "stop calling the module at this time, as a crashing host would:\n"
         "no kill, no module deinit",
         [&o](const std::string& name, const std::string& value) {
             o.CrashAt = Time(name, value);
             o.HasCrash = true;
         },
         "a time"},
        {"--restart", nullptr,
         "fly on in the output directory after a run stopped there by\n"
         "--crash-at: the same report and options, the aircraft and the\n"
         "clock where the crash left them, the gauge's files as they are\n"
         "(REPORT and the other options come from the crashed run)",
         flag(o.Restart, true)},
        {"--from-start", nullptr,
         "fly from the first checkpoint even if the report holds actual\n"
         "times (otherwise the flight is taken up after the last one)",
         flag(o.FromStart, true)},
        {"--face-at", "TIME", "also draw the face at this time (may be repeated)",
         [&o](const std::string& name, const std::string& value) { o.FaceAt.push_back(Time(name, value)); }, "a time",
         nullptr, true},
        {"--no-pictures", nullptr, "no pictures of the face and no map", flag(o.Pictures, false)},
        {"--scale", "N", "size of the face pictures, times the instrument's pixels (default 3)",
         [&o](const std::string& name, const std::string& value) {
             o.Scale = Number(name, value, 1, 16, "should be a whole number from 1 to 16");
         },
         "a whole number"},
        {"--font", "FILE", "TrueType font for the display (default: Liberation Mono)", text(o.Font), "a file"},
        {"--background", "FILE", "background picture (BMP) instead of the module's own", text(o.Background),
         "a file"},
        {"--quiet", nullptr, "no line for each change of the display", flag(o.Quiet, true)},
        {"--help|-h", nullptr, "this text", flag(o.Help, true)},
        {"--version", nullptr, "the version of vqsim", flag(o.Version, true)},
    };
}

}  // namespace

std::string UsageText() {
    Options unused;
    return "usage: vqsim [options] REPORT\n"
           "       vqsim --restart [--out DIR] [--crash-at TIME]\n"
           "Flies the report REPORT with the gauge module loaded, as the panel system runs it,\n"
           "and leaves the report the gauge wrote, pictures of its face, a map and a log in the\n"
           "output directory.\n"
           "\n" +
           cli::Usage(Table(unused), 2) +
           "\n"
           "TIME is a clock time, 07:45 or 07:45:30, or a time after the start of the\n"
           "simulation, +0:15 or +1:02:30.\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    Options parsed;
    try {
        const std::vector<std::string> reports =
            cli::Parse(args, Table(parsed), [](const std::string& option) { return "unknown option " + option; });
        if (parsed.Restart && !reports.empty()) {
            throw Error{"--restart flies the crashed run's report again; give no REPORT (" + reports[0] + ")"};
        }
        if (!parsed.Help && !parsed.Version && !parsed.Restart) {
            if (reports.empty()) throw Error{"no report given: vqsim [options] REPORT"};
            if (reports.size() > 1) throw Error{"one report at a time (also given: " + reports[1] + ")"};
            parsed.Report = reports[0];
        }
    } catch (const Error& wrong) {
        error = wrong.Message;
        return false;
    }
    parsed.Arguments = args;
    options = parsed;
    return true;
}

}  // namespace vqsim
