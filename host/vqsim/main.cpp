// vqsim: flies a report with the gauge module loaded from its file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/vqsim/simulator.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    vqsim::RunOutcome outcome;
    const int status = vqsim::VqsimMain(args, stdout, stderr, &outcome);
    std::fflush(nullptr);
    return status;
}
