#include "shell/auto_start.h"

#include <string>

#include "platform/text.h"
#include "shell/auto_start_rules.h"

namespace velmora {

namespace {

const std::string kPath(autostart::kRunKeyPath);
const std::string kValue(autostart::kRunValueName);

const wchar_t kStuckEntryText[] =
    L"没有权限删除本机的开机启动项，Velmora 仍会在登录时自动启动。\n"
    L"请在 Velmora.exe 上单击右键，选择“以管理员身份运行”一次，即可取消开机自动启动（Velmora 正在运行也可以）。";

bool WriteEntry(HKEY key, const RunEntryData& data) {
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

RunEntryData MakeRunEntryData(const std::wstring& folder, unsigned codePage, NarrowingCall convert) {
    RunEntryData data;
    data.wide = Widen(autostart::RunCommand(Narrow(folder)));
    if (std::optional<std::string> ansi = SpellInCodePage(data.wide, codePage, convert)) {
        data.ansi = std::move(*ansi);
    } else {
        data.needsWide = true;
    }
    return data;
}

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

bool SystemRunKeys::MachineHoldsEntry() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    UniqueRegKey owned(key);
    return ::RegQueryValueExA(key, kValue.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool StartAtLogon::ProfileSaysOn() { return ReadSwitch(settings_, autostart::kProfileKey); }

bool StartAtLogon::WriteAnywhere() {
    const RunEntryData data = MakeRunEntryData(directory_, ::GetACP());
    if (UniqueRegKey machine = keys_.OpenMachine(); machine && WriteEntry(machine.get(), data)) {
        // One entry is enough: a copy left from a run without rights
        // would start the program twice.
        DeleteEntry(keys_.OpenUser(false).get());
        return true;
    }
    UniqueRegKey user = keys_.OpenUser(true);
    return user && WriteEntry(user.get(), data);
}

bool StartAtLogon::DeleteEverywhere(HWND owner) {
    DeleteEntry(keys_.OpenMachine().get());
    DeleteEntry(keys_.OpenUser(false).get());
    if (!keys_.MachineHoldsEntry()) return false;
    // A user without administrator rights cannot take the machine-wide
    // entry away: the program still starts at logon, and says so.
    if (!toldStuck_) {
        toldStuck_ = true;
        prompts_.Show(owner, kStuckEntryText, L" Velmora ", MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

void StartAtLogon::ClearStuckEntry() {
    if (!ProfileSaysOn() && keys_.MachineHoldsEntry()) DeleteEntry(keys_.OpenMachine().get());
}

bool StartAtLogon::Sync(HWND owner) { return ProfileSaysOn() ? WriteAnywhere() : DeleteEverywhere(owner); }

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
