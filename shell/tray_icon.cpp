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

TrayIcon::TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::string_view tipUtf8,
                   ShellNotify notify)
    : icon_(std::move(icon)), notify_(std::move(notify)) {
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
    // A modification succeeds only on an icon the shell holds.
    added_ = notify_(NIM_ADD, &record_) != FALSE || notify_(NIM_MODIFY, &record_) != FALSE;
    if (added_) SignalIconAdded();
    return added_;
}

void TrayIcon::Remove() {
    if (!added_) return;
    notify_(NIM_DELETE, &record_);
    added_ = false;
}

}  // namespace velmora
