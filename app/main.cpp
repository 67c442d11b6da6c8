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
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
