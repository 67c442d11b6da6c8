// The launcher panel as a user meets it, built with recording fakes: its
// cells and captions in their places, a click handing the cell's action on,
// the links, the highlight, the clock line from the clock it is given, the
// CD caption, its caption buttons, the placement record, the keyboard
// (arrows, typed initials, Enter, Space, Esc), and nothing left behind by
// resizes, ticks and lifetimes.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/system_commands.h"
#include "commands/web_pages.h"
#include "launcher/cells.h"
#include "launcher/launcher_panel.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/placement.h"
#include "support/fakes.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using frame::ButtonPicture;
using frame::CaptionButton;
using testing::RectInParent;
using testing::TextOf;
using Lines = std::vector<std::string>;

std::wstring ReadPlacementValue(const wchar_t* name) {
    wchar_t buf[64] = {};
    DWORD bytes = sizeof buf - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kPlacementKey, name, RRF_RT_REG_SZ, nullptr, buf, &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buf;
}

void WritePlacementValue(const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kPlacementKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void ForgetPlacement() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings"); }

// A left click on a control: press and release inside it.
void Click(HWND control) {
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// A key pressed and released; `repeat`: the press of a key held down.
void Key(HWND window, UINT vk, bool repeat = false) {
    ::SendMessageW(window, WM_KEYDOWN, vk, repeat ? 0x40000001 : 1);
    ::SendMessageW(window, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

struct LiveCounts {
    long regions = UniqueRegion::live();
    long bitmaps = UniqueBitmap::live();
    long dcs = UniqueMemoryDc::live();
    long objects = UniqueGdiObject::live();
    long icons = UniqueIcon::live();
    bool operator==(const LiveCounts&) const = default;
};

class Panel : public ::testing::Test {
protected:
    void SetUp() override { ForgetPlacement(); }
    void TearDown() override {
        panel_.reset();
        ForgetPlacement();
    }

    // Made as the application makes it: the CD cell's action comes back to
    // the panel's ToggleCdTray.
    LauncherPanel& Open() {
        panel_ = LauncherPanel::Create({commands_, clock_, ticks_, [this](Action action) {
                                            actions_.push_back(action);
                                            if (action == Action::ToggleCdTray) panel_->ToggleCdTray();
                                        }});
        EXPECT_NE(panel_, nullptr);
        return *panel_;
    }
    HWND Button(CaptionButton b) { return panel_->Frame().ButtonWindow(b); }
    // Letters typed 100 ms apart, after a pause that ends any earlier prefix.
    void Type(const char* letters) {
        ticks_.now += 1000;
        for (const char* c = letters; *c; ++c) {
            ticks_.now += 100;
            ::SendMessageW(panel_->hwnd(), WM_CHAR, static_cast<WPARAM>(*c), 1);
        }
    }
    // The caption of the highlighted cell, as the user reads it.
    std::wstring HighlightedCaption() {
        const std::optional<size_t> cell = panel_->HighlightedCell();
        return cell ? TextOf(panel_->CellCaption(*cell)) : L"<none>";
    }

    RecordingEffects effects_;
    testing::RecordingPrompter prompts_;
    DeferredCalls later_;
    SystemCommands commands_{effects_, prompts_, later_};
    testing::FakeClock clock_;
    testing::FakeTicks ticks_;
    std::vector<Action> actions_;
    std::unique_ptr<LauncherPanel> panel_;
};

TEST_F(Panel, LoadsHiddenAtTheDefaultPlaceWithEveryControlInItsPlace) {
    LauncherPanel& panel = Open();
    EXPECT_FALSE(::IsWindowVisible(panel.hwnd()));
    EXPECT_EQ(testing::ClassOf(panel.hwnd()), L"Velmora.LauncherPanel");
    EXPECT_EQ(TextOf(panel.hwnd()), L"Velmora2.2");
    EXPECT_NE(panel.Icon(), nullptr);
    // 1000 twips = 66.7 pixels; the requested 9500 x 7500 is pinned to 520 x 373.
    const RECT r = WindowRect(panel.hwnd());
    EXPECT_EQ(r.left, 67);
    EXPECT_EQ(r.top, 67);
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 373);
    EXPECT_EQ(panel.HighlightPosition().x, launcher::kHighlightParked);  // no cell highlighted
    EXPECT_EQ(panel.HighlightPosition().y, launcher::kHighlightParked);

    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(std::string(cells[i].caption));
        // The ids are what the end-to-end scripts look for.
        HWND picture = ::GetDlgItem(panel.hwnd(), 1000 + static_cast<int>(i));
        HWND caption = ::GetDlgItem(panel.hwnd(), 1100 + static_cast<int>(i));
        ASSERT_EQ(picture, panel.CellButton(i));
        ASSERT_EQ(caption, panel.CellCaption(i));
        const RECT p = RectInParent(picture);
        EXPECT_EQ(p.left, cells[i].pictureLeft);
        EXPECT_EQ(p.top, cells[i].pictureTop);
        EXPECT_EQ(p.right - p.left, cells[i].pictureWidth);
        EXPECT_EQ(p.bottom - p.top, cells[i].pictureHeight);
        const RECT c = RectInParent(caption);
        EXPECT_EQ(c.left, cells[i].captionLeft);
        EXPECT_EQ(c.top, cells[i].captionTop);
        EXPECT_EQ(TextOf(caption), Widen(cells[i].caption));
        EXPECT_EQ(testing::ClassOf(caption), L"Static");  // a real control that screen readers read
    }
    EXPECT_EQ(TextOf(panel.CdTrayCaption()), L"打开光驱");
    EXPECT_EQ(::GetDlgItem(panel.hwnd(), 1200), panel.ClockLabel());
    EXPECT_EQ(::GetDlgItem(panel.hwnd(), 1202), panel.TitlePicture());
    EXPECT_EQ(::GetDlgItem(panel.hwnd(), 1218), panel.RecommendLabel());
    EXPECT_EQ(TextOf(panel.RecommendLabel()), L"推荐：");
    for (size_t i = 0; i < LauncherPanel::kLinkCount; ++i) {
        EXPECT_EQ(::GetDlgItem(panel.hwnd(), 1219 + static_cast<int>(i)), panel.Link(i));
        EXPECT_EQ(TextOf(panel.Link(i)), Widen(web::kRecommended[i].caption));
        EXPECT_EQ(RectInParent(panel.Link(i)).top, RectInParent(panel.ClockLabel()).top);  // one bottom line
    }
    // The caption buttons at the right of the frame, in their normal pictures.
    const int lefts[] = {416, 444, 471};
    for (int i = 0; i < 3; ++i) {
        const auto b = static_cast<CaptionButton>(i);
        EXPECT_EQ(RectInParent(Button(b)).left, lefts[i]);
        EXPECT_EQ(RectInParent(Button(b)).top, 4);
        EXPECT_EQ(panel.Frame().ButtonState(b), ButtonPicture::Normal);
    }
}

TEST_F(Panel, ClockLineComesFromTheClockAtOnceAndEverySecond) {
    clock_.now = {.year = 2009, .month = 2, .day = 8, .hour = 9, .minute = 5, .second = 3, .weekday = 0};
    LauncherPanel& panel = Open();
    EXPECT_EQ(TextOf(panel.ClockLabel()), L"2009年02月08日 星期日 09:05:03");
    EXPECT_FALSE(::KillTimer(panel.hwnd(), static_cast<UINT_PTR>(LauncherPanel::TimerId::Clock)))
        << "hidden, nobody reads it: no tick";

    ::ShowWindow(panel.hwnd(), SW_SHOWNOACTIVATE);
    clock_.now = {.year = 2009, .month = 12, .day = 31, .hour = 13, .minute = 0, .second = 0, .weekday = 4};
    EXPECT_TRUE(testing::PumpUntil(
        [&] { return TextOf(panel.ClockLabel()) == L"2009年12月31日 星期四 13:00:00"; }, 2500ms));
    // Sized to its text, so that it reads in full.
    EXPECT_GT(RectInParent(panel.ClockLabel()).right, RectInParent(panel.ClockLabel()).left + 100);
}

TEST_F(Panel, HighlightFollowsPicturesAndCaptionPressesAndLeavesOnTheBackground) {
    LauncherPanel& panel = Open();
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        ::SendMessageW(panel.CellButton(i), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_TRUE(panel.HighlightVisible());
        EXPECT_EQ(panel.HighlightPosition().x, cells[i].highlightLeft) << i;
        EXPECT_EQ(panel.HighlightPosition().y, cells[i].highlightTop) << i;
    }
    // Moving over a caption does not move it; any button pressed on one does.
    ::SendMessageW(panel.CellCaption(0), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(panel.HighlightPosition().x, cells.back().highlightLeft);
    ::SendMessageW(panel.CellCaption(6), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(panel.CellCaption(6), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(panel.HighlightPosition().x, cells[6].highlightLeft);
    EXPECT_EQ(panel.HighlightPosition().y, cells[6].highlightTop);
    EXPECT_TRUE(actions_.empty());  // only a left click runs anything

    // The interior of the background hides it.
    const RECT r = WindowRect(panel.hwnd());
    ::SetCursorPos(r.left + 260, r.top + 330);
    ::SendMessageW(panel.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(260, 330));
    EXPECT_EQ(panel.Frame().ResizeZone(), frame::Zone::Interior);
    EXPECT_FALSE(panel.HighlightVisible());
}

TEST_F(Panel, AClickOnPictureOrCaptionHandsOnTheCellsActionAndNothingElse) {
    LauncherPanel& panel = Open();
    std::vector<Action> each;
    for (size_t i = 0; i < LauncherPanel::kCellCount; ++i) {
        if (panel.CellCaption(i) == panel.CdTrayCaption()) continue;  // below
        actions_.clear();
        Click(panel.CellButton(i));
        Click(panel.CellCaption(i));
        ASSERT_EQ(actions_.size(), 2u) << i;
        EXPECT_EQ(actions_[0], actions_[1]) << "picture and caption differ in cell " << i;
        EXPECT_EQ(actions_[0], launcher::Cells()[i].action) << i;
        each.push_back(actions_[0]);
    }
    std::sort(each.begin(), each.end());
    EXPECT_EQ(std::adjacent_find(each.begin(), each.end()), each.end()) << "two cells run the same action";
    // The panel itself runs none of them.
    EXPECT_TRUE(effects_.Calls().empty());
    EXPECT_TRUE(prompts_.boxes.empty());

    // What the user reads is what runs: the cells that open windows or the menu.
    const std::pair<const wchar_t*, Action> shown[] = {
        {L"关闭计算机", Action::ShowPowerMenu},
        {L"桌面变换", Action::ShowWallpaperChanger},
        {L"网络搜索", Action::ShowSearchBox},
        {L"桌面取色", Action::ShowColourPicker},
        {L"清空回收站", Action::EmptyRecycleBin},
    };
    for (const auto& [text, action] : shown) {
        size_t i = 0;
        while (i < LauncherPanel::kCellCount && TextOf(panel.CellCaption(i)) != text) ++i;
        ASSERT_LT(i, LauncherPanel::kCellCount) << Narrow(text);
        actions_.clear();
        Click(panel.CellCaption(i));
        EXPECT_EQ(actions_, std::vector<Action>{action}) << Narrow(text);
    }

    // A press released outside its control is no click.
    actions_.clear();
    ::SendMessageW(panel.CellButton(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(panel.CellButton(0), WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(actions_.empty());
}

HWND g_focusEventWindow = nullptr;  // where the last focus event was raised

// What a screen reader meets: each cell a real push button named by its
// caption, in the panel's order, whose default action (a button's click,
// BM_CLICK) runs the cell; the highlight moved by the keyboard moves the
// accessibility focus to the cell. (Wine's oleacc answers every control as
// a plain client with no default action, so the windows are asked here.)
TEST_F(Panel, CellsAreNamedPushButtonsToAScreenReader) {
    LauncherPanel& panel = Open();
    for (size_t i = 0; i < LauncherPanel::kCellCount; ++i) {
        HWND cell = panel.CellButton(i);
        wchar_t cls[32] = {};
        ::GetClassNameW(cell, cls, 32);
        EXPECT_EQ(std::wstring(cls), L"Button") << i;
        EXPECT_EQ(::GetWindowLongW(cell, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << i;
        EXPECT_EQ(TextOf(cell), TextOf(panel.CellCaption(i))) << i;
        actions_.clear();
        ::SendMessageW(cell, BM_CLICK, 0, 0);
        EXPECT_EQ(actions_, std::vector<Action>{launcher::Cells()[i].action}) << i;
    }
    // The CD cell's name follows its caption.
    size_t cd = 0;
    while (panel.CellCaption(cd) != panel.CdTrayCaption()) ++cd;
    ::SendMessageW(panel.CellButton(cd), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(panel.CellButton(cd)), TextOf(panel.CdTrayCaption()));

    g_focusEventWindow = nullptr;
    const HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { g_focusEventWindow = hwnd; }, 0, 0,
        WINEVENT_OUTOFCONTEXT);
    ::SendMessageW(panel.hwnd(), WM_KEYDOWN, VK_RIGHT, 1);
    testing::PumpUntil([] { return g_focusEventWindow != nullptr; }, 2s);
    ::UnhookWinEvent(hook);
    ASSERT_TRUE(panel.HighlightedCell());
    EXPECT_EQ(g_focusEventWindow, panel.CellButton(*panel.HighlightedCell()));

    // A reader pressing a cell as the panel closes: the press goes with the panel.
    actions_.clear();
    const HWND cell = panel.CellButton(0);
    ::PostMessageW(cell, BM_CLICK, 0, 0);
    ::SendMessageW(panel.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(testing::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLPOSTMESSAGE)) == 0; }, 2s));
    EXPECT_FALSE(::IsWindow(cell));
    EXPECT_TRUE(actions_.empty());
}

TEST_F(Panel, LinksOpenTheirPagesOwnedByThePanel) {
    LauncherPanel& panel = Open();
    const std::string owner = testing::Hex(panel.hwnd());
    for (size_t i = 0; i < LauncherPanel::kLinkCount; ++i) {
        effects_.Clear();
        Click(panel.Link(i));
        EXPECT_EQ(effects_.Calls(), (Lines{"ShellExecute(" + owner + ", \"open\", \"" +
                                           std::string(web::kRecommended[i].address) + "\", NULL, NULL, 0)"}));
    }
    EXPECT_TRUE(actions_.empty());
}

TEST_F(Panel, CdCaptionAlternatesWithTheDoorAndANewPanelStartsOver) {
    LauncherPanel& panel = Open();
    size_t cd = 0;
    while (panel.CellCaption(cd) != panel.CdTrayCaption()) ++cd;
    Click(panel.CellButton(cd));
    EXPECT_EQ(TextOf(panel.CdTrayCaption()), L"关闭光驱");
    EXPECT_TRUE(panel.CdTrayOpen());
    Click(panel.CellCaption(cd));
    EXPECT_EQ(TextOf(panel.CdTrayCaption()), L"打开光驱");
    EXPECT_FALSE(panel.CdTrayOpen());
    Click(panel.CellButton(cd));
    EXPECT_EQ(actions_, std::vector<Action>(3, Action::ToggleCdTray));
    EXPECT_EQ(effects_.Calls(), (Lines{"mciSendString(\"set CDAudio door open\")",
                                       "mciSendString(\"set CDAudio door closed\")",
                                       "mciSendString(\"set CDAudio door open\")"}));
    const RECT caption = RectInParent(panel.CdTrayCaption());
    EXPECT_GT(caption.right - caption.left, 30);  // sized to the new text

    LauncherPanel& again = Open();
    EXPECT_EQ(TextOf(again.CdTrayCaption()), L"打开光驱");
    EXPECT_FALSE(again.CdTrayOpen());
}

TEST_F(Panel, PlacementComesFromTheRecordAndTheCloseButtonSavesIt) {
    WritePlacementValue(L"frmLeft", L"1500");
    WritePlacementValue(L"frmTop", L"2250");
    WritePlacementValue(L"frmWidth", L"9000");
    WritePlacementValue(L"frmHeight", L"9000");
    LauncherPanel& panel = Open();
    const RECT r = WindowRect(panel.hwnd());
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 373);

    // Released outside the window: the close still happens, in twips.
    HWND close = Button(CaptionButton::Close);
    ::SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(900, -40));
    EXPECT_EQ(panel.hwnd(), nullptr);
    EXPECT_EQ(ReadPlacementValue(L"frmLeft"), L"1500");
    EXPECT_EQ(ReadPlacementValue(L"frmTop"), L"2250");
    EXPECT_EQ(ReadPlacementValue(L"frmWidth"), L"7800");
    EXPECT_EQ(ReadPlacementValue(L"frmHeight"), L"5600");
}

TEST_F(Panel, MinimiseAndRestoreButtonsAnswerAnyMouseButton) {
    LauncherPanel& panel = Open();
    ::ShowWindow(panel.hwnd(), SW_SHOW);
    // The restore button on a normal window changes nothing.
    ::SendMessageW(Button(CaptionButton::Restore), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(Button(CaptionButton::Restore), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(::IsIconic(panel.hwnd()));
    EXPECT_TRUE(::IsWindowVisible(panel.hwnd()));

    ::SendMessageW(Button(CaptionButton::Minimise), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(Button(CaptionButton::Minimise), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(::IsIconic(panel.hwnd()));
    ::SendMessageW(Button(CaptionButton::Restore), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(Button(CaptionButton::Restore), WM_MBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(::IsIconic(panel.hwnd()));
    const RECT r = WindowRect(panel.hwnd());
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(panel.Frame().ButtonState(CaptionButton::Restore), ButtonPicture::Normal);
    EXPECT_NE(panel.hwnd(), nullptr);  // neither closes the panel
}

TEST_F(Panel, NothingGrowsAcrossResizesClockTicksAndPanelLifetimes) {
    const LiveCounts beforeAnyPanel;
    LauncherPanel& panel = Open();
    HWND hwnd = panel.hwnd();
    // Warm up once, painted, so that everything made on first use exists.
    ::ShowWindow(hwnd, SW_SHOW);
    ::SetWindowPos(hwnd, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(hwnd);
    const LiveCounts before;

    // The counts are exact, so a few rounds show a leak of one handle per
    // round: 35 resizes meet every pair of the two size steps, 60 ticks a
    // whole minute of clock lines. Hidden, a resize costs a third of a shown
    // one and still runs the whole handling (pinned size, skin, region); the
    // ticks below paint.
    ::ShowWindow(hwnd, SW_HIDE);
    for (int i = 0; i < 35; ++i) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 600 + i % 7, 400 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
    }
    ::ShowWindow(hwnd, SW_SHOW);
    for (int i = 0; i < 100; ++i) {
        clock_.now.second = i % 60;  // a new line each tick
        ::SendMessageW(hwnd, WM_TIMER, static_cast<WPARAM>(LauncherPanel::TimerId::Clock), 0);
        ::UpdateWindow(hwnd);
    }
    EXPECT_EQ(TextOf(panel.ClockLabel()), L"2026年12月09日 星期三 10:00:39");
    EXPECT_TRUE(LiveCounts() == before);
    const RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.right - r.left, 520);

    for (int i = 0; i < 3; ++i) Open();
    panel_.reset();
    EXPECT_TRUE(LiveCounts() == beforeAnyPanel);
}

// ---- scale: WM_DPICHANGED sent in-process, as a move to a monitor of
// another DPI would (Wine gives every monitor the same DPI)

// Tells the window it now lies on a monitor of `dpi`, with the rectangle
// the system would suggest there.
void ChangeDpi(HWND window, int dpi, RECT suggested) {
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}
RECT Suggested(HWND window, int dpi) {
    const RECT r = WindowRect(window);
    return {r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, 96), r.top + MulDiv(r.bottom - r.top, dpi, 96)};
}
void ExpectScaled(const RECT& at96, const RECT& now, int dpi, const char* what) {
    const auto within = [dpi](LONG design, LONG actual) { return std::abs(MulDiv(design, dpi, 96) - actual) <= 1; };
    EXPECT_TRUE(within(at96.left, now.left) && within(at96.top, now.top) && within(at96.right, now.right) &&
                within(at96.bottom, now.bottom))
        << what << " at " << dpi << " dpi: (" << now.left << ", " << now.top << ")-(" << now.right << ", "
        << now.bottom << "), at 96 (" << at96.left << ", " << at96.top << ")-(" << at96.right << ", " << at96.bottom
        << ")";
}

TEST_F(Panel, ADpiChangeLaysOutFrameCellsHighlightAndClockAtTheNewScale) {
    LauncherPanel& panel = Open();
    HWND hwnd = panel.hwnd();
    panel.ToggleCdTray();  // a caption changed before the move keeps its text after it
    const RECT picture96 = RectInParent(panel.CellButton(7));
    const RECT close96 = RectInParent(Button(CaptionButton::Close));
    const RECT clock96 = RectInParent(panel.ClockLabel());
    const RECT caption96 = RectInParent(panel.CellCaption(19));

    for (const int dpi : {144, 192, 120}) {
        ChangeDpi(hwnd, dpi, Suggested(hwnd, 96));
        const RECT r = WindowRect(hwnd);
        EXPECT_EQ(r.right - r.left, MulDiv(7800, dpi, 1440)) << dpi;
        EXPECT_EQ(r.bottom - r.top, MulDiv(5600, dpi, 1440)) << dpi;
        EXPECT_EQ(panel.Frame().Dpi(), dpi);
        ExpectScaled(picture96, RectInParent(panel.CellButton(7)), dpi, "桌面变换's picture");
        ExpectScaled(close96, RectInParent(Button(CaptionButton::Close)), dpi, "the close button");
        // Labels are as large as their text at the scaled font: the place
        // scales, the size follows the font.
        const RECT clock = RectInParent(panel.ClockLabel()), caption = RectInParent(panel.CellCaption(19));
        EXPECT_NEAR(clock.left, MulDiv(clock96.left, dpi, 96), 1);
        EXPECT_NEAR(clock.bottom - clock.top, MulDiv(clock96.bottom - clock96.top, dpi, 96), 2) << dpi;
        EXPECT_NEAR(caption.right - caption.left, MulDiv(caption96.right - caption96.left, dpi, 96), 2) << dpi;
        EXPECT_EQ(TextOf(panel.CdTrayCaption()), kCloseCdCaption);
        LOGFONTW font{};
        ::GetObjectW(panel.Frame().Font(), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(12, dpi, 96));
        // The pointer on a picture puts the highlight on its cell's place at the scale.
        ::SendMessageW(panel.CellButton(7), WM_MOUSEMOVE, 0, 0);
        const launcher::Cell& cell = launcher::Cells()[7];
        EXPECT_EQ(panel.HighlightPosition().x, MulDiv(cell.highlightLeft, dpi, 96));
        EXPECT_EQ(panel.HighlightPosition().y, MulDiv(cell.highlightTop, dpi, 96));
        // Its twips are those of the design wherever it is.
        EXPECT_EQ(WindowTwips(hwnd, TwipsField::Width), 7800);
    }
}

TEST_F(Panel, MovesBetweenScalesLeaveNoHandleBehind) {
    LauncherPanel& panel = Open();
    HWND hwnd = panel.hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    ChangeDpi(hwnd, 144, Suggested(hwnd, 144));
    ChangeDpi(hwnd, 96, Suggested(hwnd, 96));
    ::UpdateWindow(hwnd);
    const LiveCounts before;
    for (int i = 0; i < 50; ++i) {
        ChangeDpi(hwnd, i % 2 ? 96 : 192, Suggested(hwnd, 96));
        ::UpdateWindow(hwnd);
    }
    EXPECT_TRUE(LiveCounts() == before);
    EXPECT_EQ(WindowRect(hwnd).right - WindowRect(hwnd).left, 520);
}

TEST_F(Panel, APlaceKeptAt100PercentComesBackInTheSameTwipsAt150) {
    WritePlacementValue(L"frmLeft", L"1500");
    WritePlacementValue(L"frmTop", L"2250");
    LauncherPanel& panel = Open();
    HWND hwnd = panel.hwnd();
    ChangeDpi(hwnd, 144, Suggested(hwnd, 144));
    RestorePlacement(hwnd);
    const RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.left, 150) << "1500 twips at 10 twips a pixel";
    EXPECT_EQ(r.top, 225);
    EXPECT_EQ(r.right - r.left, 780);
    SavePlacement(hwnd);
    EXPECT_EQ(ReadPlacementValue(L"frmLeft"), L"1500");
    EXPECT_EQ(ReadPlacementValue(L"frmTop"), L"2250");
    EXPECT_EQ(ReadPlacementValue(L"frmWidth"), L"7800");
    EXPECT_EQ(ReadPlacementValue(L"frmHeight"), L"5600");
}

TEST_F(Panel, ADpiOutOfRangeGivesAWholeReadableWindowOnTheMonitor) {
    LauncherPanel& panel = Open();
    HWND hwnd = panel.hwnd();
    ChangeDpi(hwnd, 72, Suggested(hwnd, 72));
    EXPECT_EQ(panel.Frame().Dpi(), 96) << "below 100 % the design's own size";
    EXPECT_EQ(WindowRect(hwnd).right - WindowRect(hwnd).left, 520);

    // 500 % of the design is larger than the monitor: the largest scale
    // that fits it instead, the whole window inside the work area.
    ChangeDpi(hwnd, 480, Suggested(hwnd, 96));
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = WindowRect(hwnd);
    EXPECT_GT(panel.Frame().Dpi(), 96);
    EXPECT_LE(r.right - r.left, work.right - work.left);
    EXPECT_LE(r.bottom - r.top, work.bottom - work.top);
    RestorePlacement(hwnd);
    RECT kept{};
    const RECT restored = WindowRect(hwnd);
    EXPECT_TRUE(::IntersectRect(&kept, &work, &restored) != FALSE) << "on a present monitor";
}

// ---- the keyboard

TEST_F(Panel, ArrowKeysWalkTheGridFromTheFirstCellAndMoveTheHighlightTheMouseMoves) {
    LauncherPanel& panel = Open();
    const HWND w = panel.hwnd();
    const auto cells = launcher::Cells();
    ASSERT_EQ(panel.HighlightedCell(), std::nullopt);
    Key(w, VK_RIGHT);
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(0)) << "the first press highlights the first cell";
    EXPECT_TRUE(panel.HighlightVisible());
    EXPECT_EQ(panel.HighlightPosition().x, cells[0].highlightLeft);
    EXPECT_EQ(panel.HighlightPosition().y, cells[0].highlightTop);
    for (int i = 0; i < 6; ++i) Key(w, VK_RIGHT);
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(4)) << "no wrapping into the next row";
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_LEFT}) Key(w, vk);
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(13));
    EXPECT_EQ(panel.HighlightPosition().x, cells[13].highlightLeft);
    EXPECT_EQ(panel.HighlightPosition().y, cells[13].highlightTop);

    // The mouse and the keys move one highlight.
    ::SendMessageW(panel.CellButton(7), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    Key(w, VK_RIGHT);
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(8));
    ::SendMessageW(panel.CellButton(2), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(2));
    // Hidden by the mouse on the background, it starts again at the first cell.
    const RECT r = WindowRect(w);
    ::SetCursorPos(r.left + 260, r.top + 330);
    ::SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(260, 330));
    EXPECT_EQ(panel.HighlightedCell(), std::nullopt);
    Key(w, VK_DOWN);
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(0));
    EXPECT_TRUE(actions_.empty());
}

