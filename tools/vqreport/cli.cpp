#include "tools/vqreport/cli.h"

#include <cctype>
#include <exception>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "cli/options.h"
#include "tools/vqreport/check.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/new_report.h"
#include "tools/vqreport/output.h"
#include "tools/vqreport/printable.h"
#include "tools/vqreport/recover.h"
#include "tools/vqreport/show.h"
#include "tools/vqreport/status.h"
#include "tools/vqreport/streams.h"

namespace vqreport {

namespace {

using cli::Error;

// What the command line gives the command.
struct Given {
    std::istream* In = nullptr;  // for a file named "-"
    bool Help = false;
    std::vector<std::string> Operands;
    CheckOptions Check;
    bool Json = false;
    bool Csv = false;
    NewOptions New;
    RecoverOptions Recover;
};

struct Command {
    const char* Name;
    const char* Operands;  // as the synopsis shows them
    const char* Help;      // '\n' between its lines
    cli::Table Options;
    int (*Run)(Given& given, std::ostream& out, std::ostream& err);
};

char DecimalSeparator(const std::string& value) {
    if (value.size() != 1) {
        throw Error{"--decimal " + Quoted(value) + " is " + std::to_string(value.size()) +
                    " characters; the decimal separator is one character ('.' or ',')"};
    }
    if (!std::ispunct(static_cast<unsigned char>(value[0])) || value == "+" || value == "-") {
        throw Error{"--decimal " + Quoted(value) +
                    ": the decimal separator is a punctuation mark ('.' or ','), not a letter, digit, blank, "
                    "control character, '+' or '-'"};
    }
    return value[0];
}

// The one file the command takes.
std::string OneFile(const Given& given, const std::string& missing) {
    for (const std::string& name : given.Operands) {
        if (name.empty()) throw Error{"an empty file name"};
    }
    if (given.Operands.size() > 1) throw Error{"one file only (" + given.Operands[0] + ", " + given.Operands[1] + ")"};
    if (given.Operands.empty()) throw Error{missing};
    return given.Operands[0];
}

// A report file to read: the file named, or for "-" standard input through a
// temporary file.
// A file named on the command line is read as given: a pipe or a device
// too (the module's reader takes regular files only), up to 64 MiB.
struct InputReport {
    TemporaryFile Copy;
    std::string Path;

