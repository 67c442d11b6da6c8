// Paths longer than the old limit of 260 characters. Windows opens them only
// when the program says it can take them (the "\\?\" prefix), or when a
// policy that is off by default allows them; a picture in a deep folder
// would otherwise be one that cannot be read.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::size_t kShortPathLimit = 260;  // MAX_PATH

// The form of a full path that the file functions open whatever its length:
// from kShortPathLimit characters on, "\\?\" before a path with a drive
// letter and "\\?\UNC\" for a share, with every slash made a backslash (the
// prefix turns the system's own clean-up off). Shorter paths, relative ones
// and ones that carry a prefix already come back as they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace velmora
