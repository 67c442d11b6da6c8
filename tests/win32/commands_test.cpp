// The system commands: the exact calls they make through the effects seam,
// the start page they leave in the registry, the CD caption they flip, the
// token privilege they enable, and real processes started through the
// platform's own StartProcess.
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

#include "launcher/cells.h"
#include "launcher/commands.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "shell/app_windows.h"
#include "shell/tray_icon.h"
#include "shell/yindao.h"
#include "test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
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
    std::vector<Clock::time_point> powerTimes;
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
        powerTimes.push_back(Clock::now());
        return recorder.MonitorPower(owner, state);
    }
    HRESULT SHEmptyRecycleBinA(HWND owner, DWORD flags) override { return recorder.SHEmptyRecycleBinA(owner, flags); }
    BOOL SetDeskWallpaper(std::string_view path, UINT winIniFlags) override {
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

struct Box {
    HWND owner;
    std::wstring text, title;
    UINT type;
};
std::vector<Box> g_boxes;
int RecordBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
    g_boxes.push_back({owner, text, title, type});
    return IDOK;
}

// Every test of the recorded commands runs with the probe and the box hook
// in place, and puts the real ones back however it ends.
class CommandsRecorded : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        SetEffects(&probe_);
        SetMessageBoxHook(&RecordBox);
    }
    void TearDown() override {
        SetEffects(nullptr);
        SetMessageBoxHook(nullptr);
    }
    Lines Calls() const { return probe_.recorder.Calls(); }
    Probe probe_;
};

// ---- the commands that are one or two seam calls ----

struct RecordedCase {
    const char* name;
    std::function<void()> run;
    Lines expected;
};

void PrintTo(const RecordedCase& c, std::ostream* os) { *os << c.name; }

class RecordedCalls : public CommandsRecorded, public ::testing::WithParamInterface<RecordedCase> {};

TEST_P(RecordedCalls, AreExactlyTheseInOrder) {
    GetParam().run();
    EXPECT_EQ(Calls(), GetParam().expected);
    EXPECT_TRUE(g_boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RecordedCalls,
    ::testing::Values(
        RecordedCase{"OpenMyComputer", [] { commands::OpenMyComputer(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"explorer\", "
                      "\"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\", NULL, 1)"}},
        RecordedCase{"ExploreDriveC", [] { commands::ExploreDriveC(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"explore\", \"c:\\\", NULL, NULL, 1)"}},
        RecordedCase{"SearchDriveC", [] { commands::SearchDriveC(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"find\", \"c:\\\", NULL, NULL, 1)"}},
        // A web page opens with show state 0, unlike the places above.
        RecordedCase{"OpenWebPage", [] { commands::OpenWebPage(kOwner, "https://example.org/a?b=c&d=e"); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"https://example.org/a?b=c&d=e\", NULL, NULL, 0)"}},
        RecordedCase{"OpenWebNavigation", [] { commands::OpenWebNavigation(kOwner); },
                     {"ShellExecute(00000000000A0B0C, \"open\", \"https://www.hao123.com/\", NULL, NULL, 0)"}},
        RecordedCase{"ShowAboutBox", [] { commands::ShowAboutBox(kOwner, kIcon); },
                     {"ShellAbout(00000000000A0B0C, \"Velmora V2.2  \", \"\", 0000000000001234)"}},
        RecordedCase{"ShutDown", [] { commands::ShutDown(); }, {"ExitWindowsEx(5, 0)"}},
        RecordedCase{"Restart", [] { commands::Restart(); }, {"ExitWindowsEx(6, 0)"}},
        RecordedCase{"RunCommandLine", [] { commands::RunCommandLine("control.exe appwiz.cpl", 2); },
                     {"StartProcess(\"control.exe appwiz.cpl\", 2)"}}),
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
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, commands::kStartPageKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return v;
    }
    UniqueRegKey key(raw);
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), commands::kStartPageValue, nullptr, &v.type, nullptr, &size) != ERROR_SUCCESS) {
        return v;
    }
    v.bytes.assign(size, '\0');
    if (::RegQueryValueExA(key.get(), commands::kStartPageValue, nullptr, &v.type,
                           reinterpret_cast<BYTE*>(v.bytes.data()), &size) != ERROR_SUCCESS) {
        return v;
    }
    v.bytes.resize(size);
    v.present = true;
    return v;
}