TEST_F(Panel, EnterAndSpaceRunTheHighlightedCellOnceAsAClickDoes) {
    LauncherPanel& panel = Open();
    const HWND w = panel.hwnd();
    Key(w, VK_RETURN);
    Key(w, VK_SPACE);
    EXPECT_TRUE(actions_.empty()) << "nothing highlighted, nothing runs";

    for (UINT vk : {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RETURN}) Key(w, vk);
    EXPECT_EQ(actions_, std::vector<Action>{Action::ShowSearchBox});
    Key(w, VK_SPACE);
    Key(w, VK_RETURN, true);  // held down: no second run
    Key(w, VK_SPACE, true);
    EXPECT_EQ(actions_, (std::vector<Action>{Action::ShowSearchBox, Action::ShowSearchBox}));

    // The highlight hidden by the mouse on the background: Enter runs nothing.
    const RECT r = WindowRect(w);
    ::SetCursorPos(r.left + 260, r.top + 330);
    ::SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(260, 330));
    actions_.clear();
    Key(w, VK_RETURN);
    EXPECT_TRUE(actions_.empty());
    EXPECT_TRUE(effects_.Calls().empty());
}

TEST_F(Panel, TypedInitialsHighlightTheFirstMatchingCellAndEnterRunsIt) {
    LauncherPanel& panel = Open();
    const std::pair<const char*, const wchar_t*> typed[] = {
        {"jsb", L"记事本"},     {"jsq", L"计算器"},   {"zmqs", L"桌面取色"}, {"wddn", L"我的电脑"},
        {"gbjsj", L"关闭计算机"}, {"dkgq", L"打开光驱"}, {"JSB", L"记事本"},   {"j", L"计算器"},
        {"g", L"关于"},         {"gb", L"关闭显示器"}, {"g1b?", L"关闭显示器"},
    };
    for (const auto& [letters, caption] : typed) {
        Type(letters);
        EXPECT_EQ(HighlightedCaption(), caption) << letters;
        EXPECT_TRUE(panel.HighlightVisible());
    }
    EXPECT_TRUE(actions_.empty()) << "typing only highlights";
    Type("jsq");
    Key(panel.hwnd(), VK_RETURN);
    EXPECT_EQ(actions_, std::vector<Action>{Action::StartCalculator});

    // Letters a second or more apart start again; closer ones go on.
    ticks_.now += 1000;
    ::SendMessageW(panel.hwnd(), WM_CHAR, 'g', 1);
    ticks_.now += 999;
    ::SendMessageW(panel.hwnd(), WM_CHAR, 'y', 1);
    EXPECT_EQ(HighlightedCaption(), L"关于");
    ticks_.now += 1000;
    ::SendMessageW(panel.hwnd(), WM_CHAR, 'j', 1);
    EXPECT_EQ(HighlightedCaption(), L"计算器") << "gyj would match nothing; j alone does";
}

