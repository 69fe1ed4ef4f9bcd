// The vqreport command line: picks the command, reads its options and runs it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vqreport {

// Runs vqreport with `args` (the program name left out), writing results to
// `out` and messages to `err`, in UTF-8 (output.h puts standard output and
// error into the reader's character set). Returns the exit status
// (status.h); 3 when `out` could not be written, whatever the command found.
// Never throws.
int RunVqreport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same with `in` for a file named "-".
int RunVqreport(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vqreport
