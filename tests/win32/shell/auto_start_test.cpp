// Starting at logon, against the prefix's real registry: the entry each
// start writes or deletes, its stored length, the check mark, the menu
// toggle and its question, and the per-user key for a user without
// administrator rights.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "settings/profile_file.h"
#include "shell/auto_start.h"
#include "support/fakes.h"
#include "support/test_support.h"

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

// The real Run keys, with the machine-wide one refusing when asked to, as
// Windows does for a user without administrator rights.
class TestRunKeys final : public RunKeys {
public:
    UniqueRegKey OpenMachine() override {
        ++machineOpens;
        if (refuseMachine) return UniqueRegKey();
        return system.OpenMachine();
    }
    UniqueRegKey OpenUser(bool create) override {
        if (refuseUser) return UniqueRegKey();
        return system.OpenUser(create);
    }
    bool MachineHoldsEntry() override { return system.MachineHoldsEntry(); }
    SystemRunKeys system;
    bool refuseMachine = false;
    bool refuseUser = false;
    int machineOpens = 0;
};

class AutoStart : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveEntry(HKEY_LOCAL_MACHINE);
        RemoveEntry(HKEY_CURRENT_USER);
        prompts_.answer = IDNO;
    }
    void TearDown() override {
        RemoveEntry(HKEY_LOCAL_MACHINE);
        RemoveEntry(HKEY_CURRENT_USER);
    }
    void Profile(const char* value) { ASSERT_TRUE(profile_.Write("开机自动运行", value)); }
    std::string Expected() const { return Narrow(folder_.path()) + "\\Velmora.exe"; }
    // A start of the program in `directory` (the test's folder by default).
    void Start(const std::wstring& directory = {}) {
        checked_ = StartAtLogon(profile_, prompts_, keys_, directory.empty() ? folder_.path() : directory).Sync();
    }
    // The menu command.
    void Toggle() { checked_ = StartAtLogon(profile_, prompts_, keys_, folder_.path()).Toggle(nullptr); }
    bool Checked() const { return checked_; }

    testing::TempFolder folder_;
    ProfileFile profile_{folder_.File(L"vlmr.INI")};
    testing::RecordingPrompter prompts_;
    TestRunKeys keys_;
    bool checked_ = false;
};

TEST_F(AutoStart, OnWritesTheMachineEntryWithItsNulAndChecksTheMenu) {
    Profile("1");
    Start();
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
    Profile("1");
    Start(spaced);
    const Entry e = ReadEntry(HKEY_LOCAL_MACHINE);
    const std::string expected = "\"" + Narrow(spaced) + "\\Velmora.exe\"";
    EXPECT_EQ(e.data, expected);
    EXPECT_EQ(e.stored, expected.size() + 1);
    ::RemoveDirectoryW(spaced.c_str());
}

TEST_F(AutoStart, AChineseFolderIsStoredInTheSystemCodePage) {
    const std::wstring chinese = folder_.File(L"桌面工具");
    ASSERT_TRUE(::CreateDirectoryW(chinese.c_str(), nullptr));
    Profile("1");
    Start(chinese);
    const Entry e = ReadEntry(HKEY_LOCAL_MACHINE);
    const std::string expected = ToCodePage(Narrow(chinese) + "\\Velmora.exe", 936);
    EXPECT_EQ(e.data, expected);
    EXPECT_EQ(e.stored, expected.size() + 1) << "GBK bytes and the NUL";
    ::RemoveDirectoryW(chinese.c_str());
}

TEST_F(AutoStart, AFolderTheCodePageCannotSpellIsStoredWhole) {
    // Question marks in its place would name a program that is not there.
    const std::wstring odd = folder_.File(L"t\u0105\u0119");
    ASSERT_TRUE(::CreateDirectoryW(odd.c_str(), nullptr));
    Profile("1");
    Start(odd);
    EXPECT_EQ(ReadEntryWide(HKEY_LOCAL_MACHINE), odd + L"\\Velmora.exe");
    ::RemoveDirectoryW(odd.c_str());
}

