// Which of the program's windows exist right now. Each window kind exists
// at most once; a window records itself here when it is created and removes
// itself when it is destroyed.
#pragma once

#include <windows.h>

namespace velmora {

enum class WindowKind {
    yindao,   // 引导: hidden start-up window, owner of the tray icon and menus
    frmMain,  // 主界面: launcher panel
    ghzm,     // 更换桌面: wallpaper changer
    wlss,     // 网络搜索: web-search box
    qkhsz,    // 清空回收站: recycle-bin emptier
    Form3,    // colour picker
    see,      // picture viewer
    Count
};

void RegisterLiveWindow(WindowKind kind, HWND hwnd);
void ForgetLiveWindow(WindowKind kind, HWND hwnd);
HWND LiveWindow(WindowKind kind);

// Closes the window of that kind, running its close logic, if it exists.
void CloseIfOpen(WindowKind kind);

// Windows on demand: a kind's factory creates its window and runs its load
// logic without showing it, and returns it (nullptr when it cannot).
using WindowFactory = HWND (*)();
void SetWindowFactory(WindowKind kind, WindowFactory factory);

// The live window of that kind, created (hidden) first when there is none;
// nullptr when the kind has no factory or creation failed.
HWND EnsureWindow(WindowKind kind);

// ShowWindowNormal: shows the window modeless, creating it first when
// needed, restores it when minimised and brings it to the front.
HWND ShowWindowNormal(WindowKind kind);

}  // namespace velmora
