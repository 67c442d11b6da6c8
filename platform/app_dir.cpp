#include "platform/app_dir.h"

#include <windows.h>


namespace velmora {

namespace {
std::wstring& Override() {
    static std::wstring dir;
    return dir;
}
}  // namespace

std::wstring AppDirectory() {
    if (!Override().empty()) return Override();
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void SetAppDirectory(std::wstring dir) {
    while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
    Override() = std::move(dir);
}

}  // namespace velmora
