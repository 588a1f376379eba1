// The main of every test program. --keyra-table=portable or --keyra-table=accelerated
// selects the vector-function table before the first test (CTest registers each test
// once per table); without the flag the automatic choice stays. On a processor without
// the accelerated table, "accelerated" ends with the portable one.

#include "vtrVecLib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    int iTable = kUsedCPUExtensionAuto;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--keyra-table=portable") == 0)
            iTable = kUsedCPUExtensionGeneric;
        else if (std::strcmp(argv[i], "--keyra-table=accelerated") == 0)
            iTable = kUsedCPUExtensionAccelerate;
        else
        {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (iTable != kUsedCPUExtensionAuto)
    {
        vtrVecLibDispatcherClear();
        vtrVecLibDispatcher(iTable);
    }
    return RUN_ALL_TESTS();
}
