// Starting at logon, against the prefix's real registry: the entry each
// start writes or deletes, its stored length, the check mark, the menu
// toggle and its question, and the per-user key for a user without
// administrator rights.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app_dir.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/profile.h"
#include "shell/auto_start.h"
#include "shell/yindao.h"
#include "test_support.h"

namespace velmora {
namespace {

constexpr char kRunPath[] = "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\Run";

struct Entry {
    bool present = false;
    DWORD type = 0;
    DWORD stored = 0;  // cbData as the registry reports it
    std::string data;  // up to the first NUL
};

Entry ReadEntry(HKEY root) {
    Entry e;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, kRunPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return e;
    char buf[1024] = {};
    DWORD size = sizeof buf;
    if (::RegQueryValueExA(key, "velmorad", nullptr, &e.type, reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS) {
        e.present = true;
        e.stored = size;
        e.data = buf;
    }
    ::RegCloseKey(key);
    return e;
}

std::wstring ReadEntryWide(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, L"SOFTWARE\\Microsoft\\windows\\CurrentVersion\\Run", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return L"<no key>";
    }
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf - sizeof(wchar_t);
    const LSTATUS rc = ::RegQueryValueExW(key, L"velmorad", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::wstring(buf) : L"<missing>";
}

void PutEntry(HKEY root, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(root, kRunPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    ::RegSetValueExA(key, "velmorad", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
}

void RemoveEntry(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, kRunPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, "velmorad");
        ::RegCloseKey(key);
    }
}

// What Windows answers a user without administrator rights.
int g_refusals = 0;
LSTATUS WINAPI Refuse(HKEY, const char*, DWORD, REGSAM, HKEY* key) {
    ++g_refusals;
    *key = nullptr;
    return ERROR_ACCESS_DENIED;
}

// Records how the machine-wide key is asked for, then opens it for real.
REGSAM g_access = 0;
std::string g_openedPath;
LSTATUS WINAPI RecordAndOpen(HKEY root, const char* path, DWORD options, REGSAM access, HKEY* key) {
    g_access = access;
    g_openedPath = path;
    return ::RegOpenKeyExA(root, path, options, access, key);
}

struct Box {
    std::wstring text, title;
    UINT type;
};
std::vector<Box> g_boxes;
int g_answer = IDNO;
int Answer(HWND, const std::wstring& text, const std::wstring& title, UINT type) {
    g_boxes.push_back({text, title, type});
    return g_answer;
}

class AutoStart : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppDirectory(folder_.path());
        RemoveEntry(HKEY_LOCAL_MACHINE);
        RemoveEntry(HKEY_CURRENT_USER);
        g_boxes.clear();
        g_refusals = 0;
        SetMessageBoxHook(&Answer);
        ASSERT_TRUE(yindao_.Create());
        id_ = yindao_.MenuCommandId("kaijzdqd");
        ASSERT_NE(id_, 0u);
    }
    void TearDown() override {
        SetMachineRunKeyOpener(nullptr);
        SetMessageBoxHook(nullptr);
        SetAppDirectory(L"");
        RemoveEntry(HKEY_LOCAL_MACHINE);
        RemoveEntry(HKEY_CURRENT_USER);
    }
    void Profile(const char* value) { ASSERT_TRUE(ProfileWrite("Velmora", "开机自动运行", value)); }
    std::string Expected() const { return Narrow(folder_.path()) + "\\Velmora.exe"; }
    void Start() { SyncAutoStart(yindao_.cd(), id_); }
    bool Checked() const { return AutoStartChecked(yindao_.cd(), id_); }

    testing::TempFolder folder_;
    Yindao yindao_;
    UINT id_ = 0;
};

TEST_F(AutoStart, OnWritesTheMachineEntryWithItsNulAndChecksTheMenu) {
    Profile("1");
    g_access = 0;
    SetMachineRunKeyOpener(&RecordAndOpen);
    Start();
    EXPECT_EQ(g_access, 0x2003Fu);
    EXPECT_EQ(g_openedPath, kRunPath);
    const Entry e = ReadEntry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(e.present);
    EXPECT_EQ(e.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(e.data, Expected());
    EXPECT_EQ(e.stored, Expected().size() + 1);
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present);
    EXPECT_TRUE(Checked());
}

TEST_F(AutoStart, NumericOneInAnyFormCountsAsOn) {
    for (const char* on : {" 1 ", "01", "1.0"}) {
        RemoveEntry(HKEY_LOCAL_MACHINE);
        Profile(on);
        Start();
        EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present) << on;
        EXPECT_TRUE(Checked()) << on;
    }
}

TEST_F(AutoStart, AFolderWithABlankIsStoredInQuotes) {
    const std::wstring spaced = folder_.File(L"my apps");
    ASSERT_TRUE(::CreateDirectoryW(spaced.c_str(), nullptr));
    SetAppDirectory(spaced);
    Profile("1");
    Start();
    const Entry e = ReadEntry(HKEY_LOCAL_MACHINE);
    const std::string expected = "\"" + Narrow(spaced) + "\\Velmora.exe\"";
    EXPECT_EQ(e.data, expected);
    EXPECT_EQ(e.stored, expected.size() + 1);
    ::DeleteFileW((spaced + L"\\vlmr.INI").c_str());
    ::RemoveDirectoryW(spaced.c_str());
}

