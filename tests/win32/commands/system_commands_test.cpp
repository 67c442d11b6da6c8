// The system commands: the exact calls they make through the effects seam,
// the start page they leave in the registry, the monitor's second message a
// second later without blocking, the token privilege they enable, and real
// processes started through the platform's own StartProcess.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "commands/system_commands.h"
#include "commands/web_pages.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "support/fakes.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// Stand-in handles: the recorder only prints them.
const HWND kOwner = reinterpret_cast<HWND>(0xA0B0C);
const HICON kIcon = reinterpret_cast<HICON>(0x1234);

// Records through a RecordingEffects and, where a test needs it, answers
// like a failing system and notes when and in what state calls arrive.
class Probe final : public SystemEffects {
public:
    RecordingEffects recorder;
    std::optional<INT_PTR> shellExecuteAnswer;
    DWORD mciAnswer = 0;
    std::vector<SteadyClock::time_point> powerTimes;
    std::function<void()> onMci;

    INT_PTR ShellExecuteA(HWND owner, std::string_view verb, std::string_view file, std::string_view params,
                         std::string_view dir, int show) override {
        const INT_PTR answer = recorder.ShellExecuteA(owner, verb, file, params, dir, show);
        return shellExecuteAnswer.value_or(answer);
    }
    int ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) override {
        return recorder.ShellAboutA(owner, app, other, icon);
    }
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override { return recorder.ExitWindowsEx(flags, reason); }
    LRESULT MonitorPower(HWND owner, LPARAM state) override {
        powerTimes.push_back(SteadyClock::now());
        return recorder.MonitorPower(owner, state);
    }
    HRESULT SHEmptyRecycleBinA(HWND owner, DWORD flags) override { return recorder.SHEmptyRecycleBinA(owner, flags); }
    INT_PTR ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file, std::wstring_view params,
                         std::wstring_view dir, int show) override {
        return recorder.ShellExecuteW(owner, verb, file, params, dir, show);
    }
    BOOL SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) override {
        return recorder.SetDeskWallpaper(path, winIniFlags);
    }
    BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                    std::string_view file) override {
        return recorder.WritePrivateProfileStringA(section, key, value, file);
    }
    DWORD mciSendStringA(std::string_view command) override {
        if (onMci) onMci();
        recorder.mciSendStringA(command);
        return mciAnswer;
    }
    bool StartProcess(std::string_view commandLine, int show) override {
        return recorder.StartProcess(commandLine, show);
    }
};

// The commands made with the probe and recorded message boxes.
class CommandsRecorded : public ::testing::Test {
protected:
    Lines Calls() const { return probe_.recorder.Calls(); }
    Probe probe_;
    testing::RecordingPrompter prompts_;
    DeferredCalls later_;
    // Folders with a blank and a character outside ASCII, as a system may
    // have: the tools are started from there, by full, quoted path.
    SystemCommands commands_{probe_, prompts_, later_, {"D:\\系统 x\\System32", "D:\\系统 x"}};
};

// ---- the commands that are one or two seam calls ----

struct RecordedCase {
    const char* name;
    std::function<void(SystemCommands&)> run;
    Lines expected;
};

void PrintTo(const RecordedCase& c, std::ostream* os) { *os << c.name; }

class RecordedCalls : public CommandsRecorded, public ::testing::WithParamInterface<RecordedCase> {};

