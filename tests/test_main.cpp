// The test programs' main, which also runs a part of a test in a process of
// its own when asked (vqtest::RunChild). Tests that call the module's code directly run it
// with the module's own x87 control word, as every call from the host does,
// so that both builds compute alike whatever word the process started with.
#include <gtest/gtest.h>

#include "interface/fpu.h"
#include "tests/test_support.h"

int main(int argc, char** argv) {
    LoadControlWord(ModuleControlWord);
    vqtest::RunChildIfAsked(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
