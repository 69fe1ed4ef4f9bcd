// The test programs' main. Tests that call the module's code directly run it
// with the module's own x87 control word, as every call from the host does,
// so that both builds compute alike whatever word the process started with.
#include <gtest/gtest.h>

#include "interface/fpu.h"

int main(int argc, char** argv) {
    LoadControlWord(ModuleControlWord);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
