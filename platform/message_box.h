// Every message box of the program goes through ShowMessage, so that tests
// can answer a box instead of a person (a real box would wait for a click).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

// MessageBoxW(owner, text, title, type), or the installed hook.
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT type);

// Test hook: receives every box instead of the screen and returns the
// button "pressed". nullptr puts real boxes back.
using MessageBoxHook = int (*)(HWND owner, const std::wstring& text, const std::wstring& title, UINT type);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace velmora