void WriteStartPage(const RegValue& v) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, commands::kStartPageKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    if (v.present) {
        ::RegSetValueExA(key.get(), commands::kStartPageValue, 0, v.type,
                         reinterpret_cast<const BYTE*>(v.bytes.data()), static_cast<DWORD>(v.bytes.size()));
    } else {
        ::RegDeleteValueA(key.get(), commands::kStartPageValue);
    }
}

TEST_F(CommandsRecorded, WebNavigationMakesTheSiteTheStartPageEvenWhenThePageDoesNotOpen) {
    const RegValue before = ReadStartPage();
    // A longer old value shows that the new one replaces it with its own
    // length rather than writing into it.
    WriteStartPage({true, REG_SZ, std::string("about:blank-a-longer-old-start-page") + '\0'});
    probe_.shellExecuteAnswer = SE_ERR_NOASSOC;

    commands::OpenWebNavigation(kOwner);

    const RegValue after = ReadStartPage();
    WriteStartPage(before);
    ASSERT_TRUE(after.present);
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_SZ));
    const std::string address(launcher::kWebNavigationAddress);
    // The terminating NUL is stored with the address. (The system also
    // counts a NUL that directly follows data given without it, so this
    // catches a wrong length only when it is too long.)
    EXPECT_EQ(after.bytes.size(), address.size() + 1);
    EXPECT_EQ(after.bytes, address + '\0');
    EXPECT_EQ(Calls(), (Lines{"ShellExecute(00000000000A0B0C, \"open\", \"" + address + "\", NULL, NULL, 0)"}));
    EXPECT_TRUE(g_boxes.empty());
}

// ---- the monitor ----

TEST_F(CommandsRecorded, MonitorOffSendsTheOffMessageTwiceASecondApart) {
    commands::MonitorOff(kOwner);
    EXPECT_EQ(Calls(), (Lines{"MonitorPower(00000000000A0B0C, 2)", "MonitorPower(00000000000A0B0C, 2)"}));
    ASSERT_EQ(probe_.powerTimes.size(), 2u);
    // Sleep may end a timer tick early; the pause is what matters, not its
    // precision.
    EXPECT_GE(probe_.powerTimes[1] - probe_.powerTimes[0], 900ms);
}

// ---- the CD tray and its caption ----

class CommandsCdTray : public CommandsRecorded {
protected:
    void SetUp() override {
        CommandsRecorded::SetUp();
        label3_ = ::CreateWindowW(L"STATIC", commands::kOpenCdCaption, WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(label3_, nullptr);
        probe_.onMci = [this] { captionsAtMci_.push_back(Caption()); };
        // What Wine answers where there is no drive: cannot load the driver.
        probe_.mciAnswer = 266;
    }
    void TearDown() override {
        ::DestroyWindow(label3_);
        CommandsRecorded::TearDown();
    }
    std::wstring Caption() const {
        wchar_t text[64] = {};
        ::GetWindowTextW(label3_, text, 64);
        return text;
    }
    HWND label3_ = nullptr;
    std::vector<std::wstring> captionsAtMci_;
};

TEST_F(CommandsCdTray, AlternatesOpenAndCloseChangingTheCaptionFirstWhateverTheDriveAnswers) {
    const std::string open = "mciSendString(\"set CDAudio door open\")";
    const std::string closed = "mciSendString(\"set CDAudio door closed\")";

    commands::ToggleCdTray(label3_);
    EXPECT_EQ(Calls(), (Lines{open}));
    EXPECT_EQ(Caption(), commands::kCloseCdCaption);

    commands::ToggleCdTray(label3_);
    EXPECT_EQ(Calls(), (Lines{open, closed}));
    EXPECT_EQ(Caption(), commands::kOpenCdCaption);

    commands::ToggleCdTray(label3_);
    EXPECT_EQ(Calls(), (Lines{open, closed, open}));
    EXPECT_EQ(Caption(), commands::kCloseCdCaption);

    // The caption had already changed when each door command went out.
    EXPECT_EQ(captionsAtMci_, (std::vector<std::wstring>{commands::kCloseCdCaption, commands::kOpenCdCaption,
                                                         commands::kCloseCdCaption}));
}

TEST_F(CommandsCdTray, AnyOtherCaptionDoesNothing) {
    for (const wchar_t* other : {L"光驱", L"", L"打开光驱 ", L"open"}) {
        ::SetWindowTextW(label3_, other);
        commands::ToggleCdTray(label3_);
        EXPECT_EQ(Caption(), other);
    }
    EXPECT_TRUE(Calls().empty());
}

// ---- calculator and notepad ----

struct ToolCase {
    const char* name;
    void (*start)(HWND);
    const char* commandLine;
    const wchar_t* missingText;
};

void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

class ToolStarts : public CommandsRecorded, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolStarts, FailureShowsOneInformationBoxAndTheProgramGoesOn) {
    probe_.recorder.SetStartSucceeds(false);
    const HWND owner = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    GetParam().start(owner);
    // Reaching this line is the "goes on" part: nothing ended the process.
    EXPECT_EQ(Calls(), (Lines{"StartProcess(\"" + std::string(GetParam().commandLine) + "\", 1)"}));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, owner);
    EXPECT_EQ(g_boxes[0].text, GetParam().missingText);
    EXPECT_EQ(g_boxes[0].title, L" Velmora ");
    EXPECT_EQ(g_boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    ::DestroyWindow(owner);
}

