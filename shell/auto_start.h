// Starting at logon: the profile switch "开机自动运行", the Run-key entry
// "velmorad" and the check mark of the tray menu's 开机自动启动.
//
// The entry goes under the machine-wide Run key. Without administrator
// rights that key cannot be opened for writing, and a check mark promising
// a start that never comes would be a lie: the entry then goes under the
// user's own Run key instead, and turning the switch off clears both.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "platform/services.h"
#include "platform/text.h"
#include "settings/settings_store.h"

namespace velmora {

// The entry's data for a program in `folder`, with `codePage` as the
// system's ANSI code page. The registry's ANSI side is that code page; a
// folder it cannot spell would be stored as question marks and never
// start, so that one is stored as UTF-16 (needsWide).
struct RunEntryData {
    std::string ansi;
    std::wstring wide;
    bool needsWide = false;
};
// `convert`: the conversion call (WideCharToMultiByte when null).
RunEntryData MakeRunEntryData(const std::wstring& folder, unsigned codePage, NarrowingCall convert = nullptr);

// How the two Run keys are opened. Tests hand in one whose machine-wide key
// refuses, as Windows does for a user without administrator rights.
class RunKeys {
public:
    virtual ~RunKeys() = default;
    // HKEY_LOCAL_MACHINE's Run key with full access; empty when refused.
    virtual UniqueRegKey OpenMachine() = 0;
    // HKEY_CURRENT_USER's Run key, created first when `create`.
    virtual UniqueRegKey OpenUser(bool create) = 0;
    // Whether the machine-wide key holds the entry (reading needs no rights).
    virtual bool MachineHoldsEntry() = 0;
};

class SystemRunKeys final : public RunKeys {
public:
    UniqueRegKey OpenMachine() override;
    UniqueRegKey OpenUser(bool create) override;
    bool MachineHoldsEntry() override;
};

class StartAtLogon {
public:
    // `directory`: the program's folder, which the entry names.
    StartAtLogon(SettingsStore& settings, Prompter& prompts, RunKeys& keys, std::wstring directory)
        : settings_(settings), prompts_(prompts), keys_(keys), directory_(std::move(directory)) {}

    // At every start: writes or deletes the entry as the profile says;
    // returns whether the menu shows the check mark, which follows what the
    // system will do at the next logon: off when no Run key took the entry,
    // on when the machine-wide entry stays for want of rights to delete it
    // (the user is told so, once; owner of that box: `owner`).
    bool Sync(HWND owner = nullptr);

    // For a start that finds a copy running: takes the machine-wide entry
    // away when the profile says off and the rights allow (a start as
    // administrator, the remedy the stuck-entry message offers); touches
    // nothing otherwise.
    void ClearStuckEntry();

    // The menu command 开机自动启动: turns the switch on at once, or off
    // after asking (owner: `owner`). Changes the profile only; the registry
    // follows at the next start. Returns whether the check mark shows now.
    bool Toggle(HWND owner);

private:
    bool ProfileSaysOn();
    bool WriteAnywhere();
    bool DeleteEverywhere(HWND owner);

    SettingsStore& settings_;
    Prompter& prompts_;
    RunKeys& keys_;
    std::wstring directory_;
    bool toldStuck_ = false;
};

}  // namespace velmora
