// Win32 tests of Velmora, run under Wine with real windows and files.
//
// The program also serves as its own helper process: with
// "--profile-writer DIR" it rewrites the profile in DIR forever, so that a
// test can kill it in the middle of a write.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/app_dir.h"
#include "platform/text.h"
#include "settings/profile.h"

namespace {

int ProfileWriterLoop(const char* dir) {
    velmora::SetAppDirectory(velmora::Widen(dir));
    for (unsigned i = 0;; ++i) {
        velmora::ProfileWrite("Velmora", "zdy", (i % 2) ? "30" : "45");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--profile-writer") == 0) return ProfileWriterLoop(argv[2]);
    // Unbuffered, so that a test that hangs still shows where it was.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
