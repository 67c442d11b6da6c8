// Rewrites the profile named on its command line for ever, alternating
// "zdy" between 30 and 45, so that a test can kill it in the middle of a
// write.
#include <windows.h>

#include "settings/profile_file.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    velmora::ProfileFile profile(argv[1]);
    for (unsigned i = 0;; ++i) profile.Write("zdy", (i % 2) ? "30" : "45");
}
