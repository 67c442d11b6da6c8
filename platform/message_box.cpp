#include "platform/message_box.h"

namespace velmora {

namespace {
MessageBoxHook g_hook = nullptr;
}

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
    if (g_hook) return g_hook(owner, text, title, type);
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), type);
}

void SetMessageBoxHook(MessageBoxHook hook) { g_hook = hook; }

}  // namespace velmora
