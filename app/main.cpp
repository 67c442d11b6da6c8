// Velmora: desktop companion living in the notification area.
#include <windows.h>

#include "platform/effects.h"
#include "shell/yindao.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    velmora::SelectEffectsFromEnvironment();

    velmora::Yindao yindao;  // 引导: the hidden start-up window, alive for the whole run
    if (!yindao.Create()) return 1;
    yindao.Form_Load();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of a window
        // that holds a form of them (the wallpaper changer).
        HWND active = ::GetActiveWindow();
        if (active && (::GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
            ::IsDialogMessageW(active, &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