    InputReport(const std::string& name, Given& given) : Path(name) {
        const bool standard = IsStandardStream(name) && given.In;
        std::error_code error;
        const auto type = std::filesystem::status(name, error).type();
        if (!standard && (error || type == std::filesystem::file_type::regular ||
                          type == std::filesystem::file_type::directory)) {
            return;
        }
        std::ifstream named;
        if (!standard) named.open(name, std::ios::binary);
        std::string bytes, problem;
        if (Copy.Path().empty() || !ReadStream(standard ? *given.In : named, 64 * 1024 * 1024, bytes, problem) ||
            !Copy.Fill(bytes)) {
            throw std::runtime_error("cannot read " + (standard ? std::string("standard input") : name) + ": " +
                                     (problem.empty() ? Copy.Problem() : problem));
        }
        Path = Copy.Path();
    }
};

int RunCheck(Given& given, std::ostream& out, std::ostream& err) {
    const std::string file = OneFile(given, "check needs the report file");
    const InputReport input(file, given);
    const CheckResult result = CheckReportFile(input.Path, given.Check);
    if (!result.Opened) {
        err << "vqreport: cannot read " << file << ": " << result.OpenError << "\n";
        return ExitFailure;
    }
    PrintCheckResult(result, file, out);
    if (result.Errors > 0) return ExitErrors;
    return result.Warnings > 0 ? ExitWarnings : ExitClean;
}

int RunShow(Given& given, std::ostream& out, std::ostream& err) {
    if (given.Json && given.Csv) throw Error{"show writes --json or --csv, not both"};
    const std::string file = OneFile(given, "show needs the report file");
    const InputReport input(file, given);
    const LoadResult load = LoadReportFile(input.Path);
    if (!load.Opened) {
        err << "vqreport: cannot read " << file << ": " << load.OpenError << "\n";
        return ExitFailure;
    }
    if (!load.Accepted) {
        err << file << (load.Empty ? ": error: the file is empty" : ":1: error: the first line does not hold the header")
            << "; the gauge refuses this file (vqreport check " << file << " tells more)\n";
        return ExitErrors;
    }
    int escaped = 0;
    if (given.Json || given.Csv) SetOutputKind(out, OutputKind::Utf8);
    if (given.Json) {
        PrintNavLogJson(file, out);
    } else if (given.Csv) {
        escaped = PrintNavLogCsv(file, out, err);
    } else {
        PrintNavLog(file, out);
    }
    if (!load.Whole) {
        // What is shown is what the gauge reads, not what the file says.
        err << file << ": error: the gauge cannot take this file whole; vqreport check " << file << " tells why\n";
        return ExitErrors;
    }
    return escaped > 0 ? ExitWarnings : ExitClean;
}

int RunNewCommand(Given& given, std::ostream& out, std::ostream& err) {
    given.New.RoutePath = OneFile(given, "new needs the route table (a CSV file) or the flight plan");
    given.New.Input = given.In;
    if (IsStandardStream(given.New.OutputPath)) SetOutputKind(out, OutputKind::Bytes);
    return RunNew(given.New, out, err);
}

int RunRecoverCommand(Given& given, std::ostream& out, std::ostream& err) {
    RecoverOptions& options = given.Recover;
    const std::vector<std::string>& names = given.Operands;
    for (const std::string& name : names) {
        if (name.empty()) throw Error{"an empty file or directory name"};
        if (IsStandardStream(name)) throw Error{"recover works on the files of a directory; - is none"};
    }
    if (IsStandardStream(options.File)) throw Error{"recover works on the files of a directory; - is none"};
    if (options.Force && !options.Restore) throw Error{"--force goes with --restore"};
    if (!options.Restore) {
        if (names.size() > 1) throw Error{"recover lists one directory (" + names[0] + ", " + names[1] + ")"};
        if (!names.empty()) options.Directory = names[0];
        return RunRecover(options, out, err);
    }
    const std::size_t room = options.File.empty() ? 2 : 1;
    if (names.size() > room) throw Error{"recover --restore takes a file and a directory, no more"};
    if (names.size() == 2) {
        options.File = names[0];
        options.Directory = names[1];
    } else if (names.size() == 1) {
        (options.File.empty() && !NamesDirectory(names[0]) ? options.File : options.Directory) = names[0];
    }
    return RunRecover(options, out, err);
}

bool NamesReportSetting(const std::string& option) {
    ReportSetting setting;
    return option.compare(0, 2, "--") == 0 && FindReportSetting(option.substr(2), setting);
}

// The commands, their options setting `given`.
std::vector<Command> Commands(Given& given) {
    const auto decimal = [](char& separator) {
        return [&separator](const std::string&, const std::string& value) { separator = DecimalSeparator(value); };
    };
    return {
        {"check", "FILE",
         "reads a report file as the gauge does and lists every problem with its\n"
         "line, its field and what the gauge will do; exit status 0 when clean,\n"
         "1 with warnings only, 2 with errors.",
         {{"--decimal", "SEP",
           "decimal separator of the PC the gauge runs on (default '.'),\n"
           "which the gauge uses to read leg distances.",
           decimal(given.Check.DecimalSeparator)}},
         RunCheck},
        {"show", "FILE",
         "prints the report as a nav log as the gauge reads it: header, route\n"
         "and times of each checkpoint with their totals, flight time (so far),\n"
         "fuel account; exit status 2 when the gauge refuses the file or cannot\n"
         "take it whole.",
         {{"--json", nullptr, "prints the same as JSON (UTF-8)", [&given](auto&, auto&) { given.Json = true; }},
          {"--csv", nullptr,
           "prints the checkpoints as a spreadsheet (CSV, UTF-8) with\n"
           "the columns new reads; exit status 1 when a text holds a\n"
           "control character, written escaped, which new refuses",
           [&given](auto&, auto&) { given.Csv = true; }}},
         RunShow},
        {"new", "ROUTE.csv|PLAN.pln",
         "builds a report file from a route table in CSV. Its first row names the\n"
         "columns: name, identifier, latitude, longitude, leg distance, planned leg\n"
         "time, and any of type, frequency, alternate identifier, alternate\n"
         "frequency, level, heading, spare, ground speed, actual leg time, estimated\n"
         "arrival, actual arrival (or field 1 to field 15). Coordinates in decimal\n"
         "degrees (north and east positive, or with N/S/E/W) or in degrees and\n"
         "minutes, seconds if wanted (N50 30.5, 50 30.5 N, 50*30'30\"N; * or the\n"
         "degree sign). Without a leg distance column the leg distances are\n"
         "worked out from the coordinates (great circle, whole nautical miles);\n"
         "a column given is never filled in. Times are written hh:mm. The table\n"
         "may be UTF-8, UTF-16 with its byte order mark, or in the Windows\n"
         "character set, which the report is written in.\n"
         "A flight plan in text form (first line [flightplan], any extension)\n"
         "gives one checkpoint per waypoint: name (departure and destination\n"
         "names first and last), type APT/VOR/NDB/FIX/USR, identifier, position\n"
         "and level (hundreds of feet).",
         {{"-o|--output", "FILE", "the report file to write (default tolvanix.rec here)",
           [&given](const std::string& name, const std::string& value) {
               if (value.empty()) throw Error{name + " needs a file name"};
               given.New.OutputPath = value;
           }},
          {"--force", nullptr, "replace FILE if it exists", [&given](auto&, auto&) { given.New.Force = true; }},
          {"--decimal", "SEP", "as for check; leg distances must be numbers with SEP",
           decimal(given.New.DecimalSeparator)},
          {"--plan-times", nullptr,
           "fills in the empty planned leg times: leg distance\n"
           "over the ground speed of the checkpoint at the\n"
           "leg's end, to the nearest minute",
           [&given](auto&, auto&) { given.New.PlanTimes = true; }},
          {"--FIELD", "VALUE",
           "a header value: --departure-time 10:05, --extra-fuel1 200,\n"
           "--header-field-3 TEXT (or --field03), --list-field-1 TEXT,\n"
           "--start-fuel NUMBER, ...",
           [&given](const std::string& name, const std::string& value) {
               // Two spellings of one field ("--departure-time", "--DepartureTime") are one option.
               ReportSetting field, other;
               FindReportSetting(name.substr(2), field);
               for (const auto& [earlier, unused] : given.New.Settings) {
                   if (FindReportSetting(earlier, other) && other.What == field.What && other.Index == field.Index) {
                       throw Error{name + " sets the field that --" + earlier + " sets already"};
                   }
               }
               given.New.Settings.emplace_back(name.substr(2), value);
           },
           "a value", NamesReportSetting}},
         RunNewCommand},
        {"recover", "[DIR]",
         "says what the gauge will do at its next start in DIR (default: the\n"
         "current directory): take up the flight in tolvanix-recovery.rec, set\n"
         "it aside, remove it, or move back a report a broken-off save left.\n"
         "Then lists the recovery files (tolvanix-recovery.rec, and older ones\n"
         "set aside as tolvanix-recovery-N.rec) and the kept copies that hold a\n"
         "flown report (tolvanix-kept-N.rec): for each its time, its flight and\n"
         "its checkpoint times against those of tolvanix.rec; then what to run.\n"
         "Also a tolvanix.rec.new or .old that an interrupted save left.",
         {{"--restore", "[FILE]",
           "puts a copy of FILE (default tolvanix-recovery.rec) in\n"
           "place of the tolvanix.rec of DIR (wherever FILE lies),\n"
           "after keeping tolvanix.rec as\n"
           "tolvanix-before-recover-N.rec; FILE stays. Run it with\n"
           "the simulator closed. A FILE the gauge would refuse or\n"
           "not take whole, or with fewer checkpoint times than\n"
           "tolvanix.rec, is not restored without --force; if a\n"
           "step fails, tolvanix.rec stays as it was (status 3).\n"
           "One argument naming a directory is DIR.",
           [&given](auto&, const std::string& value) {
               given.Recover.Restore = true;
               if (!value.empty()) given.Recover.File = value;
           },
           "a file name"},
          {"--force", nullptr, "with --restore: restore such a FILE all the same",
           [&given](auto&, auto&) { given.Recover.Force = true; }}},
         RunRecoverCommand},
    };
}

std::string SynopsisLine(const Command& command) {
    return "vqreport " + std::string(command.Name) + " " + cli::Synopsis(command.Options) + " " + command.Operands +
           "\n";
}

// The command's name, what it does and its options.
std::string Described(const Command& command) {
    std::string name = command.Name;
    std::string text = name.append(name.size() < 7 ? 7 - name.size() : 1, ' ');
    for (const char* help = command.Help; *help; ++help) {
        text += *help;
        if (*help == '\n') text += "       ";
    }
    return text + "\n" + cli::Usage(command.Options, 7);
}

const char* const ExitStatusNote =
    "\nA FILE of - is standard input (or, for -o, standard output).\n"
    "Exit status 3: a wrong command line (an option given twice among them), or a\n"
    "file that cannot be read or written, standard output included.\n";

std::string UsageText() {
    Given unused;
    std::string synopsis, commands;
    for (const Command& command : Commands(unused)) {
        synopsis += std::string(synopsis.empty() ? "usage: " : "       ") + SynopsisLine(command);
        commands += Described(command);
    }
    return synopsis + "       vqreport --version\n\n" + commands + ExitStatusNote;
}

int Dispatch(const std::vector<std::string>& args, Given& given, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw Error{"no command"};
    const std::string& name = args[0];
    if (name == "help" || name == "--help" || name == "-h") {
        out << UsageText();
        return ExitClean;
    }
    if (name == "--version") {
        out << "vqreport " << VQ_VERSION << "\n";
        return ExitClean;
    }
    for (Command& command : Commands(given)) {
        if (name != command.Name) continue;
        // --help is every command's, and shown in no synopsis.
        cli::Table options = command.Options;
        options.push_back({"-h|--help", nullptr, "", [&given](auto&, auto&) { given.Help = true; }});
        given.Operands = cli::Parse({args.begin() + 1, args.end()}, options, [&name](const std::string& option) {
            return name + " has no option " + option +
                   (name == "new" ? " (header values: --departure-time, --extra-fuel1, --header-field-3, "
                                    "--list-field-1, --start-fuel, ...)"
                                  : "");
        });
        if (given.Help) {
            out << "usage: " << SynopsisLine(command) << "\n" << Described(command) << ExitStatusNote;
            return ExitClean;
        }
        return command.Run(given, out, err);
    }
    throw Error{"unknown command " + name};
}

}  // namespace

int RunVqreport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::istringstream nothing;
    return RunVqreport(args, nothing, out, err);
}

int RunVqreport(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    int status = ExitFailure;
    try {
        Given given;
        given.In = &in;
        status = Dispatch(args, given, out, err);
    } catch (const Error& usage) {
        err << "vqreport: " << usage.Message << "\n" << UsageText();
    } catch (const std::exception& error) {
        err << "vqreport: " << error.what() << "\n";
    } catch (...) {
        err << "vqreport: unexpected failure\n";
    }
    // What could not be written is lost to the reader: no status may say otherwise.
    if (!out.flush()) {
        const std::string why = OutputProblem(out);
        err << "vqreport: cannot write to standard output" << (why.empty() ? "" : ": " + why) << "\n";
        status = ExitFailure;
    }
    err.flush();
    return status;
}

}  // namespace vqreport
