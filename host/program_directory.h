// Where the running program lies, for finding the files kept beside it (the
// gauge module, its picture).
#pragma once

#include <string>

namespace host {

// The directory of the running program, absolute. Under an emulator the
// program's own path may come back relative: it is taken against the current
// directory, so call this before changing directory.
std::string ProgramDirectory();

}  // namespace host
