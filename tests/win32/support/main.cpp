// Win32 tests of Velmora, run under Wine with real windows and files.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    // Unbuffered, so that a test that hangs still shows where it was.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
