// vqreport: checks, shows and creates report files for the gauge, and restores its recovery files (see cli.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/vqreport/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = vqreport::RunVqreport(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
