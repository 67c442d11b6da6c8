// The least a tray program can do: one hidden window, one icon, a message
// loop. The start-up benchmark measures Velmora against it.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

NOTIFYICONDATAA g_icon{};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        ::Shell_NotifyIconA(NIM_DELETE, &g_icon);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"VelmoraBaseline";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowW(L"VelmoraBaseline", L"Baseline", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                instance, nullptr);
    g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    g_icon.hWnd = hwnd;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_icon.uCallbackMessage = WM_APP;
    g_icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    std::strcpy(g_icon.szTip, "Baseline");
    ::Shell_NotifyIconA(NIM_ADD, &g_icon);
    if (HANDLE e = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"Local\\Velmora.TrayIconAdded")) {
        ::SetEvent(e);
        ::CloseHandle(e);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
