// Starting at logon: the profile switch "开机自动运行", the Run-key entry
// "velmorad" and the check mark of the tray menu's 开机自动启动 (kaijzdqd).
//
// The entry goes under the machine-wide Run key. Without administrator
// rights that key cannot be opened for writing, and a check mark promising
// a start that never comes would be a lie: the entry then goes under the
// user's own Run key instead, and turning the switch off clears both.
#pragma once

#include <windows.h>

namespace velmora {

// SyncAutoStart: at every start, writes or deletes the entry as the profile
// says and sets the check mark of item `kaijzdqdId` of `menu` (searched in
// its submenus too).
void SyncAutoStart(HMENU menu, UINT kaijzdqdId);

// kaijzdqd_Click (开机自动启动): turns the switch on at once, or off after
// asking (owner: `owner`). Changes the profile and the check mark only; the
// registry follows at the next start.
void kaijzdqd_Click(HWND owner, HMENU menu, UINT kaijzdqdId);

// Whether the item shows its check mark.
bool AutoStartChecked(HMENU menu, UINT kaijzdqdId);

// How the machine-wide Run key is opened (RegOpenKeyExA). Tests put in one
// that refuses, as Windows does for a user without administrator rights;
// nullptr puts the real one back.
using RunKeyOpener = LSTATUS (*)(HKEY root, const char* path, DWORD options, REGSAM access, HKEY* key);
void SetMachineRunKeyOpener(RunKeyOpener opener);

}  // namespace velmora
