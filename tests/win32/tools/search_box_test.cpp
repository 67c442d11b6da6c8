// The web-search box: its keyed-out window and controls, the search from
// the button and from Enter (recorded, so no browser starts), the message
// for an empty field, the mushroom's cycle, moving by the left button only,
// choosing the engine by the right one or the keyboard, closing by the ball
// or Esc, and what a
// window's life leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "tools/search_box.h"
#include "tools/tools_test_support.h"

namespace velmora {
namespace {

using namespace testing;

class SearchBoxTest : public ::testing::Test {
protected:
    void SetUp() override { Open(settings_); }
    void Open(SettingsStore& settings) {
        box_.reset();
        box_ = SearchBox::Create({effects_, prompts_, settings});
        ASSERT_NE(box_, nullptr);
    }
    void SearchFor(const wchar_t* keyword) {
        ::SetWindowTextW(box_->KeywordField(), keyword);
        ::SendMessageW(box_->SearchButton(), BM_CLICK, 0, 0);
    }
    // A real right click at client point `at` of the box; the rows of the
    // menu it opens, in which `keys` are pressed. Nothing when none opens.
    std::vector<MenuRow> RightClick(POINT at, std::initializer_list<UINT> keys) {
        std::vector<MenuRow> rows;
        WhileMenuIsOpen during([&] {
            rows = OpenMenuRows();
            PressKeys(box_->hwnd(), keys);
        });
        ClickAt(box_->hwnd(), at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        Pump(200ms);
        return rows;
    }

    std::string Searched(const std::string& address) const {
        return "ShellExecute(" + Hex(box_->hwnd()) + ", \"open\", \"" + address + "\", NULL, NULL, 0)";
    }
    std::vector<int> ShownMushrooms() const {
        std::vector<int> out;
        for (int i = 0; i < MushroomCycle::kCount; ++i)
            if (::GetWindowLongPtrW(box_->Mushroom(i), GWL_STYLE) & WS_VISIBLE) out.push_back(i);
        return out;
    }

    RecordingEffects effects_;
    RecordingPrompter prompts_;
    MemorySettings settings_;
    std::unique_ptr<SearchBox> box_;
};

constexpr POINT kGrass{150, 104};  // on the lawn below the field
constexpr POINT kMushroom{32, 20};

TEST_F(SearchBoxTest, LoadsHiddenCentredKeyedAndOffTheTaskbar) {
    const HWND hwnd = box_->hwnd();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_EQ(TextOf(hwnd), L"网络搜索");
    EXPECT_EQ(ClassOf(hwnd), L"Velmora.SearchBox");
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(::IsWindowVisible(owner));
    EXPECT_EQ(KeyOf(hwnd).key, RGB(255, 255, 255));
    EXPECT_EQ(KeyOf(hwnd).flags, static_cast<DWORD>(LWA_COLORKEY));
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(PlaceOf(client), (Place{0, 0, 327, 111}));
    const Place outer = WindowPlace(hwnd);
    EXPECT_LE(std::abs(outer.left - (::GetSystemMetrics(SM_CXSCREEN) - 327) / 2), 1) << outer;
    EXPECT_LE(std::abs(outer.top - (::GetSystemMetrics(SM_CYSCREEN) - 111) / 2), 1) << outer;
}

TEST_F(SearchBoxTest, ControlsSitWhereTheyBelongWithTheirTexts) {
    // Five mushrooms stacked in the corner, all standing before the first tick.
    EXPECT_EQ(ShownMushrooms(), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int i = 0; i < MushroomCycle::kCount; ++i) EXPECT_EQ(PlaceInParent(box_->Mushroom(i)), (Place{0, 0, 65, 66}));
    // The grass strip overhangs the window and holds the other three.
    EXPECT_EQ(PlaceInParent(box_->GrassStrip()), (Place{0, 64, 329, 57}));
    const struct {
        HWND control;
        const wchar_t* cls;
        const wchar_t* text;
        Place place;
    } rows[] = {
        {box_->KeywordField(), L"Edit", L"", {8, 8, 257, 27}},  // 26.7 pixels high
        {box_->SearchButton(), L"Button", L"搜", {272, 11, 25, 25}},
        {box_->CloseBall(), L"Static", L"关闭", {304, 0, 17, 17}},  // its name, never drawn
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(row.text));
        EXPECT_EQ(::GetParent(row.control), box_->GrassStrip());
        EXPECT_EQ(ClassOf(row.control), row.cls);
        EXPECT_EQ(TextOf(row.control), row.text);
        EXPECT_EQ(PlaceInParent(row.control), row.place);
    }
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(box_->KeywordField(), WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    EXPECT_STREQ(font.lfFaceName, L"宋体");
    EXPECT_EQ(font.lfHeight, -14);  // 10.5 point
    // The field's colours, as it asks its container for them.
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ::SendMessageW(box_->GrassStrip(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                   reinterpret_cast<LPARAM>(box_->KeywordField()));
    EXPECT_EQ(::GetBkColor(dc.get()), RGB(246, 246, 250));
    EXPECT_EQ(TipText(box_->ToolTip(), box_->GrassStrip(), box_->CloseBall()), L"关闭");
}

TEST_F(SearchBoxTest, ButtonAndEnterOpenTheSameEncodedAddress) {
    ::SetWindowTextW(box_->KeywordField(), L"a b&c");
    ::SendMessageW(box_->SearchButton(), BM_CLICK, 0, 0);
    ::SendMessageW(box_->KeywordField(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    // Other keys search nothing, and the keyword stays for another search.
    ::SendMessageW(box_->KeywordField(), WM_KEYDOWN, 'X', 0);
    const std::string address = Searched("http://www.baidu.com/s?wd=a%20b%26c&ie=utf-8");
    EXPECT_EQ(effects_.Calls(), (std::vector<std::string>{address, address}));
    EXPECT_EQ(TextOf(box_->KeywordField()), L"a b&c");

    effects_.Clear();
    ::SetWindowTextW(box_->KeywordField(), L"中文");
    ::SendMessageW(box_->KeywordField(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(effects_.Calls(),
              (std::vector<std::string>{Searched("http://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87&ie=utf-8")}));
    EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(SearchBoxTest, AnEmptyFieldAsksForAKeywordButBlanksAreSearched) {
    ::SendMessageW(box_->SearchButton(), BM_CLICK, 0, 0);
    ::SendMessageW(box_->KeywordField(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_EQ(prompts_.boxes.size(), 2u);
    for (const ShownBox& box : prompts_.boxes) {
        EXPECT_EQ(box.owner, box_->hwnd());
        EXPECT_EQ(box.text, L"请先输入关键字！       ");
        EXPECT_EQ(box.title, L"Velmora");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_TRUE(effects_.Calls().empty());
    ::SetWindowTextW(box_->KeywordField(), L"   ");
    ::SendMessageW(box_->SearchButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(effects_.Calls(), (std::vector<std::string>{Searched("http://www.baidu.com/s?wd=%20%20%20&ie=utf-8")}));
    EXPECT_EQ(prompts_.boxes.size(), 2u);
}

TEST_F(SearchBoxTest, TheMushroomCyclesThroughFourOfItsFive) {
    for (int expected : {1, 2, 3, 0, 1, 2, 3, 0}) {
        ::SendMessageW(box_->hwnd(), WM_TIMER, SearchBox::kMushroomTimer, 0);
        EXPECT_EQ(ShownMushrooms(), (std::vector<int>{expected}));
    }
    // Another timer's tick is none of its business.
    ::SendMessageW(box_->hwnd(), WM_TIMER, SearchBox::kMushroomTimer + 7, 0);
    EXPECT_EQ(ShownMushrooms(), (std::vector<int>{0}));
    // And the real timer ticks by itself, every 1.5 seconds.
    EXPECT_TRUE(PumpUntil([&] { return ShownMushrooms() == std::vector<int>{1}; }, 2500ms));
}

TEST_F(SearchBoxTest, TheLeftButtonOnGrassOrMushroomMovesTheWindowNothingElseDoes) {
    const HWND hwnd = box_->hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    ::SetForegroundWindow(hwnd);
    Pump(200ms);
    const POINT grass{150, 104};  // on the lawn below the field
    const Place before = WindowPlace(hwnd);
    EXPECT_EQ(PlaceOf(Drag(hwnd, grass, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP)), before) << "right button";
    EXPECT_EQ(PlaceOf(Drag(hwnd, {100, 85}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP)), before) << "in the field";
    const Place moved = PlaceOf(Drag(hwnd, grass, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(moved, (Place{before.left + 40, before.top + 30, before.width, before.height})) << "left on grass";
    const Place again = PlaceOf(Drag(hwnd, {32, 20}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(again, (Place{moved.left + 40, moved.top + 30, moved.width, moved.height})) << "left on the mushroom";
    EXPECT_TRUE(effects_.Calls().empty());
}

TEST_F(SearchBoxTest, ActivationFocusesTheFieldAndTheBallCloses) {
    ::ShowWindow(box_->hwnd(), SW_SHOW);
    ::SetForegroundWindow(box_->hwnd());
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == box_->KeywordField(); }, 1000ms));
    ::SetFocus(box_->SearchButton());
    ::SendMessageW(box_->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), box_->KeywordField());

    const HWND ball = box_->CloseBall();
    // Pressed on the ball and released elsewhere: no click.
    ::SendMessageW(ball, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(ball, WM_LBUTTONUP, 0, MAKELPARAM(60, 3));
    ASSERT_NE(box_->hwnd(), nullptr);
    ::SendMessageW(ball, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(ball, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(box_->hwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(ball));
}

TEST_F(SearchBoxTest, NothingIsLeftBehindAcrossManyWindows) {
    box_.reset();
    const int windows = ThreadWindows();
    const long objects = UniqueGdiObject::live(), bitmaps = UniqueBitmap::live(), icons = UniqueIcon::live(),
               dcs = UniqueMemoryDc::live(), regions = UniqueRegion::live(), owned = UniqueWindow::live();
    // Wine takes two seconds to let go of a shown window without a window
    // manager: a few boxes are shown and painted, many more only loaded.
    for (int i = 0; i < 12; ++i) {
        const bool show = i % 6 == 0;
        box_ = SearchBox::Create({effects_, prompts_, settings_});
        ASSERT_NE(box_, nullptr);
        if (show) ::ShowWindow(box_->hwnd(), SW_SHOW);
        for (int tick = 0; tick < (show ? 10 : 1); ++tick) {
            ::SendMessageW(box_->hwnd(), WM_TIMER, SearchBox::kMushroomTimer, 0);
            ::SetFocus(tick % 2 ? box_->SearchButton() : box_->KeywordField());
            ::RedrawWindow(box_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                                                RDW_UPDATENOW);
        }
        // Closed as the ball closes it on even rounds, dropped by its owner on
        // odd ones.
        if (i % 2 == 0) ::SendMessageW(box_->hwnd(), WM_CLOSE, 0, 0);
        box_.reset();
    }
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueIcon::live(), icons);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueWindow::live(), owned);  // hidden owners and tips
    EXPECT_EQ(ThreadWindows(), windows);
}

// ---- the engine

TEST_F(SearchBoxTest, TheProfileNamesTheEngineAndAnyOtherValueIsBaidu) {
    EXPECT_EQ(box_->Engine(), search::Engine::Baidu) << "nothing stored";
    settings_.Set("sousuo", "必应");
    Open(settings_);
    EXPECT_EQ(box_->Engine(), search::Engine::Bing);
    SearchFor(L"a b");
    EXPECT_EQ(effects_.Calls(), (std::vector<std::string>{Searched("https://www.bing.com/search?q=a%20b")}));
    effects_.Clear();
    settings_.Set("sousuo", "Google");
    Open(settings_);
    SearchFor(L"a b");
    EXPECT_EQ(effects_.Calls(), (std::vector<std::string>{Searched("https://www.google.com/search?q=a%20b")}));
    // The value as the file holds it: GBK, read back by the profile.
    TempFolder folder;
    ProfileFile profile(folder.File(L"vlmr.INI"));
    const struct {
        std::string bytes;
        search::Engine engine;
    } values[] = {
        {"\xB1\xD8\xD3\xA6", search::Engine::Bing},             // 必应 in GBK
        {"  360\xCB\xD1\xCB\xF7 ", search::Engine::So360},      // 360搜索, blanks round it
        {"\xE5\xBF\x85\xE5\xBA\x94", search::Engine::Baidu},     // 必应 in UTF-8: not the file's code page
        {"\xB1", search::Engine::Baidu},                         // half a character
        {"Google" + std::string(4000, 'x'), search::Engine::Baidu},
        {std::string(4000, '\xB1'), search::Engine::Baidu},
        {"google", search::Engine::Baidu},
    };
    for (const auto& v : values) {
        WriteBytes(profile.path(), "[Velmora]\r\nsousuo=" + v.bytes + "\r\n");
        Open(profile);
        EXPECT_EQ(box_->Engine(), v.engine) << v.bytes.substr(0, 12);
    }
}

TEST_F(SearchBoxTest, ARightClickOnGrassOrMushroomChoosesTheEngineAndTheProfileKeepsIt) {
    ::ShowWindow(box_->hwnd(), SW_SHOW);
    Pump(200ms);
    const Place before = WindowPlace(box_->hwnd());
    auto rows = RightClick(kGrass, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Captions(rows), (std::vector<std::wstring>{L"百度", L"必应", L"搜狗", L"360搜索", L"Google"}));
    ASSERT_EQ(rows.size(), 5u);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ((rows[i].state & MF_CHECKED) != 0, i == 0) << i;
    EXPECT_EQ(box_->Engine(), search::Engine::Bing);
    EXPECT_EQ(settings_.Written("sousuo"), "必应");
    SearchFor(L"中文");
    EXPECT_EQ(effects_.Calls(),
              (std::vector<std::string>{Searched("https://www.bing.com/search?q=%E4%B8%AD%E6%96%87")}));

    rows = RightClick(kMushroom, {VK_UP, VK_RETURN});  // up from the top: the last
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(rows[1].state & MF_CHECKED) << "the current one, 必应";
    EXPECT_FALSE(rows[0].state & MF_CHECKED);
    EXPECT_EQ(box_->Engine(), search::Engine::Google);
    EXPECT_EQ(settings_.Written("sousuo"), "Google");

    rows = RightClick(kGrass, {VK_DOWN, VK_ESCAPE});
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(box_->Engine(), search::Engine::Google) << "closed without a choice";
    EXPECT_EQ(WindowPlace(box_->hwnd()), before) << "the right button moves nothing";
    // The next box starts with the kept choice.
    Open(settings_);
    EXPECT_EQ(box_->Engine(), search::Engine::Google);
}

TEST_F(SearchBoxTest, WithoutAMouseTheFieldIsNamedAltDownOrF4ChoosesTheEngineAndEscCloses) {
    ::ShowWindow(box_->hwnd(), SW_SHOW);
    ::SetForegroundWindow(box_->hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == box_->KeywordField(); }, 1000ms));
    EXPECT_FALSE(AccessibleName(box_->KeywordField()).empty());
    EXPECT_FALSE(AccessibleName(box_->CloseBall()).empty());

    // Each key opens the engine menu; the keys pressed in it choose.
    auto menuAfter = [&](UINT msg, UINT vk, std::initializer_list<UINT> keys) {
        std::vector<MenuRow> rows;
        WhileMenuIsOpen during([&] {
            rows = OpenMenuRows();
            PressKeys(box_->hwnd(), keys);
        });
        ::PostMessageW(box_->KeywordField(), msg, vk, msg == WM_SYSKEYDOWN ? 1 << 29 : 0);
        Pump(300ms);
        return rows;
    };
    EXPECT_EQ(menuAfter(WM_SYSKEYDOWN, VK_DOWN, {VK_DOWN, VK_DOWN, VK_RETURN}).size(), 5u);
    EXPECT_EQ(box_->Engine(), search::Engine::Bing);
    EXPECT_EQ(settings_.Written("sousuo"), "必应");
    EXPECT_EQ(menuAfter(WM_KEYDOWN, VK_F4, {VK_DOWN, VK_ESCAPE}).size(), 5u);
    EXPECT_EQ(box_->Engine(), search::Engine::Bing) << "closed without a choice";
    EXPECT_EQ(::GetFocus(), box_->KeywordField()) << "typing goes on where it was";

    ::PostMessageW(box_->KeywordField(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return box_->hwnd() == nullptr; }, 1000ms));
}

TEST_F(SearchBoxTest, TheFieldKeepsItsOwnMenuTheButtonAndTheBallHaveNone) {
    ::ShowWindow(box_->hwnd(), SW_SHOW);
    Pump(200ms);
    const RECT button = testing::RectIn(box_->SearchButton(), box_->hwnd());
    const RECT ball = testing::RectIn(box_->CloseBall(), box_->hwnd());
    EXPECT_TRUE(RightClick({(button.left + button.right) / 2, (button.top + button.bottom) / 2}, {VK_ESCAPE}).empty());
    EXPECT_TRUE(RightClick({(ball.left + ball.right) / 2, (ball.top + ball.bottom) / 2}, {VK_ESCAPE}).empty());
    const auto field = RightClick({100, 85}, {VK_ESCAPE});
    EXPECT_FALSE(field.empty()) << "the edit control's own menu";
    for (const MenuRow& row : field) EXPECT_NE(row.caption, L"百度");
    EXPECT_EQ(box_->Engine(), search::Engine::Baidu);
    EXPECT_FALSE(settings_.Written("sousuo").has_value());
    EXPECT_NE(box_->hwnd(), nullptr);
}

TEST_F(SearchBoxTest, ADpiChangeScalesTheBoxItsControlsAndFontsAndLeavesNothingBehind) {
    const HWND hwnd = box_->hwnd();
    const std::vector<HWND> controls = {box_->GrassStrip(), box_->Mushroom(0), box_->KeywordField(),
                                        box_->SearchButton(), box_->CloseBall()};
    std::vector<RECT> at96;
    for (HWND c : controls) at96.push_back(testing::RectInParent(c));
    const Place outer96 = WindowPlace(hwnd);
    const auto change = [&](int dpi) {
        RECT suggested{};
        ::GetWindowRect(hwnd, &suggested);
        ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };
    change(144);
    const Place outer = WindowPlace(hwnd);
    EXPECT_NEAR(outer.width, outer96.width * 1.5, 1);
    EXPECT_NEAR(outer.height, outer96.height * 1.5, 1);
    for (size_t i = 0; i < controls.size(); ++i) {
        const RECT now = testing::RectInParent(controls[i]);
        EXPECT_NEAR(now.left, at96[i].left * 1.5, 1) << i;
        EXPECT_NEAR(now.top, at96[i].top * 1.5, 1) << i;
        EXPECT_NEAR(now.right, at96[i].right * 1.5, 1) << i;
        EXPECT_NEAR(now.bottom, at96[i].bottom * 1.5, 1) << i;
    }
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(box_->KeywordField(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -21) << "10.5 points at 144 dpi";

    const long objects = UniqueGdiObject::live(), bitmaps = UniqueBitmap::live(), icons = UniqueIcon::live();
    for (int i = 0; i < 20; ++i) change(i % 2 ? 144 : 192);
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueIcon::live(), icons);
}

TEST_F(SearchBoxTest, AScaleChangeWhileTheEngineMenuIsOpenLosesNeitherTheChoiceNorTheLayout) {
    ::ShowWindow(box_->hwnd(), SW_SHOW);
    Pump(200ms);
    std::vector<MenuRow> rows;
    WhileMenuIsOpen during([&] {
        rows = OpenMenuRows();
        RECT suggested{};
        ::GetWindowRect(box_->hwnd(), &suggested);
        ::SendMessageW(box_->hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        PressKeys(box_->hwnd(), {VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickAt(box_->hwnd(), kGrass, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Pump(200ms);
    ASSERT_TRUE(during.ran());
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(box_->Engine(), search::Engine::Bing) << "the second entry, chosen after the change";
    EXPECT_EQ(settings_.Written("sousuo"), "必应");
    EXPECT_EQ(WindowPlace(box_->hwnd()).width, 2 * 327);
}

}  // namespace
}  // namespace velmora