TEST_P(RecordedCalls, AreExactlyTheseInOrder) {
    GetParam().run(commands_);
    EXPECT_EQ(Calls(), GetParam().expected);
    EXPECT_TRUE(prompts_.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RecordedCalls,
    ::testing::Values(
        RecordedCase{"OpenMyComputer", [](SystemCommands& c) { c.OpenMyComputer(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"D:\\系统 x\\explorer.exe\", "
                      "\"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\", NULL, 1)"}},
        RecordedCase{"ExploreDriveC", [](SystemCommands& c) { c.ExploreDriveC(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"explore\", \"c:\\\", NULL, NULL, 1)"}},
        RecordedCase{"SearchDriveC", [](SystemCommands& c) { c.SearchDriveC(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"find\", \"c:\\\", NULL, NULL, 1)"}},
        // A web page opens with show state 0, unlike the places above.
        RecordedCase{"OpenWebPage", [](SystemCommands& c) { c.OpenWebPage(kOwner, "https://example.org/a?b=c&d=e"); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"https://example.org/a?b=c&d=e\", NULL, NULL, 0)"}},
        RecordedCase{"OpenWebNavigation", [](SystemCommands& c) { c.OpenWebNavigation(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"https://www.hao123.com/\", NULL, NULL, 0)"}},
        RecordedCase{"ShowAboutBox", [](SystemCommands& c) { c.ShowAboutBox(kOwner, kIcon); },
                     {"ShellAbout(00000000000A0B0C, \"Velmora V2.2  \", \"\", 0000000000001234)"}},
        // EWX_SHUTDOWN and EWX_REBOOT with EWX_FORCEIFHUNG: programs may save
        // their work; only those that do not answer are forced.
        RecordedCase{"ShutDown", [](SystemCommands& c) { c.ShutDown(); }, {"ExitWindowsEx(17, 0)"}},
        RecordedCase{"Restart", [](SystemCommands& c) { c.Restart(); }, {"ExitWindowsEx(18, 0)"}},
        RecordedCase{"LogOff", [](SystemCommands& c) { c.LogOff(); }, {"ExitWindowsEx(0, 0)"}},
        RecordedCase{"CdDoorOpen", [](SystemCommands& c) { c.SetCdDoor(true); },
                     {"mciSendString(\"set CDAudio door open\")"}},
        RecordedCase{"CdDoorClosed", [](SystemCommands& c) { c.SetCdDoor(false); },
                     {"mciSendString(\"set CDAudio door closed\")"}},
        RecordedCase{"ControlPanel", [](SystemCommands& c) { c.OpenControlPanel(); },
                     {"StartProcess(\"\"D:\\系统 x\\System32\\control.exe\"\", 1)"}},
        RecordedCase{"AddRemovePrograms", [](SystemCommands& c) { c.OpenAddRemovePrograms(); },
                     {"StartProcess(\"\"D:\\系统 x\\System32\\control.exe\" appwiz.cpl\", 2)"}},
        RecordedCase{"DateAndTime", [](SystemCommands& c) { c.OpenDateAndTime(); },
                     {"StartProcess(\"\"D:\\系统 x\\System32\\rundll32.exe\" shell32.dll,Control_RunDLL timedate.cpl\", 1)"}}),
    [](const ::testing::TestParamInfo<RecordedCase>& info) { return std::string(info.param.name); });

// ---- web navigation: the browser's start page ----

struct RegValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;  // exactly the stored length
};

RegValue ReadStartPage() {
    RegValue v;
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kStartPageKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return v;
    }
    UniqueRegKey key(raw);
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), kStartPageValue, nullptr, &v.type, nullptr, &size) != ERROR_SUCCESS) {
        return v;
    }
    v.bytes.assign(size, '\0');
    if (::RegQueryValueExA(key.get(), kStartPageValue, nullptr, &v.type,
                           reinterpret_cast<BYTE*>(v.bytes.data()), &size) != ERROR_SUCCESS) {
        return v;
    }
    v.bytes.resize(size);
    v.present = true;
    return v;
}

void WriteStartPage(const RegValue& v) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kStartPageKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    if (v.present) {
        ::RegSetValueExA(key.get(), kStartPageValue, 0, v.type,
                         reinterpret_cast<const BYTE*>(v.bytes.data()), static_cast<DWORD>(v.bytes.size()));
    } else {
        ::RegDeleteValueA(key.get(), kStartPageValue);
    }
}

