// Main of the test programs that play sound. Once the results are written the process ends
// without unloading its DLLs: Wine's sound driver now and then faults while
// it is torn down after recording, which would turn a passed run into a
// crash that says nothing about the engine.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
