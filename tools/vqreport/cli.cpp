#include "tools/vqreport/cli.h"

#include <cctype>
#include <exception>
#include <ostream>

#include "tools/vqreport/check.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/new_report.h"
#include "tools/vqreport/recover.h"
#include "tools/vqreport/show.h"
#include "tools/vqreport/status.h"

namespace vqreport {

const char* const UsageText =
    "usage: vqreport check [--decimal SEP] FILE\n"
    "       vqreport show [--json] FILE\n"
    "       vqreport new [-o FILE] [--force] [--decimal SEP] [--FIELD VALUE ...] ROUTE.csv\n"
    "       vqreport recover [DIR]\n"
    "       vqreport recover --restore [FILE] [DIR]\n"
    "\n"
    "check  reads a report file as the gauge does and lists every problem with its\n"
    "       line, its field and what the gauge will do; exit status 0 when clean,\n"
    "       1 with warnings only, 2 with errors.\n"
    "       --decimal SEP  decimal separator of the PC the gauge runs on (default '.'),\n"
    "                      which the gauge uses to read leg distances.\n"
    "show   prints the report as a nav log: header, one row per checkpoint, fuel\n"
    "       account and flight time. --json prints the same as JSON.\n"
    "new    builds a report file from a route table in CSV. Its first row names the\n"
    "       columns: name, identifier, latitude, longitude, leg distance, planned leg\n"
    "       time, and any of field 2, field 4, alternate identifier, field 6, field 7,\n"
    "       field 8, field 9, field 11, actual leg time, estimated arrival, actual\n"
    "       arrival. Coordinates in decimal degrees (north and east positive, or with\n"
    "       N/S/E/W). Leg distances left out are worked out from the coordinates\n"
    "       (great circle, whole nautical miles).\n"
    "       -o FILE        the report file to write (default tolvanix.rec here)\n"
    "       --force        replace FILE if it exists\n"
    "       --decimal SEP  as for check; leg distances must be numbers with SEP\n"
    "       --FIELD VALUE  a header value: --departure-time 10:05, --extra-fuel1 200,\n"
    "                      --header-field-3 TEXT (or --field03), --list-field-1 TEXT,\n"
    "                      --start-fuel NUMBER, ...\n"
    "recover lists the recovery files in DIR (default: the current directory)\n"
    "       that the gauge leaves beside tolvanix.rec when a flight ends without\n"
    "       a save: tolvanix-recovery.rec, and older ones set aside as\n"
    "       tolvanix-recovery-N.rec; for each its time, its flight and its\n"
    "       checkpoint times against those of tolvanix.rec; then what to run.\n"
    "       --restore [FILE]  puts FILE (default tolvanix-recovery.rec) in place of\n"
    "                      tolvanix.rec, after keeping tolvanix.rec as\n"
    "                      tolvanix-before-recover-N.rec; run it with the\n"
    "                      simulator closed. A FILE the gauge would refuse is not\n"
    "                      restored; if a step fails, both files stay as they\n"
    "                      were (status 3). One argument naming a directory is DIR.\n"
    "\n"
    "Exit status 3: a wrong command line, or a file that cannot be read or written.\n";

namespace {

struct Usage {
    std::string Message;
};

// The command's arguments, one at a time, with "--name=value" split.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& args) : Args(args), Next(1) {}

    bool Done() const { return Next >= Args.size(); }
    // The next argument; for "--name=value" the "--name" part.
    std::string Take() {
        Inline.clear();
        HasInline = false;
        std::string arg = Args[Next++];
        if (!OptionsEnded && arg == "--") {
            OptionsEnded = true;
            return Done() ? std::string() : Take();
        }
        if (!OptionsEnded && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                Inline = arg.substr(eq + 1);
                HasInline = true;
                arg = arg.substr(0, eq);
            }
        }
        return arg;
    }
    bool IsOption(const std::string& arg) const {
        return !OptionsEnded && arg.size() > 1 && arg[0] == '-';
    }
    // The value of the option just taken.
    std::string Value(const std::string& option) {
        if (HasInline) {
            HasInline = false;
            return Inline;
        }
        if (Done()) throw Usage{option + " needs a value"};
        return Args[Next++];
    }
    // Whether the option just taken came as "--name=value".
    bool HasValue() const { return HasInline; }
    void NoValue(const std::string& option) const {
        if (HasInline) throw Usage{option + " takes no value"};
    }

private:
    const std::vector<std::string>& Args;
    std::size_t Next;
    std::string Inline;
    bool HasInline = false;
    bool OptionsEnded = false;
};

char DecimalSeparator(const std::string& value) {
    if (value.size() != 1 || !std::ispunct(static_cast<unsigned char>(value[0])) || value == "+" || value == "-") {
        throw Usage{"--decimal takes one character, the decimal separator ('.' or ',')"};
    }
    return value[0];
}

