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

}  // namespace vqreport
