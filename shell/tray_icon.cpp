#include "shell/tray_icon.h"

#include <algorithm>
#include <cstring>

#include "platform/handles.h"
#include "platform/text.h"

namespace velmora {

namespace {

NOTIFYICONDATAA& Record() {
    static NOTIFYICONDATAA record{};
    return record;
}

void SignalIconAdded() {
    UniqueKernelHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kTrayIconAddedEvent));
    if (event) ::SetEvent(event.get());
}

}  // namespace

const NOTIFYICONDATAA& TrayIconData() { return Record(); }

bool InstallTrayIcon(HWND callbackWindow, HICON icon) {
    NOTIFYICONDATAA& r = Record();
    r = NOTIFYICONDATAA{};
    // The first layout of the record: the fields up to the 64-byte tip
    // (88 bytes on 32-bit Windows, the same fields at their natural size here).
    r.cbSize = NOTIFYICONDATAA_V1_SIZE;
    r.hWnd = callbackWindow;
    r.uID = kTrayIconId;
    r.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    r.uCallbackMessage = kTrayCallbackMessage;
    r.hIcon = icon;
    const std::string tip = ToCodePage("Velmora", kGbkCodePage);
    std::memcpy(r.szTip, tip.data(), std::min(tip.size(), sizeof r.szTip - 1));
    return ReinstallTrayIcon();
}

bool ReinstallTrayIcon() {
    if (Record().cbSize == 0) return false;
    const bool added = ::Shell_NotifyIconA(NIM_ADD, &Record()) != FALSE;
    if (added) SignalIconAdded();
    return added;
}

void RemoveTrayIcon() {
    if (Record().cbSize != 0) ::Shell_NotifyIconA(NIM_DELETE, &Record());
}

}  // namespace velmora
