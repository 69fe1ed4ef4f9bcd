// vqreport: checks, shows and creates report files for the gauge, and restores its recovery files (see cli.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/vqreport/cli.h"
#include "tools/vqreport/output.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // A report read from standard input keeps its CR LF and any Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    vqreport::StandardStream output(1), errors(2);
    std::ostream out(&output), err(&errors);
    std::vector<std::string> args(argv + 1, argv + argc);
    return vqreport::RunVqreport(args, std::cin, out, err);
}
