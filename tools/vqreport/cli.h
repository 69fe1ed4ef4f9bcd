// The vqreport command line: picks the command, reads its options and runs it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vqreport {

// Runs vqreport with `args` (the program name left out), writing results to
// `out` and messages to `err`. Returns the exit status (status.h). Never
// throws.
int RunVqreport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same with `in` for a file named "-"; `binaryOut`, when given, is called
// before a report file goes to `out` (on Windows it sets standard output to
// binary mode, so that the report keeps its CR LF).
int RunVqreport(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                void (*binaryOut)() = nullptr);

}  // namespace vqreport
