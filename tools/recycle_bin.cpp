#include "tools/recycle_bin.h"

#include "platform/effects.h"
#include "tools/recycle_rules.h"

namespace velmora {

void EmptyRecycleBin(SystemEffects& effects, HWND owner, std::string_view commandLineArguments) {
    if (const auto flags = recycle::EmptyingFlags(commandLineArguments)) effects.SHEmptyRecycleBinA(owner, *flags);
}

}  // namespace velmora
