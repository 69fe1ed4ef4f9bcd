// vqreport: checks, shows and creates report files for the gauge, and restores its recovery files (see cli.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/vqreport/cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace {

void BinaryStandardOutput() {
#ifdef _WIN32
    std::cout.flush();
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // A report read from standard input keeps its CR LF and any Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = vqreport::RunVqreport(args, std::cin, std::cout, std::cerr, BinaryStandardOutput);
    std::cout.flush();
    return status;
}