TEST_F(CommandsRecorded, WebNavigationMakesTheSiteTheStartPageEvenWhenThePageDoesNotOpen) {
    const RegValue before = ReadStartPage();
    // A longer old value shows that the new one replaces it with its own
    // length rather than writing into it.
    WriteStartPage({true, REG_SZ, std::string("about:blank-a-longer-old-start-page") + '\0'});
    probe_.shellExecuteAnswer = SE_ERR_NOASSOC;

    commands_.OpenWebNavigation(kOwner);

    const RegValue after = ReadStartPage();
    WriteStartPage(before);
    ASSERT_TRUE(after.present);
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_SZ));
    const std::string address(web::kNavigationAddress);
    // The terminating NUL is stored with the address. (The system also
    // counts a NUL that directly follows data given without it, so this
    // catches a wrong length only when it is too long.)
    EXPECT_EQ(after.bytes.size(), address.size() + 1);
    EXPECT_EQ(after.bytes, address + '\0');
    EXPECT_EQ(Calls(), (Lines{"ShellExecute(00000000000A0B0C, \"open\", \"" + address + "\", NULL, NULL, 0)"}));
    EXPECT_TRUE(prompts_.boxes.empty());
}

// ---- the monitor ----

TEST_F(CommandsRecorded, MonitorOffSendsTheOffMessageTwiceASecondApartWithoutHoldingTheProgram) {
    const auto started = SteadyClock::now();
    commands_.MonitorOff(kOwner);
    // The program goes on at once: the second message waits in a timer.
    EXPECT_LT(SteadyClock::now() - started, 500ms);
    EXPECT_EQ(Calls(), (Lines{"MonitorPower(00000000000A0B0C, 2)"}));
    ASSERT_TRUE(testing::PumpUntil([&] { return probe_.powerTimes.size() == 2; }, 5s));
    EXPECT_EQ(Calls(), (Lines{"MonitorPower(00000000000A0B0C, 2)", "MonitorPower(00000000000A0B0C, 2)"}));
    // A timer may end a tick early; the pause is what matters, not its
    // precision.
    EXPECT_GE(probe_.powerTimes[1] - probe_.powerTimes[0], 900ms);
}

// ---- calculator and notepad ----

struct ToolCase {
    const char* name;
    void (SystemCommands::*start)(HWND);
    const char* commandLine;
    const wchar_t* missingText;
};

void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

class ToolStarts : public CommandsRecorded, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolStarts, FailureShowsOneInformationBoxAndTheProgramGoesOn) {
    probe_.recorder.SetStartSucceeds(false);
    const HWND owner = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    (commands_.*GetParam().start)(owner);
    // Reaching this line is the "goes on" part: nothing ended the process.
    EXPECT_EQ(Calls(), (Lines{"StartProcess(\"\"D:\\系统 x\\System32\\" + std::string(GetParam().commandLine) +
                              "\"\", 1)"}));
    ASSERT_EQ(prompts_.boxes.size(), 1u);
    EXPECT_EQ(prompts_.boxes[0].owner, owner);
    EXPECT_EQ(prompts_.boxes[0].text, GetParam().missingText);
    EXPECT_EQ(prompts_.boxes[0].title, L" Velmora ");
    EXPECT_EQ(prompts_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    ::DestroyWindow(owner);
}

TEST_P(ToolStarts, SuccessShowsNoBox) {
    probe_.recorder.SetStartSucceeds(true);
    (commands_.*GetParam().start)(kOwner);
    EXPECT_EQ(Calls(), (Lines{"StartProcess(\"\"D:\\系统 x\\System32\\" + std::string(GetParam().commandLine) +
                              "\"\", 1)"}));
    EXPECT_TRUE(prompts_.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, ToolStarts,
                         ::testing::Values(ToolCase{"Calculator", &SystemCommands::StartCalculator, "calc.exe",
                                                    L"对不起，您的操作系统没有安装计算器！"},
                                           ToolCase{"Notepad", &SystemCommands::StartNotepad, "notepad.exe",
                                                    L"对不起，您的操作系统没有安装记事本！"}),
                         [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

// ---- the shut-down privilege, in this process's real token ----

std::optional<bool> ShutdownPrivilegeEnabled() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return std::nullopt;
    UniqueKernelHandle token(raw);
    LUID luid{};
    if (!::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid)) return std::nullopt;
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), size, &size)) return std::nullopt;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
        if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart) {
            return (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    return std::nullopt;  // the token does not hold it at all
}

void DisableShutdownPrivilege() {
    HANDLE raw = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw));
    UniqueKernelHandle token(raw);
    TOKEN_PRIVILEGES off{};
    off.PrivilegeCount = 1;
    ASSERT_TRUE(::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &off.Privileges[0].Luid));
    off.Privileges[0].Attributes = 0;
    ASSERT_TRUE(::AdjustTokenPrivileges(token.get(), FALSE, &off, 0, nullptr, nullptr));
}

