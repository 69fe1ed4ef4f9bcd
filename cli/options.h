// The command lines of the tools, read against one table of options: each
// option is named once, with the value it takes and its help text, and the
// usage lines come from the same table.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

// A wrong command line, in words ("--speed needs a speed in knots").
struct Error {
    std::string Message;
};

struct Option {
    // "--speed"; other spellings after '|' ("-o|--output"), the usage shows
    // the first. A one-letter name takes its value joined too ("-oFILE").
    const char* Name;
    // The value as the usage shows it ("KNOTS"); nullptr for an option that
    // takes none; in brackets ("[FILE]") for one that takes it only joined
    // with '=' ("--restore=FILE").
    const char* Value;
    // The usage's description; '\n' between its lines.
    const char* Help;
    // Takes the option as written and its value ("" for none); throws Error
    // for a value it cannot take.
    std::function<void(const std::string& name, const std::string& value)> Set;
    // What a missing value is called: "--speed needs a speed in knots".
    const char* Needs = "a value";
    // For a family of options (--FIELD): which names belong to it, instead of Name.
    bool (*Matches)(const std::string& name) = nullptr;
    // May be given more than once ("--face-at 07:40 --face-at 07:50"). Any
    // other option given twice is a mistake: which of the two was meant?
    // (Each name of a family counts as an option of its own.)
    bool Repeatable = false;
};
using Table = std::vector<Option>;

// Reads `args` against `table`: "--name value", "--name=value", "-oVALUE",
// and after "--" arguments only. Returns the arguments that are not options.
// Throws Error for a missing value, a value given to an option that takes
// none, an option given twice that is not repeatable, or an option not in
// the table (with the message `unknown` makes of it).
std::vector<std::string> Parse(const std::vector<std::string>& args, const Table& table,
                               const std::function<std::string(const std::string& option)>& unknown);

// "[--decimal SEP] [--json]": the options as a synopsis shows them.
std::string Synopsis(const Table& table);

// One paragraph per option: its name and value from column `indent`, its help
// from column 22 (or two blanks after a longer name).
std::string Usage(const Table& table, std::size_t indent);

}  // namespace cli
