#include "platform/long_paths.h"

#include <algorithm>

namespace velmora {

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
    std::wstring out(path);
    if (path.size() < kShortPathLimit) return out;
    const bool drive = path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                       path[1] == L':' && IsSlash(path[2]);
    const bool share = IsSlash(path[0]) && IsSlash(path[1]) && path[2] != L'?' && path[2] != L'.';
    if (!drive && !share) return out;  // relative, or a prefix of its own
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return drive ? L"\\\\?\\" + out : L"\\\\?\\UNC\\" + out.substr(2);
}

}  // namespace velmora