// WideCharToMultiByte as Windows has it for UTF-8 and UTF-7: any flag but
// WC_ERR_INVALID_CHARS, or asking whether the default character was used,
// fails the call. (Wine's conversion lets both pass.)
int __stdcall NarrowLikeWindows(unsigned codePage, unsigned long flags, const wchar_t* text, int length, char* out,
                                int outSize, const char* defaultChar, int* usedDefault) {
    if (codePage == CP_UTF8 || codePage == CP_UTF7) {
        if (flags & ~static_cast<unsigned long>(WC_ERR_INVALID_CHARS)) {
            ::SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (defaultChar || usedDefault) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    }
    return ::WideCharToMultiByte(codePage, flags, text, length, out, outSize, defaultChar, usedDefault);
}

TEST(AutoStartData, UnderUtf8AsTheAnsiCodePageTheFolderIsKeptInUtf8) {
    // Windows' "UTF-8 for worldwide language support": the conversion must
    // not be handed what that code page refuses, or only "\Velmora.exe"
    // would be left.
    const RunEntryData data = MakeRunEntryData(L"D:\\工具 xą", 65001, &NarrowLikeWindows);
    EXPECT_FALSE(data.needsWide);
    EXPECT_EQ(data.ansi, "\"D:\\工具 xą\\Velmora.exe\"");
    EXPECT_EQ(MakeRunEntryData(L"D:\\Tools", 65001, &NarrowLikeWindows).ansi, "D:\\Tools\\Velmora.exe");
    EXPECT_EQ(MakeRunEntryData(L"D:\\Tools", 65001).ansi, "D:\\Tools\\Velmora.exe") << "the system's own call";
}

TEST(AutoStartData, UnderGbkTheFolderIsInGbkOrWideWhereGbkCannotSpellIt) {
    const RunEntryData chinese = MakeRunEntryData(L"D:\\工具", 936, &NarrowLikeWindows);
    EXPECT_FALSE(chinese.needsWide);
    EXPECT_EQ(chinese.ansi, "D:\\\xB9\xA4\xBE\xDF\\Velmora.exe");
    const RunEntryData polish = MakeRunEntryData(L"D:\\tą", 936);
    EXPECT_TRUE(polish.needsWide);
    EXPECT_EQ(polish.wide, L"D:\\tą\\Velmora.exe");
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
    keys_.refuseMachine = true;
    Profile("1");
    Start();
    EXPECT_GT(keys_.machineOpens, 0);
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

TEST_F(AutoStart, WhenNeitherKeyTakesTheEntryTheMenuIsNotChecked) {
    keys_.refuseMachine = true;
    keys_.refuseUser = true;
    Profile("1");
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present);
    EXPECT_FALSE(Checked()) << "nothing will start the program at logon";
    EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(AutoStart, AMachineEntryThatCannotBeDeletedKeepsTheCheckAndIsToldOnce) {
    PutEntry(HKEY_LOCAL_MACHINE, Expected());
    PutEntry(HKEY_CURRENT_USER, Expected());
    keys_.refuseMachine = true;
    Profile("0");
    StartAtLogon run(profile_, prompts_, keys_, folder_.path());
    EXPECT_TRUE(run.Sync()) << "the program still starts at logon";
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present) << "the user's own entry goes all the same";
    ASSERT_EQ(prompts_.boxes.size(), 1u);
    EXPECT_EQ(prompts_.boxes[0].title, L" Velmora ");
    EXPECT_EQ(prompts_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_NE(prompts_.boxes[0].text.find(L"管理员"), std::wstring::npos) << "says what would remove it";

    EXPECT_TRUE(run.Sync());
    EXPECT_EQ(prompts_.boxes.size(), 1u) << "told once";

    // With rights again the entry goes, silently.
    keys_.refuseMachine = false;
    EXPECT_FALSE(run.Sync());
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_EQ(prompts_.boxes.size(), 1u);
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
    Toggle();
    EXPECT_TRUE(Checked());
    EXPECT_EQ(profile_.Read("开机自动运行"), "1");
    EXPECT_TRUE(prompts_.boxes.empty());
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "written at the next start only";
    Start();
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present);
}

TEST_F(AutoStart, MenuAsksBeforeTurningItOffAndNoChangesNothing) {
    Profile("1");
    Start();
    ASSERT_TRUE(Checked());
    prompts_.answer = IDNO;
    Toggle();
    ASSERT_EQ(prompts_.boxes.size(), 1u);
    EXPECT_EQ(prompts_.boxes[0].text, L"确实要取消开机自动启动Velmora吗？");
    EXPECT_EQ(prompts_.boxes[0].title, L"Velmora");
    EXPECT_EQ(prompts_.boxes[0].type, static_cast<UINT>(MB_YESNO)) << "Yes and No, no icon";
    EXPECT_TRUE(Checked());
    EXPECT_EQ(profile_.Read("开机自动运行"), "1");

    prompts_.answer = IDYES;
    Toggle();
    EXPECT_EQ(prompts_.boxes.size(), 2u);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(profile_.Read("开机自动运行"), "0");
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "deleted at the next start only";
    Start();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
}

// The remedy the stuck-entry message offers, taken by a start that finds a
// copy running: only with rights, only when the profile says off, and
// without a word or any other change.
TEST_F(AutoStart, AStartBesideARunningCopyClearsTheStuckEntryOnlyWithRightsAndWhenOff) {
    PutEntry(HKEY_LOCAL_MACHINE, Expected());
    Profile("0");
    StartAtLogon second(profile_, prompts_, keys_, folder_.path());
    keys_.refuseMachine = true;
    second.ClearStuckEntry();
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "a plain start has no rights";
    keys_.refuseMachine = false;
    Profile("1");
    second.ClearStuckEntry();
    EXPECT_TRUE(ReadEntry(HKEY_LOCAL_MACHINE).present) << "the user wants it";
    Profile("0");
    second.ClearStuckEntry();
    EXPECT_FALSE(ReadEntry(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadEntry(HKEY_CURRENT_USER).present) << "nothing written in its place";
    EXPECT_TRUE(prompts_.boxes.empty());
}

}  // namespace
}  // namespace velmora