TEST_F(AutoStart, AChineseFolderIsStoredInTheSystemCodePage) {
    const std::wstring chinese = folder_.File(L"桌面工具");
    ASSERT_TRUE(::CreateDirectoryW(chinese.c_str(), nullptr));
    SetAppDirectory(chinese);
    Profile("1");
    Start();
    const Entry e = ReadEntry(HKEY_LOCAL_MACHINE);
    const std::string expected = ToCodePage(Narrow(chinese) + "\\Velmora.exe", 936);
    EXPECT_EQ(e.data, expected);
    EXPECT_EQ(e.stored, expected.size() + 1) << "GBK bytes and the NUL";
    ::DeleteFileW((chinese + L"\\vlmr.INI").c_str());
    ::RemoveDirectoryW(chinese.c_str());
}

TEST_F(AutoStart, AFolderTheCodePageCannotSpellIsStoredWhole) {
    // Question marks in its place would name a program that is not there.
    const std::wstring odd = folder_.File(L"t\u0105\u0119");
    ASSERT_TRUE(::CreateDirectoryW(odd.c_str(), nullptr));
    SetAppDirectory(odd);
    Profile("1");
    Start();
    EXPECT_EQ(ReadEntryWide(HKEY_LOCAL_MACHINE), odd + L"\\Velmora.exe");
    ::DeleteFileW((odd + L"\\vlmr.INI").c_str());
    ::RemoveDirectoryW(odd.c_str());
}

TEST_F(AutoStart, AnyOtherValueDeletesTheEntryFromBothKeysEveryStart) {
    for (const char* off : {"0", "2", "-1", "", "yes"}) {
        PutEntry(HKEY_LOCAL_MACHINE, "C:\\old\\Velmora.exe");
        PutEntry(HKEY_CURRENT_USER, "C:\\old\\Velmora.exe");
        Profile(off);
        Start();
        EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "'" << off << "'";
        EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present) << "'" << off << "'";
        EXPECT_FALSE(Checked());
    }
    // Nothing to delete: still fine, still unchecked.
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(Checked());
}

TEST_F(AutoStart, NoProfileFileCountsAsOff) {
    PutEntry(HKEY_LOCAL_MACHINE, "C:\\old\\Velmora.exe");
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(testing::FileExists(folder_.File(L"vlmr.INI")));
}

TEST_F(AutoStart, WithoutRightsToTheMachineKeyTheUserKeyHoldsTheEntry) {
    SetMachineRunKeyOpener(&Refuse);
    Profile("1");
    Start();
    EXPECT_GT(g_refusals, 0);
    const Entry user = ReadEntry(HKEY_CURRENT_USER);
    ASSERT_TRUE(user.present);
    EXPECT_EQ(user.data, Expected());
    EXPECT_EQ(user.stored, Expected().size() + 1);
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_TRUE(Checked());

    // Turned off, still without rights: the user's entry goes.
    Profile("0");
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present);
    EXPECT_FALSE(Checked());
}

TEST_F(AutoStart, WithRightsAgainALeftoverUserEntryMakesWayForTheMachineOne) {
    PutEntry(HKEY_CURRENT_USER, Expected());
    Profile("1");
    Start();
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present) << "the program would start twice";
}

TEST_F(AutoStart, MenuTurnsItOnAtOnceWithoutAskingAndLeavesTheRegistry) {
    Profile("0");
    Start();
    ASSERT_FALSE(Checked());
    yindao_.RunMenuEntry("kaijzdqd");
    EXPECT_TRUE(Checked());
    EXPECT_EQ(ProfileRead("Velmora", "开机自动运行"), "1");
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "written at the next start only";
    Start();
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present);
}

TEST_F(AutoStart, MenuAsksBeforeTurningItOffAndNoChangesNothing) {
    Profile("1");
    Start();
    ASSERT_TRUE(Checked());
    g_answer = IDNO;
    yindao_.RunMenuEntry("kaijzdqd");
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"确实要取消开机自动启动Velmora吗？");
    EXPECT_EQ(g_boxes[0].title, L"Velmora");
    EXPECT_EQ(g_boxes[0].type, static_cast<UINT>(MB_YESNO)) << "Yes and No, no icon";
    EXPECT_TRUE(Checked());
    EXPECT_EQ(ProfileRead("Velmora", "开机自动运行"), "1");

    g_answer = IDYES;
    yindao_.RunMenuEntry("kaijzdqd");
    EXPECT_EQ(g_boxes.size(), 2u);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(ProfileRead("Velmora", "开机自动运行"), "0");
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "deleted at the next start only";
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
}

}  // namespace
}  // namespace velmora
