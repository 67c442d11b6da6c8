// The profile file as other programs and the disk see it: its bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/handles.h"
#include "platform/text.h"
#include "settings/profile_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using testing::FileExists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// GBK bytes, spelled out so that the expectations do not go through the
// converter under test.
const std::string kAutoStartGbk = "\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0";  // 开机自动运行
const std::string kQuarterHourGbk = "\xC3\xBF\xD2\xBB\xBF\xCC\xD6\xD3";                // 每一刻钟

class ProfileOnDisk : public ::testing::Test {
protected:
    std::wstring Path() const { return folder_.File(L"vlmr.INI"); }

    TempFolder folder_;
    ProfileFile profile_{folder_.File(L"vlmr.INI")};
};

TEST_F(ProfileOnDisk, ReadsWhatAnotherProgramWroteInGbk) {
    // Written the way the platform's own writer does it on a Chinese system.
    const std::string ansiPath = ToCodePage(Narrow(Path()), CP_ACP);
    ASSERT_EQ(::GetACP(), 936u) << "tests expect a Simplified Chinese system";
    ASSERT_TRUE(::WritePrivateProfileStringA("Velmora", kAutoStartGbk.c_str(), "1", ansiPath.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringA("Velmora", "sj", kQuarterHourGbk.c_str(), ansiPath.c_str()));
    ASSERT_NE(ReadBytes(Path()).find(kAutoStartGbk + "=1"), std::string::npos);

    EXPECT_EQ(profile_.Read("开机自动运行"), "1");
    EXPECT_EQ(profile_.Read("sj"), "每一刻钟");
    EXPECT_EQ(profile_.Read("SJ"), "每一刻钟");
    EXPECT_EQ(profile_.Read("xz"), "");
}

TEST_F(ProfileOnDisk, WhatItWritesThePlatformReaderReadsBack) {
    ASSERT_TRUE(profile_.Write("开机自动运行", "1"));
    ASSERT_TRUE(profile_.Write("sj", "每一刻钟"));
    const std::string ansiPath = ToCodePage(Narrow(Path()), CP_ACP);
    char buf[128] = {};
    ::GetPrivateProfileStringA("Velmora", kAutoStartGbk.c_str(), "", buf, sizeof buf, ansiPath.c_str());
    EXPECT_STREQ(buf, "1");
    ::GetPrivateProfileStringA("Velmora", "sj", "", buf, sizeof buf, ansiPath.c_str());
    EXPECT_EQ(std::string(buf), kQuarterHourGbk);
}

TEST_F(ProfileOnDisk, FirstWriteCreatesTheFileWithItsSectionInGbk) {
    ASSERT_FALSE(FileExists(Path()));
    ASSERT_TRUE(profile_.Write("开机自动运行", "1"));
    EXPECT_EQ(ReadBytes(Path()), "[Velmora]\r\n" + kAutoStartGbk + "=1\r\n");
    // No temporary file is left beside it.
    WIN32_FIND_DATAW fd;
    UniqueFind find(::FindFirstFileW(folder_.File(L"*.tmp").c_str(), &fd));
    EXPECT_FALSE(find);
}

TEST_F(ProfileOnDisk, RewritingAKeyKeepsOneLineAndTheRestOfTheFile) {
    WriteBytes(Path(), "; kept\r\n[Other]\r\nzdy=1\r\n[velmora]\r\nZDY = 10 \r\nsx=2\r\n");
    ASSERT_TRUE(profile_.Write("zdy", "30"));
    ASSERT_TRUE(profile_.Write("zdy", "30"));
    EXPECT_EQ(ReadBytes(Path()), "; kept\r\n[Other]\r\nzdy=1\r\n[velmora]\r\nZDY=30\r\nsx=2\r\n");
    EXPECT_EQ(profile_.Read("zdy"), "30");
}

TEST_F(ProfileOnDisk, MissingFileReadsEmptyAndCreatesNothing) {
    EXPECT_EQ(profile_.Read("qhzm"), "");
    EXPECT_FALSE(FileExists(Path()));
}

TEST_F(ProfileOnDisk, BlanksAroundValuesAreIgnored) {
    WriteBytes(Path(), "[Velmora]\r\nxz=   3   \r\n\tsx\t=\t2\t\r\n");
    EXPECT_EQ(profile_.Read("xz"), "3");
    EXPECT_EQ(profile_.Read("sx"), "2");
}

TEST_F(ProfileOnDisk, NameIsMatchedWithoutRegardToCase) {
    WriteBytes(folder_.File(L"VLMR.ini"), "[Velmora]\r\nxz=1\r\n");
    EXPECT_EQ(profile_.Read("xz"), "1");
    ASSERT_TRUE(profile_.Write("xz", "3"));
    // The user's file was updated under its own name, not duplicated.
    EXPECT_EQ(ReadBytes(folder_.File(L"VLMR.ini")), "[Velmora]\r\nxz=3\r\n");
}

TEST_F(ProfileOnDisk, ReadsAtMost127BytesAndWritesAtMost128Characters) {
    ASSERT_TRUE(profile_.Write("zdy", std::string(300, '7')));
    EXPECT_EQ(ReadBytes(Path()), "[Velmora]\r\nzdy=" + std::string(128, '7') + "\r\n");
    EXPECT_EQ(profile_.Read("zdy"), std::string(127, '7'));
    // 64 Chinese characters are 128 bytes in GBK: the last one does not fit.
    std::string chinese;
    for (int i = 0; i < 64; ++i) chinese += "中";
    ASSERT_TRUE(profile_.Write("sj", chinese));
    EXPECT_EQ(profile_.Read("sj"), chinese.substr(0, 63 * 3));
}

TEST_F(ProfileOnDisk, AValueCannotAddLines) {
    ASSERT_TRUE(profile_.Write("zdy", "30\r\nqhzm=1"));
    EXPECT_EQ(profile_.Read("zdy"), "30");
    EXPECT_EQ(profile_.Read("qhzm"), "");
}

TEST_F(ProfileOnDisk, KillingTheWriterNeverLeavesATruncatedFile) {
    // A big profile widens the window in which a kill can hit a write.
    std::string filler = "[Velmora]\r\nzdy=45\r\n";
    for (int i = 0; i < 4000; ++i) filler += "[Other" + std::to_string(i) + "]\r\nkey=value value value\r\n";
    WriteBytes(Path(), filler);
    const size_t expectedSize = filler.size();

    // A program of its own that rewrites the profile without end.
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring writer = self;
    writer = writer.substr(0, writer.find_last_of(L'\\') + 1) + L"profile_writer.exe";
    std::mt19937 random(12345);
    int killedWhileRunning = 0;
    for (int round = 0; round < 12; ++round) {
        std::wstring cmd = L"\"" + writer + L"\" \"" + Path() + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
        // Backdate the file: a later time afterwards proves that it was rewritten.
        {
            UniqueFile f(::CreateFileW(Path().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                       FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
            FILETIME old{0x2D0B8000, 0x01BF53EB};  // 2000-01-01
            ::SetFileTime(f.get(), nullptr, nullptr, &old);
        }
        // Once the writer has replaced the file at least once (a busy
        // machine may take a while to start it), kill it at a random moment.
        const auto rewritten = [&] {
            WIN32_FILE_ATTRIBUTE_DATA now{};
            return ::GetFileAttributesExW(Path().c_str(), GetFileExInfoStandard, &now) &&
                   now.ftLastWriteTime.dwHighDateTime > 0x01BF53EBu;
        };
        for (int wait = 0; wait < 500 && !rewritten(); ++wait) ::Sleep(10);
        ::Sleep(random() % 250);
        if (::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) ++killedWhileRunning;
        ::TerminateProcess(process.get(), 9);
        ::WaitForSingleObject(process.get(), 5000);

        const std::string now = ReadBytes(Path());
        ASSERT_EQ(now.size(), expectedSize) << "round " << round;
        const std::string value = profile_.Read("zdy");
        EXPECT_TRUE(value == "30" || value == "45") << "round " << round << ": " << value;
        EXPECT_EQ(now.substr(now.size() - 30), filler.substr(filler.size() - 30));
        WIN32_FILE_ATTRIBUTE_DATA attr{};
        ASSERT_TRUE(::GetFileAttributesExW(Path().c_str(), GetFileExInfoStandard, &attr));
        EXPECT_GT(attr.ftLastWriteTime.dwHighDateTime, 0x01BF53EBu) << "round " << round << ": never rewritten";
    }
    EXPECT_EQ(killedWhileRunning, 12);
}

// ---- a profile saved as "Unicode" or "UTF-8" by Notepad ----

std::string Utf16File(const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

TEST_F(ProfileOnDisk, AUtf16FileIsReadAndWrittenBackInUtf16) {
    WriteBytes(Path(), Utf16File(L"[Velmora]\r\n开机自动运行=1\r\nsj=每一刻钟\r\n"));
    EXPECT_EQ(profile_.Read("开机自动运行"), "1");
    EXPECT_EQ(profile_.Read("sj"), "每一刻钟");

    ASSERT_TRUE(profile_.Write("sx", "2"));
    ASSERT_TRUE(profile_.Write("sj", "每五分钟"));
    EXPECT_EQ(ReadBytes(Path()), Utf16File(L"[Velmora]\r\n开机自动运行=1\r\nsj=每五分钟\r\nsx=2\r\n"));
    // And the system's own reader agrees.
    wchar_t buf[128] = {};
    ::GetPrivateProfileStringW(L"Velmora", L"sj", L"", buf, 128, Path().c_str());
    EXPECT_STREQ(buf, L"每五分钟");
}

TEST_F(ProfileOnDisk, AUtf8FileWithItsMarkStaysUtf8) {
    WriteBytes(Path(), "\xEF\xBB\xBF[Velmora]\r\nsj=\xE6\xAF\x8F\xE4\xB8\x80\xE5\x88\xBB\xE9\x92\x9F\r\n");  // 每一刻钟
    EXPECT_EQ(profile_.Read("sj"), "每一刻钟");
    ASSERT_TRUE(profile_.Write("开机自动运行", "1"));
    EXPECT_EQ(ReadBytes(Path()), "\xEF\xBB\xBF[Velmora]\r\nsj=\xE6\xAF\x8F\xE4\xB8\x80\xE5\x88\xBB\xE9\x92\x9F\r\n"
                                 "\xE5\xBC\x80\xE6\x9C\xBA\xE8\x87\xAA\xE5\x8A\xA8\xE8\xBF\x90\xE8\xA1\x8C=1\r\n");
}

std::string Utf16BeFile(const std::wstring& text) {
    std::string bytes("\xFE\xFF", 2);
    for (wchar_t c : text) {
        bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c & 0xFF);
    }
    return bytes;
}

TEST_F(ProfileOnDisk, AUtf16BigEndianFileIsReadAndWrittenBackInItsOwnEncoding) {
    WriteBytes(Path(), Utf16BeFile(L"[Velmora]\r\n开机自动运行=1\r\nsj=每一刻钟\r\n"));
    EXPECT_EQ(profile_.Read("开机自动运行"), "1");
    EXPECT_EQ(profile_.Read("sj"), "每一刻钟");
    ASSERT_TRUE(profile_.Write("sj", "每五分钟"));
    ASSERT_TRUE(profile_.Write("sx", "2"));
    EXPECT_EQ(ReadBytes(Path()), Utf16BeFile(L"[Velmora]\r\n开机自动运行=1\r\nsj=每五分钟\r\nsx=2\r\n"));
}

TEST_F(ProfileOnDisk, AFileItsMarkBeliesIsLeftByteForByteAndTheValueHeldForTheRun) {
    const std::string bad[] = {
        Utf16File(L"[Velmora]\r\nsx=1\r\n") + "\x41",                 // an odd byte at the end
        Utf16File(L"[Velmora]\r\nsx=1\r\n") + std::string("\x00\xD8", 2),  // a lone surrogate
        "\xEF\xBB\xBF[Velmora]\r\nsj=" + kQuarterHourGbk + "\r\n",          // GBK behind a UTF-8 mark
    };
    for (const std::string& bytes : bad) {
        WriteBytes(Path(), bytes);
        ProfileFile profile(Path());
        EXPECT_FALSE(profile.Write("sx", "2"));
        EXPECT_EQ(ReadBytes(Path()), bytes);
        EXPECT_EQ(profile.Read("sx"), "2");
    }
}

TEST_F(ProfileOnDisk, AProfileHeldOpenElsewhereGetsEveryValueOnceItIsFree) {
    WriteBytes(Path(), "[Velmora]\r\nsx=1\r\n");
    {
        UniqueFile lock(::CreateFileW(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(profile_.Write("sx", "2"));
        EXPECT_FALSE(profile_.Write("wz", "1"));
        EXPECT_EQ(profile_.Read("sx"), "2");
    }
    EXPECT_EQ(ReadBytes(Path()), "[Velmora]\r\nsx=1\r\n") << "untouched while held";
    ASSERT_TRUE(profile_.Write("qhzm", "1"));
    EXPECT_EQ(ReadBytes(Path()), "[Velmora]\r\nsx=2\r\nwz=1\r\nqhzm=1\r\n");
}

// (A link stays a link too: tests/e2e/user_files.sh, for Wine makes no
// links of its own.)
TEST_F(ProfileOnDisk, ARewriteKeepsTheHiddenAndSystemMarks) {
    WriteBytes(Path(), "[Velmora]\r\nsx=1\r\n");
    ASSERT_TRUE(::SetFileAttributesW(Path().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(profile_.Write("sx", "2"));
    constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(::GetFileAttributesW(Path().c_str()) & kMarks, kMarks);
    EXPECT_EQ(profile_.Read("sx"), "2");
}

TEST_F(ProfileOnDisk, AValueInQuotesReadsWithoutThemAsTheSystemReadsIt) {
    WriteBytes(Path(), "[Velmora]\r\nsx=\"1\"\r\nwz=' 2 '\r\nzdy=\"30\r\n");
    wchar_t buf[128] = {};
    for (const char* key : {"sx", "wz", "zdy"}) {
        ::GetPrivateProfileStringW(L"Velmora", Widen(key).c_str(), L"", buf, 128, Path().c_str());
        EXPECT_EQ(profile_.Read(key), Narrow(buf)) << key;
    }
    EXPECT_EQ(profile_.Read("sx"), "1");
}

// ---- a profile the user made read-only ----

TEST_F(ProfileOnDisk, AReadOnlyFileStaysByteForByteAndTheChangeHoldsForTheSession) {
    const std::string frozen = "; frozen\r\n[Velmora]\r\nsx=1\r\n";
    WriteBytes(Path(), frozen);
    ASSERT_TRUE(::SetFileAttributesW(Path().c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_FALSE(profile_.Write("sx", "2")) << "reported as kept";
    EXPECT_FALSE(profile_.Write("wz", "3"));
    EXPECT_EQ(ReadBytes(Path()), frozen);
    EXPECT_FALSE(FileExists(Path() + L".tmp"));
    EXPECT_EQ(profile_.Read("sx"), "2") << "the choice is lost for the session";
    EXPECT_EQ(profile_.Read("wz"), "3");
    EXPECT_EQ(ProfileFile(Path()).Read("sx"), "1") << "a later run reads the file";

    // Writable again: the choices of the session go in with the next write.
    ::SetFileAttributesW(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(profile_.Write("sx", "4"));
    EXPECT_EQ(ReadBytes(Path()), "; frozen\r\n[Velmora]\r\nsx=4\r\nwz=3\r\n");
}

}  // namespace
}  // namespace velmora
