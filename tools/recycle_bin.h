// 清空回收站: empties the recycle bins of every drive. The launcher panel's
// cell and the tray menu's entry ask for it; nothing is shown.
#pragma once

#include <windows.h>

#include <string_view>

namespace velmora {

class SystemEffects;

// Empties every recycle bin with the flags recycle::EmptyingFlags gives for
// the program's command-line arguments (silently when there are none), or
// empties nothing when the arguments ask for that. The shell's answer is not
// looked at: an empty bin or a refusal says nothing to the user.
void EmptyRecycleBin(SystemEffects& effects, HWND owner, std::string_view commandLineArguments);

}  // namespace velmora
