#include "platform/long_paths.h"

#include <algorithm>

namespace velmora {

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
    std::wstring out(path);
    if (path.size() < kShortPathLimit) return out;
    const bool drive = IsLetter(path[0]) && path[1] == L':' && IsSlash(path[2]);
    const bool share = IsSlash(path[0]) && IsSlash(path[1]) && path[2] != L'?' && path[2] != L'.';
    if (!drive && !share) return out;  // relative, or a prefix of its own
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return drive ? L"\\\\?\\" + out : L"\\\\?\\UNC\\" + out.substr(2);
}

}  // namespace velmora
