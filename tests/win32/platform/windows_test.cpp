// The window base, windows on demand, calls deferred to the message loop,
// clicks on pictures, remembered twips and files replaced whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/click_tracker.h"
#include "platform/deferred_calls.h"
#include "platform/files.h"
#include "platform/twips.h"
#include "platform/window.h"
#include "platform/window_slot.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// A window that writes down what reaches it, and when its derived part goes.
class LoggingWindow : public BaseWindow<LoggingWindow> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.Test.LoggingWindow";
    explicit LoggingWindow(std::vector<std::string>& log) : log_(log) {}
    ~LoggingWindow() { log_.push_back("derived gone"); }
    bool Create() {
        RegisterClassOnce();
        return CreateWindowOf(0, L"logging", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_DESTROY) log_.push_back("destroy");
        if (msg == WM_CLOSE) {
            log_.push_back("close logic");
            ::DestroyWindow(hwnd());
            return 0;
        }
        return Default(msg, wp, lp);
    }
    void OnWindowGone() { log_.push_back("gone"); }
    void Reload() { log_.push_back("reload"); }

private:
    std::vector<std::string>& log_;
};

TEST(WindowBase, AWindowOutlivingItsObjectNeverCallsIntoTheHalfDestroyedObject) {
    std::vector<std::string> log;
    HWND hwnd = nullptr;
    {
        LoggingWindow w(log);
        ASSERT_TRUE(w.Create());
        hwnd = w.hwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(log, std::vector<std::string>{"derived gone"});
}

TEST(WindowBase, TheObjectHearsThatItsWindowIsGone) {
    std::vector<std::string> log;
    LoggingWindow w(log);
    ASSERT_TRUE(w.Create());
    ::DestroyWindow(w.hwnd());
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"destroy", "gone"}));
}

class Slots : public ::testing::Test {
protected:
    WindowSlot<LoggingWindow> MakeSlot() {
        return WindowSlot<LoggingWindow>(later_, [this]() -> std::unique_ptr<LoggingWindow> {
            ++made_;
            auto w = std::make_unique<LoggingWindow>(log_);
            if (!w->Create()) return nullptr;
            return w;
        });
    }
    DeferredCalls later_;
    std::vector<std::string> log_;
    int made_ = 0;
};

TEST_F(Slots, HandOutOneWindowMadeOnFirstUseAndAFreshOneAfterAClose) {
    auto slot = MakeSlot();
    EXPECT_EQ(slot.Live(), nullptr);
    LoggingWindow* first = slot.Ensure();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(::IsWindowVisible(first->hwnd())) << "made, not shown";
    EXPECT_EQ(slot.Ensure(), first);
    EXPECT_EQ(made_, 1);

    slot.Close();
    EXPECT_EQ(slot.Live(), nullptr);
    EXPECT_EQ(log_, (std::vector<std::string>{"close logic", "destroy", "gone"}));
    // The object goes on the next turn of the loop, not inside its own call.
    EXPECT_TRUE(testing::PumpUntil([&] { return log_.back() == "derived gone"; }, 2s));

    ASSERT_NE(slot.Ensure(), nullptr);
    EXPECT_EQ(made_, 2);
}

TEST_F(Slots, ShowNormalShowsAndRestoresAMinimisedWindow) {
    auto slot = MakeSlot();
    LoggingWindow* w = slot.ShowNormal();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(::IsWindowVisible(w->hwnd()));
    ::ShowWindow(w->hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(w->hwnd()));
    EXPECT_EQ(slot.ShowNormal(), w);
    EXPECT_FALSE(::IsIconic(w->hwnd()));
}

TEST_F(Slots, AKeptSpareIsMadeAfterACloseAndHandedOutLoadedAgainOnlyWhileItsWindowLives) {
    auto slot = MakeSlot();
    slot.KeepSpare(true);
    ASSERT_NE(slot.Ensure(), nullptr);
    EXPECT_EQ(made_, 1) << "no spare before a close";
    slot.Close();
    ASSERT_TRUE(testing::PumpUntil([&] { return slot.HasSpare(); }, 2s));
    EXPECT_EQ(made_, 2);
    EXPECT_EQ(slot.Live(), nullptr) << "a spare is not a window in use";
    log_.clear();
    LoggingWindow* taken = slot.Ensure();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(made_, 2) << "the spare, not a new one";
    EXPECT_EQ(log_, std::vector<std::string>{"reload"});
    EXPECT_FALSE(slot.HasSpare());

    // A spare whose window someone destroyed is not handed out.
    slot.Close();
    ASSERT_TRUE(testing::PumpUntil([&] { return slot.HasSpare(); }, 2s));
    ::DestroyWindow(::FindWindowW(LoggingWindow::kClassName, nullptr));
    EXPECT_FALSE(slot.HasSpare());
    ASSERT_NE(slot.Ensure(), nullptr);
    EXPECT_EQ(made_, 4);

    // Off: the spare waiting goes, and a close makes none.
    slot.Close();
    ASSERT_TRUE(testing::PumpUntil([&] { return slot.HasSpare(); }, 2s));
    slot.KeepSpare(false);
    EXPECT_EQ(::FindWindowW(LoggingWindow::kClassName, nullptr), nullptr);
    ASSERT_NE(slot.Ensure(), nullptr);
    slot.Close();
    EXPECT_TRUE(testing::PumpUntil([&] { return later_.Pending() == 0; }, 2s));
    EXPECT_FALSE(slot.HasSpare());
    EXPECT_EQ(made_, 6);
}