TEST_F(CommandsRecorded, ShutDownAndRestartEnableThePrivilegeInTheProcessToken) {
    for (void (SystemCommands::*command)() : {&SystemCommands::ShutDown, &SystemCommands::Restart}) {
        DisableShutdownPrivilege();
        ASSERT_EQ(ShutdownPrivilegeEnabled(), std::optional<bool>(false)) << "the token should hold it, disabled";
        (commands_.*command)();
        EXPECT_EQ(ShutdownPrivilegeEnabled(), std::optional<bool>(true));
    }
}

// The kernel hands out the lowest free handle slot again: an event made
// after the call lands where the token was only if the token was closed.
HANDLE NextFreeHandleSlot() {
    UniqueKernelHandle probe(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return probe.get();
}

TEST_F(CommandsRecorded, ShutDownClosesTheTokenItOpened) {
    commands_.ShutDown();
    const HANDLE free = NextFreeHandleSlot();
    for (int i = 0; i < 3; ++i) {
        commands_.ShutDown();
        EXPECT_EQ(NextFreeHandleSlot(), free) << "round " << i;
    }
}

// ---- real processes, through the platform's StartProcess ----

class CommandsRealProcess : public ::testing::Test {
protected:
    Win32SystemEffects system_;
    testing::RecordingPrompter prompts_;
    DeferredCalls later_;
    SystemCommands commands_{system_, prompts_, later_};
};

TEST_F(CommandsRealProcess, AMissingProgramReportsFailureQuietly) {
    EXPECT_FALSE(commands_.RunCommandLine("velmora-no-such-tool.exe", 1));
    EXPECT_FALSE(commands_.RunCommandLine("velmora-no-such-tool.exe --with arguments", 0));
    EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(CommandsRealProcess, ABuiltinFoundOnThePathRunsItsCommandLine) {
    testing::TempFolder folder;
    const std::wstring mark = folder.File(L"ran.txt");
    char line[MAX_PATH * 2];
    std::snprintf(line, sizeof line, "cmd.exe /c echo velmora-ran> \"%ls\"", mark.c_str());
    ASSERT_TRUE(commands_.RunCommandLine(line, 0));
    // The arguments reached the program: it wrote what it was told to.
    EXPECT_TRUE(testing::PumpUntil([&] { return testing::ReadBytes(mark).find("velmora-ran") != std::string::npos; },
                                   10s));
    EXPECT_TRUE(prompts_.boxes.empty());
}

// The window of the only notepad of this session, or nullptr.
HWND NotepadWindow() { return ::FindWindowW(L"Notepad", nullptr); }

TEST_F(CommandsRealProcess, TheShowStateReachesTheStartedProgram) {
    ASSERT_EQ(NotepadWindow(), nullptr) << "a notepad is already running";
    const auto started = SteadyClock::now();
    ASSERT_TRUE(commands_.RunCommandLine("notepad.exe", SW_SHOWMINNOACTIVE));
    // Notepad keeps running; returning at all shows nothing waited for it.
    EXPECT_LT(SteadyClock::now() - started, 5s);

    ASSERT_TRUE(testing::PumpUntil([] { return NotepadWindow() != nullptr; }, 15s)) << "notepad never appeared";
    const HWND notepad = NotepadWindow();
    DWORD pid = 0;
    ::GetWindowThreadProcessId(notepad, &pid);
    UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    ASSERT_TRUE(process);
    ::WaitForInputIdle(process.get(), 10000);
    testing::PumpUntil([&] { return ::IsWindowVisible(notepad) != FALSE; }, 5s);

    EXPECT_TRUE(::IsWindowVisible(notepad));
    EXPECT_TRUE(::IsIconic(notepad)) << "notepad did not start minimised";

    ::PostMessageW(notepad, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace velmora
