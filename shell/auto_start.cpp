#include "shell/auto_start.h"

#include <string>

#include "shell/auto_start_rules.h"

namespace velmora {

namespace {

const std::string kPath(autostart::kRunKeyPath);
const std::string kValue(autostart::kRunValueName);

// The command in the form the entry stores. The registry's ANSI side is the
// system code page; a folder that code page cannot spell would be stored as
// question marks and never start, so that one is stored as UTF-16.
struct RunData {
    std::string ansi;
    std::wstring wide;
    bool needsWide = false;
};

RunData MakeRunData(const std::wstring& folder) {
    RunData data;
    data.wide = folder + L"\\" + L"Velmora.exe";
    const bool blank = folder.find(L' ') != std::wstring::npos || folder.find(L'\t') != std::wstring::npos;
    if (blank) data.wide = L"\"" + data.wide + L"\"";
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), static_cast<int>(folder.size()),
                                        nullptr, 0, nullptr, &lossy);
    std::string ansiFolder(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), static_cast<int>(folder.size()),
                              ansiFolder.data(), n, nullptr, &lossy);
    }
    data.needsWide = lossy != FALSE;
    data.ansi = autostart::RunCommand(ansiFolder);
    return data;
}

bool WriteEntry(HKEY key, const RunData& data) {
    if (data.needsWide) {
        return ::RegSetValueExW(key, L"velmorad", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.wide.c_str()),
                                static_cast<DWORD>((data.wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    return ::RegSetValueExA(key, kValue.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.ansi.c_str()),
                            static_cast<DWORD>(autostart::StoredLength(data.ansi))) == ERROR_SUCCESS;
}

void DeleteEntry(HKEY key) {
    if (key) ::RegDeleteValueA(key, kValue.c_str());
}

}  // namespace

UniqueRegKey SystemRunKeys::OpenMachine() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath.c_str(), 0, autostart::kRunKeyAccess, &key) != ERROR_SUCCESS) {
        return UniqueRegKey();
    }
    return UniqueRegKey(key);
}

UniqueRegKey SystemRunKeys::OpenUser(bool create) {
    HKEY key = nullptr;
    const LSTATUS rc = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, kPath.c_str(), 0, nullptr, 0,
                                                  KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key, nullptr)
                              : ::RegOpenKeyExA(HKEY_CURRENT_USER, kPath.c_str(), 0, KEY_SET_VALUE, &key);
    return rc == ERROR_SUCCESS ? UniqueRegKey(key) : UniqueRegKey();
}

bool StartAtLogon::ProfileSaysOn() { return ReadSwitch(settings_, autostart::kProfileKey); }

bool StartAtLogon::Sync() {
    const bool on = ProfileSaysOn();
    UniqueRegKey machine = keys_.OpenMachine();
    if (on) {
        const RunData data = MakeRunData(directory_);
        if (machine && WriteEntry(machine.get(), data)) {
            // One entry is enough: a copy left from a run without rights
            // would start the program twice.
            DeleteEntry(keys_.OpenUser(false).get());
        } else if (UniqueRegKey user = keys_.OpenUser(true)) {
            WriteEntry(user.get(), data);
        }
    } else {
        DeleteEntry(machine.get());
        DeleteEntry(keys_.OpenUser(false).get());
    }
    return on;
}

bool StartAtLogon::Toggle(HWND owner) {
    if (!ProfileSaysOn()) {
        settings_.Write(autostart::kProfileKey, "1");
        return true;
    }
    const int answer = prompts_.Show(owner, L"确实要取消开机自动启动Velmora吗？", L"Velmora", MB_YESNO);
    if (answer != IDYES) return true;
    settings_.Write(autostart::kProfileKey, "0");
    return false;
}

}  // namespace velmora
