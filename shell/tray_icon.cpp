#include "shell/tray_icon.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

void SignalIconAdded() {
    UniqueKernelHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kTrayIconAddedEvent));
    if (event) ::SetEvent(event.get());
}

}  // namespace

TrayIcon::TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::wstring_view tip,
                   ShellNotify notify)
    : icon_(std::move(icon)), notify_(std::move(notify)) {
    record_.cbSize = sizeof record_;
    record_.hWnd = callbackWindow;
    record_.uID = kTrayIconId;
    // Version 4 shows the tip only when asked to.
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    record_.uCallbackMessage = callbackMessage;
    record_.hIcon = icon_.get();
    const size_t n = std::min(tip.size(), std::size(record_.szTip) - 1);
    std::copy_n(tip.data(), n, record_.szTip);
    record_.uVersion = NOTIFYICON_VERSION_4;
}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Add() {
    // A modification succeeds only on an icon the shell holds.
    added_ = notify_(NIM_ADD, &record_) != FALSE || notify_(NIM_MODIFY, &record_) != FALSE;
    if (!added_) return false;
    // A shell that refuses version 4 goes on with the first layout of the
    // callbacks, which TrayHost reads as well.
    version4_ = notify_(NIM_SETVERSION, &record_) != FALSE;
    SignalIconAdded();
    return true;
}

void TrayIcon::Remove() {
    if (!added_) return;
    notify_(NIM_DELETE, &record_);
    added_ = false;
}

void TrayIcon::SetIcon(UniqueIcon icon) {
    if (!icon) return;
    // The old picture lives until the shell has the new one.
    const UniqueIcon old = std::exchange(icon_, std::move(icon));
    record_.hIcon = icon_.get();
    if (added_) notify_(NIM_MODIFY, &record_);
}

}  // namespace velmora