TEST_P(ToolStarts, SuccessShowsNoBox) {
    probe_.recorder.SetStartSucceeds(true);
    GetParam().start(kOwner);
    EXPECT_EQ(Calls(), (Lines{"StartProcess(\"" + std::string(GetParam().commandLine) + "\", 1)"}));
    EXPECT_TRUE(g_boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, ToolStarts,
                         ::testing::Values(ToolCase{"Calculator", &commands::StartCalculator, "calc.exe",
                                                    L"对不起，您的操作系统没有安装计算器！"},
                                           ToolCase{"Notepad", &commands::StartNotepad, "notepad.exe",
                                                    L"对不起，您的操作系统没有安装记事本！"}),
                         [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

// ---- log-off ----

struct LogOffTrace {
    Probe* probe = nullptr;
    HWND yindao = nullptr;
    Lines callsWhenYindaoClosed;
    bool yindaoClosed = false;
    int endings = 0;
    bool yindaoGoneAtEnding = false;
    size_t callsAtEnding = 0;
};
LogOffTrace g_logOff;

LRESULT CALLBACK YindaoStandInProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        g_logOff.yindaoClosed = true;
        g_logOff.callsWhenYindaoClosed = g_logOff.probe->recorder.Calls();
        ::DestroyWindow(hwnd);
        return 0;
    }
    if (msg == WM_DESTROY) ForgetLiveWindow(WindowKind::yindao, hwnd);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void RecordEnding() {
    ++g_logOff.endings;
    g_logOff.yindaoGoneAtEnding = !::IsWindow(g_logOff.yindao) && LiveWindow(WindowKind::yindao) == nullptr;
    g_logOff.callsAtEnding = g_logOff.probe->recorder.Calls().size();
}

// Whether the notification area holds an icon for (hwnd, id): modifying a
// missing icon fails.
bool IconExists(HWND hwnd, UINT id) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = hwnd;
    probe.uID = id;
    probe.uFlags = NIF_TIP;
    lstrcpyA(probe.szTip, "Velmora");
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST_F(CommandsRecorded, LogOffAsksFirstThenClosesYindaoThenEndsTheProcessLeavingTheIcon) {
    g_logOff = {};
    g_logOff.probe = &probe_;
    WNDCLASSW wc{};
    wc.lpfnWndProc = YindaoStandInProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraTestYindaoStandIn";
    ::RegisterClassW(&wc);
    g_logOff.yindao = ::CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      wc.hInstance, nullptr);
    ASSERT_NE(g_logOff.yindao, nullptr);
    RegisterLiveWindow(WindowKind::yindao, g_logOff.yindao);

    // The program's icon, on a window of its own so that closing the
    // stand-in cannot take it away.
    const HWND iconOwner = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(InstallTrayIcon(iconOwner, ::LoadIconW(nullptr, IDI_APPLICATION)));
    ASSERT_TRUE(IconExists(iconOwner, kTrayIconId));

    Yindao::SetProcessEnder(&RecordEnding);
    commands::LogOff();
    Yindao::SetProcessEnder(nullptr);

    EXPECT_EQ(Calls(), (Lines{"ExitWindowsEx(0, 0)"}));
    EXPECT_TRUE(g_logOff.yindaoClosed);
    EXPECT_EQ(g_logOff.callsWhenYindaoClosed, (Lines{"ExitWindowsEx(0, 0)"}));
    EXPECT_EQ(g_logOff.endings, 1);
    EXPECT_TRUE(g_logOff.yindaoGoneAtEnding);
    EXPECT_EQ(g_logOff.callsAtEnding, 1u);
    EXPECT_TRUE(IconExists(iconOwner, kTrayIconId)) << "log-off removed the tray icon";

    RemoveTrayIcon();
    ::DestroyWindow(iconOwner);
    if (::IsWindow(g_logOff.yindao)) ::DestroyWindow(g_logOff.yindao);
}

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

TEST(CommandsPrivilege, EnableShutdownPrivilegeEnablesItInTheProcessToken) {
    DisableShutdownPrivilege();
    ASSERT_EQ(ShutdownPrivilegeEnabled(), std::optional<bool>(false)) << "the token should hold it, disabled";
    commands::EnableShutdownPrivilege();
    EXPECT_EQ(ShutdownPrivilegeEnabled(), std::optional<bool>(true));
}

// The kernel hands out the lowest free handle slot again: an event made
// after the call lands where the token was only if the token was closed.
HANDLE NextFreeHandleSlot() {
    UniqueKernelHandle probe(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return probe.get();
}

TEST(CommandsPrivilege, EnableShutdownPrivilegeClosesTheToken) {
    commands::EnableShutdownPrivilege();
    const HANDLE free = NextFreeHandleSlot();
    for (int i = 0; i < 3; ++i) {
        commands::EnableShutdownPrivilege();
        EXPECT_EQ(NextFreeHandleSlot(), free) << "round " << i;
    }
}

// ---- real processes, through the platform's StartProcess ----

class CommandsRealProcess : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        SetEffects(nullptr);
        SetMessageBoxHook(&RecordBox);
    }
    void TearDown() override { SetMessageBoxHook(nullptr); }
};