void SetFile(std::string& file, const std::string& arg) {
    if (!file.empty()) throw Usage{"one file only (" + file + ", " + arg + ")"};
    if (arg.empty()) throw Usage{"an empty file name"};
    file = arg;
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments in(args);
    std::string file;
    CheckOptions options;
    while (!in.Done()) {
        const std::string arg = in.Take();
        if (in.IsOption(arg)) {
            if (arg == "--decimal") {
                options.DecimalSeparator = DecimalSeparator(in.Value(arg));
            } else {
                throw Usage{"check has no option " + arg};
            }
        } else {
            SetFile(file, arg);
        }
    }
    if (file.empty()) throw Usage{"check needs the report file"};
    const CheckResult result = CheckReportFile(file, options);
    if (!result.Opened) {
        err << "vqreport: cannot read " << file << ": " << result.OpenError << "\n";
        return ExitFailure;
    }
    PrintCheckResult(result, file, out);
    if (result.Errors > 0) return ExitErrors;
    return result.Warnings > 0 ? ExitWarnings : ExitClean;
}

int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments in(args);
    std::string file;
    bool json = false;
    while (!in.Done()) {
        const std::string arg = in.Take();
        if (in.IsOption(arg)) {
            if (arg == "--json") {
                in.NoValue(arg);
                json = true;
            } else {
                throw Usage{"show has no option " + arg};
            }
        } else {
            SetFile(file, arg);
        }
    }
    if (file.empty()) throw Usage{"show needs the report file"};
    const LoadResult load = LoadReportFile(file);
    if (!load.Opened) {
        err << "vqreport: cannot read " << file << ": " << load.OpenError << "\n";
        return ExitFailure;
    }
    if (!load.Accepted) {
        err << file << (load.Empty ? ": error: the file is empty" : ":1: error: the first line does not hold the header")
            << "; the gauge refuses this file (vqreport check " << file << " tells more)\n";
        return ExitErrors;
    }
    if (json) {
        PrintNavLogJson(file, out);
    } else {
        PrintNavLog(file, out);
    }
    if (!load.Whole) {
        err << "note: the gauge cannot take " << file << " whole; vqreport check " << file << " tells why\n";
    }
    return ExitClean;
}

int RunNewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments in(args);
    NewOptions options;
    while (!in.Done()) {
        const std::string arg = in.Take();
        if (!in.IsOption(arg)) {
            SetFile(options.RoutePath, arg);
        } else if (arg == "-o" || arg == "--output") {
            options.OutputPath = in.Value(arg);
            if (options.OutputPath.empty()) throw Usage{arg + " needs a file name"};
        } else if (arg.size() > 2 && arg.compare(0, 2, "-o") == 0 && arg[2] != '-') {
            options.OutputPath = arg.substr(2);
        } else if (arg == "--force") {
            in.NoValue(arg);
            options.Force = true;
        } else if (arg == "--decimal") {
            options.DecimalSeparator = DecimalSeparator(in.Value(arg));
        } else {
            ReportSetting setting;
            const std::string name = arg.compare(0, 2, "--") == 0 ? arg.substr(2) : std::string();
            if (name.empty() || !FindReportSetting(name, setting)) {
                throw Usage{"new has no option " + arg + " (header values: --departure-time, --extra-fuel1, "
                            "--header-field-3, --list-field-1, --start-fuel, ...)"};
            }
            options.Settings.emplace_back(name, in.Value(arg));
        }
    }
    if (options.RoutePath.empty()) throw Usage{"new needs the route table (a CSV file)"};
    return RunNew(options, out, err);
}

int RunRecoverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments in(args);
    RecoverOptions options;
    std::vector<std::string> names;
    while (!in.Done()) {
        const std::string arg = in.Take();
        if (!in.IsOption(arg)) {
            if (arg.empty()) throw Usage{"an empty file or directory name"};
            names.push_back(arg);
        } else if (arg == "--restore") {
            options.Restore = true;
            if (in.HasValue()) {
                options.File = in.Value(arg);
                if (options.File.empty()) throw Usage{"--restore= needs a file name"};
            }
        } else {
            throw Usage{"recover has no option " + arg};
        }
    }
    if (!options.Restore) {
        if (names.size() > 1) throw Usage{"recover lists one directory (" + names[0] + ", " + names[1] + ")"};
        if (!names.empty()) options.Directory = names[0];
        return RunRecover(options, out, err);
    }
    const std::size_t room = options.File.empty() ? 2 : 1;
    if (names.size() > room) throw Usage{"recover --restore takes a file and a directory, no more"};
    if (names.size() == 2) {
        options.File = names[0];
        options.Directory = names[1];
    } else if (names.size() == 1) {
        (options.File.empty() && !NamesDirectory(names[0]) ? options.File : options.Directory) = names[0];
    }
    return RunRecover(options, out, err);
}

int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw Usage{"no command"};
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        out << UsageText;
        return ExitClean;
    }
    if (command == "check") return RunCheck(args, out, err);
    if (command == "show") return RunShow(args, out, err);
    if (command == "new") return RunNewCommand(args, out, err);
    if (command == "recover") return RunRecoverCommand(args, out, err);
    throw Usage{"unknown command " + command};
}

}  // namespace

int RunVqreport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return Dispatch(args, out, err);
    } catch (const Usage& usage) {
        err << "vqreport: " << usage.Message << "\n" << UsageText;
        return ExitFailure;
    } catch (const std::exception& error) {
        err << "vqreport: " << error.what() << "\n";
        return ExitFailure;
    } catch (...) {
        err << "vqreport: unexpected failure\n";
        return ExitFailure;
    }
}

}  // namespace vqreport
