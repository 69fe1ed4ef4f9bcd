// The gauge module's own translation unit. Everything the host reaches is in
// the module's code (the exported records in gauge.cpp lead to the rest);
// this file only gives the shared library a source of its own.
#include "gauge/gauge.h"
