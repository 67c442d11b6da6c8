// Handle ownership, text encodings and the system-effects recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace velmora {
namespace {

TEST(Handles, OwnersCountWhatTheyHoldAndGiveItBack) {
    const long before = UniqueRegion::live();
    {
        UniqueRegion a(::CreateRectRgn(0, 0, 10, 10));
        UniqueRegion b(::CreateRectRgn(0, 0, 20, 20));
        EXPECT_EQ(UniqueRegion::live(), before + 2);
        a = std::move(b);  // a's first region is deleted
        EXPECT_EQ(UniqueRegion::live(), before + 1);
        EXPECT_FALSE(b);
        HRGN given = a.release();
        EXPECT_EQ(UniqueRegion::live(), before);
        ::DeleteObject(given);
        a.reset(::CreateRectRgn(0, 0, 5, 5));
        EXPECT_EQ(UniqueRegion::live(), before + 1);
    }
    EXPECT_EQ(UniqueRegion::live(), before);
}

TEST(Handles, ADeletedHandleIsReallyGone) {
    // Wine hands a freed GDI slot out again: the same value comes back only
    // if the first region was deleted.
    HRGN first;
    {
        UniqueRegion r(::CreateRectRgn(0, 0, 10, 10));
        first = r.get();
    }
    EXPECT_EQ(::GetObjectType(first), 0u);
}

TEST(Text, ConvertsBetweenUtf8Utf16AndGbk) {
    const std::string utf8 = "开机自动运行 Velmora";
    EXPECT_EQ(Widen(utf8), L"开机自动运行 Velmora");
    EXPECT_EQ(Narrow(Widen(utf8)), utf8);
    const std::string gbk = ToCodePage(utf8, kGbkCodePage);
    EXPECT_EQ(gbk, "\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0 Velmora");
    EXPECT_EQ(FromCodePage(gbk, kGbkCodePage), utf8);
    EXPECT_EQ(ToCodePage("", kGbkCodePage), "");
}

// Draws in quick succession, as a burst of /next makes them, all differ:
// none repeats for coming within one tick of the clock (here, a clock that
// stands still).
TEST(Random, DrawsWithinOneTickOfTheClockDoNotRepeat) {
    ClockSeededRandom random([]() -> std::uint64_t { return 1234; });
    std::set<double> seen;
    for (int i = 0; i < 2000; ++i) {
        const double d = random.Next();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
        seen.insert(d);
    }
    EXPECT_EQ(seen.size(), 2000u);
}

TEST(Effects, RecorderTakesTheCallsAndWritesThemToItsLog) {
    testing::TempFolder folder;
    const std::wstring log = folder.File(L"effects.log");
    RecordingEffects recorder(log);
    SystemEffects& effects = recorder;
    effects.ExitWindowsEx(5, 0);
    effects.ShellExecuteA(nullptr, "open", "http://example.com/", "", "", 0);
    effects.mciSendStringA("set CDAudio door open");
    recorder.SetStartSucceeds(false);
    EXPECT_FALSE(effects.StartProcess("calc.exe", 1));

    const std::vector<std::string> expected = {
        "ExitWindowsEx(5, 0)",
        "ShellExecute(0000000000000000, \"open\", \"http://example.com/\", NULL, NULL, 0)",
        "mciSendString(\"set CDAudio door open\")",
        "StartProcess(\"calc.exe\", 1)",
    };
    EXPECT_EQ(recorder.Calls(), expected);
    std::string joined;
    for (const auto& line : expected) joined += line + "\n";
    EXPECT_EQ(testing::ReadBytes(log), joined);
}

}  // namespace
}  // namespace velmora
