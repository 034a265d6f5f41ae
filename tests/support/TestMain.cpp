#include <gtest/gtest.h>
#include <windows.h>
#include "EndOnCrash.h"

int main(int argc, char** argv) {
    // No "insert a disk" or critical-error boxes for the drive tests.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    EndOnCrash();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
