#include "host/vqsim/options.h"

#include <cmath>
#include <cstdlib>

namespace vqsim {

namespace {

bool ReadNumber(const std::string& text, double& value, double low, double high) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v < low || v > high) return false;
    value = v;
    return true;
}

bool ReadTanks(const std::string& text, double tanks[3]) {
    double read[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 2) != (comma != std::string::npos)) return false;
        const std::string part = text.substr(start, i < 2 ? comma - start : std::string::npos);
        if (!ReadNumber(part, read[i], 0.0, 1e9)) return false;
        start = comma + 1;
    }
    for (int i = 0; i < 3; ++i) tanks[i] = read[i];
    return true;
}

}  // namespace

std::string UsageText() {
    return "usage: vqsim [options] REPORT\n"
           "Flies the report REPORT with the gauge module loaded, as the panel system runs it,\n"
           "and leaves the report the gauge wrote, pictures of its face, a map and a log in the\n"
           "output directory.\n"
           "\n"
           "  --out DIR           output directory (default: out); the report is copied there\n"
           "                      as tolvanix.rec and flown; REPORT itself is never changed\n"
           "  --module FILE       the gauge module (default: VQgauge.so or VQgauge.gau beside vqsim)\n"
           "  --speed KNOTS       ground speed (default 420)\n"
           "  --departure TIME    clock time at which the aircraft leaves the first checkpoint\n"
           "                      (default: the report's departure time); the pilot switches on\n"
           "                      two minutes before\n"
           "  --fuel A,B,C        fuel in the three tanks at the start (default 4000,4000,2000)\n"
           "  --burn RATE         fuel burned per hour while the aircraft moves (default 2400)\n"
           "  --script FILE       the pilot's clicks and times instead of the default pilot\n"
           "  --print-script      print the default pilot's script (a start for your own) and exit\n"
           "  --crash-at TIME     stop calling the module at this time, as a crashing host would:\n"
           "                      no kill, no module deinit\n"
           "  --from-start        fly from the first checkpoint even if the report holds actual\n"
           "                      times (otherwise the flight is taken up after the last one)\n"
           "  --face-at TIME      also draw the face at this time (may be repeated)\n"
           "  --no-pictures       no pictures of the face and no map\n"
           "  --scale N           size of the face pictures, times the instrument's pixels (default 3)\n"
           "  --font FILE         TrueType font for the display (default: Liberation Mono)\n"
           "  --background FILE   background picture (BMP) instead of the module's own\n"
           "  --quiet             no line for each change of the display\n"
           "  --help              this text\n"
           "\n"
           "TIME is a clock time, 07:45 or 07:45:30, or a time after the start of the\n"
           "simulation, +0:15 or +1:02:30.\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    Options parsed;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasInlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
                arg.erase(equals);
                hasInlineValue = true;
            }
        }
        auto takeValue = [&](const char* what) {
            if (hasInlineValue) return true;
            if (i + 1 >= args.size()) {
                error = arg + " needs " + what;
                return false;
            }
            value = args[++i];
            return true;
        };
        auto timeValue = [&](GivenTime& given) {
            if (!takeValue("a time")) return false;
            if (!ParseGivenTime(value, given)) {
                error = arg + ": '" + value + "' is not a time (07:45, 07:45:30, +0:15 or +1:02:30)";
                return false;
            }
            return true;
        };
        auto noValue = [&] {
            if (!hasInlineValue) return true;
            error = arg + " takes no value";
            return false;
        };

        if (arg == "--help" || arg == "-h") {
            if (!noValue()) return false;
            parsed.Help = true;
        } else if (arg == "--out") {
            if (!takeValue("a directory")) return false;
            if (value.empty()) {
                error = "--out needs a directory";
                return false;
            }
            parsed.OutDir = value;
        } else if (arg == "--module") {
            if (!takeValue("a file")) return false;
            parsed.Module = value;
        } else if (arg == "--speed") {
            if (!takeValue("a speed in knots")) return false;
            if (!ReadNumber(value, parsed.Flight.GroundSpeedKnots, 1.0, 5000.0)) {
                error = "--speed: '" + value + "' is not a ground speed in knots (1 to 5000)";
                return false;
            }
        } else if (arg == "--departure") {
            GivenTime given;
            if (!timeValue(given)) return false;
            if (given.AfterStart) {
                error = "--departure takes a clock time such as 07:30";
                return false;
            }
            parsed.HasDeparture = true;
            parsed.DepartureOfDay = static_cast<int>(given.Seconds);
        } else if (arg == "--fuel") {
            if (!takeValue("three quantities")) return false;
            if (!ReadTanks(value, parsed.Flight.TankFuel)) {
                error = "--fuel: '" + value + "' should be three quantities, A,B,C, none negative";
                return false;
            }
        } else if (arg == "--burn") {
            if (!takeValue("a quantity per hour")) return false;
            if (!ReadNumber(value, parsed.Flight.BurnPerHour, 0.0, 1e7)) {
                error = "--burn: '" + value + "' is not a quantity per hour (0 or more)";
                return false;
            }
        } else if (arg == "--script") {
            if (!takeValue("a file")) return false;
            parsed.ScriptFile = value;
        } else if (arg == "--print-script") {
            if (!noValue()) return false;
            parsed.PrintScript = true;
        } else if (arg == "--crash-at") {
            if (!timeValue(parsed.CrashAt)) return false;
            parsed.HasCrash = true;
        } else if (arg == "--from-start") {
            if (!noValue()) return false;
            parsed.FromStart = true;
        } else if (arg == "--face-at") {
            GivenTime given;
            if (!timeValue(given)) return false;
            parsed.FaceAt.push_back(given);
        } else if (arg == "--no-pictures") {
            if (!noValue()) return false;
            parsed.Pictures = false;
        } else if (arg == "--scale") {
            if (!takeValue("a whole number")) return false;
            double scale = 0;
            if (!ReadNumber(value, scale, 1, 16) || scale != std::floor(scale)) {
                error = "--scale: '" + value + "' should be a whole number from 1 to 16";
                return false;
            }
            parsed.Scale = static_cast<int>(scale);
        } else if (arg == "--font") {
            if (!takeValue("a file")) return false;
            parsed.Font = value;
        } else if (arg == "--background") {
            if (!takeValue("a file")) return false;
            parsed.Background = value;
        } else if (arg == "--quiet") {
            if (!noValue()) return false;
            parsed.Quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (!parsed.Help) {
        if (positional.empty()) {
            error = "no report given: vqsim [options] REPORT";
            return false;
        }
        if (positional.size() > 1) {
            error = "one report at a time (also given: " + positional[1] + ")";
            return false;
        }
        parsed.Report = positional[0];
    }
    options = parsed;
    return true;
}

}  // namespace vqsim
