// A library planted beside Velmora.exe under the name of a system library
// (shcore.dll), as a download folder or a USB stick may hold one. Should
// anything load it, it leaves a mark beside itself; it does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 16) return TRUE;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash) return TRUE;
    wcscpy(slash + 1, L"planted-loaded");
    HANDLE mark = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (mark != INVALID_HANDLE_VALUE) ::CloseHandle(mark);
    return TRUE;
}