TEST_F(Panel, TypingThatMatchesNothingLeavesTheHighlightWhereItWas) {
    LauncherPanel& panel = Open();
    Type("v");
    EXPECT_EQ(panel.HighlightedCell(), std::nullopt);
    EXPECT_EQ(panel.HighlightPosition().x, launcher::kHighlightParked);
    ::SendMessageW(panel.CellButton(7), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    Type("v");
    EXPECT_EQ(panel.HighlightedCell(), std::optional<size_t>(7));
    Type("jsx");  // j and js find 计算器, jsx nothing
    EXPECT_EQ(HighlightedCaption(), L"计算器");
    Type("b");
    EXPECT_EQ(HighlightedCaption(), L"计算器");
    EXPECT_TRUE(panel.HighlightVisible());
}

TEST_F(Panel, TheCdCellAnswersToTheCaptionItShows) {
    LauncherPanel& panel = Open();
    Type("dkgq");
    EXPECT_EQ(HighlightedCaption(), L"打开光驱");
    Key(panel.hwnd(), VK_RETURN);
    ASSERT_EQ(TextOf(panel.CdTrayCaption()), L"关闭光驱");
    Type("wddn");
    Type("dkgq");  // dk finds 打开控制面板; the CD cell no longer offers to open
    EXPECT_EQ(HighlightedCaption(), L"打开控制面板");
    Type("gbgq");
    EXPECT_EQ(HighlightedCaption(), L"关闭光驱");
    Key(panel.hwnd(), VK_SPACE);
    EXPECT_EQ(TextOf(panel.CdTrayCaption()), L"打开光驱");
    EXPECT_EQ(actions_, std::vector<Action>(2, Action::ToggleCdTray));
}

TEST_F(Panel, EscClosesThePanelAsItsCloseButtonDoes) {
    WritePlacementValue(L"frmLeft", L"1500");
    WritePlacementValue(L"frmTop", L"2250");
    LauncherPanel& panel = Open();
    ::SetWindowPos(panel.hwnd(), nullptr, 130, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Key(panel.hwnd(), VK_ESCAPE);
    EXPECT_EQ(panel.hwnd(), nullptr);
    EXPECT_EQ(ReadPlacementValue(L"frmLeft"), L"1950");  // saved on the way, in twips
    EXPECT_EQ(ReadPlacementValue(L"frmTop"), L"2400");
    EXPECT_TRUE(actions_.empty());
}

TEST_F(Panel, KeysTypedWhileThePanelIsActiveReachItWithNoInputMethodInBetween) {
    LauncherPanel& panel = Open();
    const HWND w = panel.hwnd();
    ::ShowWindow(w, SW_SHOW);
    ::SetForegroundWindow(w);
    ASSERT_TRUE(testing::PumpUntil([&] { return ::GetForegroundWindow() == w; }, 2000ms));
    EXPECT_EQ(::GetFocus(), w);
    EXPECT_EQ(::ImmGetContext(w), nullptr) << "an input method would compose the letters";

    // Real key presses, through the system's input queue.
    std::vector<INPUT> presses;
    for (WORD vk : {WORD{'J'}, WORD{'S'}, WORD{'Q'}, WORD{VK_RETURN}}) {
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.dwFlags = flags;
            presses.push_back(in);
        }
    }
    ::SendInput(static_cast<UINT>(presses.size()), presses.data(), sizeof(INPUT));
    EXPECT_TRUE(testing::PumpUntil([&] { return !actions_.empty(); }, 3000ms));
    EXPECT_EQ(HighlightedCaption(), L"计算器");
    EXPECT_EQ(actions_, std::vector<Action>{Action::StartCalculator});
}

}  // namespace
}  // namespace velmora