TEST_F(Slots, ASlotDestroysItsWindowBeforeItsObjectWithoutTheCloseLogic) {
    {
        auto slot = MakeSlot();
        ASSERT_NE(slot.Ensure(), nullptr);
    }
    EXPECT_EQ(log_, (std::vector<std::string>{"destroy", "gone", "derived gone"}));
}

TEST(Deferred, APostedCallWaitsForTheLoopAndRunsOnce) {
    DeferredCalls later;
    int runs = 0;
    later.Post([&] { ++runs; });
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(testing::PumpUntil([&] { return runs == 1; }, 2s));
    EXPECT_EQ(later.Pending(), 0u);
}

TEST(Deferred, ATimedCallRunsOnceAfterItsDelayAndACancelledOneNever) {
    DeferredCalls later;
    int runs = 0, cancelled = 0;
    const DWORD start = ::GetTickCount();
    later.After(200, [&] { ++runs; });
    const auto id = later.After(100, [&] { ++cancelled; });
    later.Cancel(id);
    ASSERT_TRUE(testing::PumpUntil([&] { return runs == 1; }, 3s));
    EXPECT_GE(::GetTickCount() - start, 150u);
    testing::PumpUntil([] { return false; }, 400ms);  // time for a second tick, were there one
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(cancelled, 0);
}

class Clicks : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        control_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent_, nullptr,
                                     nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(parent_); }
    bool Feed(UINT msg, int x, int y) { return tracker_.Handle(control_, msg, MAKELPARAM(x, y)); }

    HWND parent_ = nullptr, control_ = nullptr;
    ClickTracker tracker_;
};

TEST_F(Clicks, APressAndAReleaseOverTheControlIsAClick) {
    EXPECT_FALSE(Feed(WM_LBUTTONDOWN, 5, 5));
    EXPECT_EQ(::GetCapture(), control_);
    EXPECT_TRUE(Feed(WM_LBUTTONUP, 20, 20));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Clicks, AReleaseElsewhereOrWithoutAPressIsNone) {
    EXPECT_FALSE(Feed(WM_LBUTTONUP, 5, 5));
    Feed(WM_LBUTTONDOWN, 5, 5);
    EXPECT_FALSE(Feed(WM_LBUTTONUP, 80, 5));
    EXPECT_FALSE(Feed(WM_LBUTTONUP, 5, 5)) << "the press was used up";
}

TEST(Twips, ASizeSetInTwipsReadsBackAsSetWhileThePixelsMatch) {
    HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowTwips(w, TwipsField::Height, 5600);
    RECT r{};
    ::GetWindowRect(w, &r);
    EXPECT_EQ(r.bottom - r.top, 373);
    EXPECT_EQ(WindowTwips(w, TwipsField::Height), 5600);
    ::SetWindowPos(w, nullptr, 0, 0, 10, 380, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowTwips(w, TwipsField::Height), 380 * TwipsPerPixelY());
    ::DestroyWindow(w);
}

TEST(Files, AReplacementThatFailsLeavesTheOldFileAndNoTemporary) {
    testing::TempFolder folder;
    const std::wstring path = folder.File(L"data.bin");
    testing::WriteBytes(path, "old");
    EXPECT_FALSE(ReplaceFile(path, L".tmp", [](HANDLE f) { return WriteAll(f, "new", 3) && false; }, true));
    EXPECT_EQ(testing::ReadBytes(path), "old");
    EXPECT_FALSE(testing::FileExists(path + L".tmp"));
    EXPECT_TRUE(ReplaceFile(path, L".tmp", [](HANDLE f) { return WriteAll(f, "new", 3); }, true));
    EXPECT_EQ(testing::ReadBytes(path), "new");
}

TEST(Files, AFileOverTheLimitIsNotRead) {
    testing::TempFolder folder;
    const std::wstring path = folder.File(L"big.bin");
    testing::WriteBytes(path, std::string(100, 'x'));
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, 99, bytes), FileRead::TooLarge);
    EXPECT_EQ(ReadFileBytes(path, 100, bytes), FileRead::Ok);
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_EQ(ReadFileBytes(folder.File(L"none"), 100, bytes), FileRead::Missing);
    EXPECT_EQ(ReadFileStart(path, 10), std::string(10, 'x'));
}

}  // namespace
}  // namespace velmora
