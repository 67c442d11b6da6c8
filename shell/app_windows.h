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

}  // namespace velmora
