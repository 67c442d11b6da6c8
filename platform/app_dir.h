// The application directory: the folder of the executable, without a
// trailing separator. The profile file and the picture folder live there.
#pragma once

#include <string>

namespace velmora {

std::wstring AppDirectory();
// Points AppDirectory elsewhere (tests run from the build folder).
void SetAppDirectory(std::wstring dir);

}  // namespace velmora
