#include "shell/auto_start_rules.h"

namespace velmora::autostart {

std::string RunCommand(std::string_view folder) {
    std::string path(folder);
    // A drive root comes as "D:" from the program and maybe as "D:\" from
    // elsewhere; either way one separator.
    if (path.empty() || path.back() != '\\') path += '\\';
    path += kProgramFile;
    if (path.find(' ') == std::string::npos && path.find('\t') == std::string::npos) return path;
    return "\"" + path + "\"";
}

}  // namespace velmora::autostart
