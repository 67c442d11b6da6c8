#include "shell/tray_icon.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/text.h"

namespace velmora {

namespace {

void SignalIconAdded() {
    UniqueKernelHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kTrayIconAddedEvent));
    if (event) ::SetEvent(event.get());
}

}  // namespace

TrayIcon::TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::string_view tipUtf8)
    : icon_(std::move(icon)) {
    // The first layout of the record: the fields up to the 64-byte tip, which
    // every version of the shell understands.
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = callbackWindow;
    record_.uID = kTrayIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = callbackMessage;
    record_.hIcon = icon_.get();
    const std::string tip = ToCodePage(tipUtf8, kGbkCodePage);
    std::memcpy(record_.szTip, tip.data(), std::min(tip.size(), sizeof record_.szTip - 1));
}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Add() {
    const bool added = ::Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    if (added) {
        added_ = true;
        SignalIconAdded();
    }
    return added;
}

void TrayIcon::Remove() {
    if (!added_) return;
    ::Shell_NotifyIconA(NIM_DELETE, &record_);
    added_ = false;
}

}  // namespace velmora