TEST_F(CommandsRealProcess, AMissingProgramReportsFailureQuietly) {
    EXPECT_FALSE(commands::RunCommandLine("velmora-no-such-tool.exe", 1));
    EXPECT_FALSE(commands::RunCommandLine("velmora-no-such-tool.exe --with arguments", 0));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(CommandsRealProcess, ABuiltinFoundOnThePathRunsItsCommandLine) {
    testing::TempFolder folder;
    const std::wstring mark = folder.File(L"ran.txt");
    char line[MAX_PATH * 2];
    std::snprintf(line, sizeof line, "cmd.exe /c echo velmora-ran> \"%ls\"", mark.c_str());
    ASSERT_TRUE(commands::RunCommandLine(line, 0));
    // The arguments reached the program: it wrote what it was told to.
    EXPECT_TRUE(testing::PumpUntil([&] { return testing::ReadBytes(mark).find("velmora-ran") != std::string::npos; },
                                   10s));
    EXPECT_TRUE(g_boxes.empty());
}

// The window of the only notepad of this session, or nullptr.
HWND NotepadWindow() { return ::FindWindowW(L"Notepad", nullptr); }

TEST_F(CommandsRealProcess, TheShowStateReachesTheStartedProgram) {
    ASSERT_EQ(NotepadWindow(), nullptr) << "a notepad is already running";
    const auto started = Clock::now();
    ASSERT_TRUE(commands::RunCommandLine("notepad.exe", SW_SHOWMINNOACTIVE));
    // Notepad keeps running; returning at all shows nothing waited for it.
    EXPECT_LT(Clock::now() - started, 5s);

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
