#include "platform/clipboard.h"

#include <cstring>

#include "platform/handles.h"

namespace velmora {

namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kPauseBetweenAttempts = 20;  // ms

bool OpenClipboardSoon(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0) ::Sleep(kPauseBetweenAttempts);
        if (::OpenClipboard(owner)) return true;
    }
    return false;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* at = ::GlobalLock(memory.get());
    if (!at) return false;
    std::memcpy(at, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(at)[text.size()] = L'\0';
    ::GlobalUnlock(memory.get());
    if (!OpenClipboardSoon(owner)) return false;
    const bool put = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory.get());
    // Once set, the memory belongs to the clipboard.
    if (put) memory.release();
    ::CloseClipboard();
    return put;
}

}  // namespace velmora
