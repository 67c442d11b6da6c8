// The colour picker as the user meets it: where it opens and how it is
// built, the lines for a known colour, what an unreadable pixel leaves, the
// handles ten thousand readings of the real screen leave behind, moving it
// with the mouse, closing it, and copying the colour it remembers from its
// right-click menu and with Ctrl+C.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "platform/controls.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/text.h"
#include "resources/ids.h"
#include "tools/colour_picker.h"
#include "tools/tools_test_support.h"

namespace velmora {
namespace {

using namespace testing;

// A plain window of one colour, above everything, for the picker to read.
class ColourWindow {
public:
    ColourWindow(COLORREF colour, int left) : brush_(::CreateSolidBrush(colour)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AppInstance();
        wc.lpszClassName = L"VelmoraTestColour";
        ::RegisterClassW(&wc);
        window_.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, left, 400,
                                        100, 100, nullptr, nullptr, AppInstance(), nullptr));
        ::SetClassLongPtrW(window_.get(), GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_.get()));
        ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(window_.get());
        Pump();
    }

private:
    UniqueGdiObject brush_;
    UniqueWindow window_;
};

class ColourPickerTest : public ::testing::Test {
protected:
    void Open(ScreenPixels& pixels) {
        picker_ = ColourPicker::Create({pixels, owner_.get(), copied_});
        ASSERT_NE(picker_, nullptr);
    }
    void SetUp() override { Open(fake_); }
    void Tick() { ::SendMessageW(picker_->hwnd(), WM_TIMER, ColourPicker::kReadingTimer, 0); }
    void Read(COLORREF colour) {
        fake_.reading = PixelReading{{5, 5}, colour};
        Tick();
    }

    // A reading of `colour` with the pointer outside the picker or over it.
    void ReadOutside(COLORREF colour) {
        const Place p = WindowPlace(picker_->hwnd());
        ::SetCursorPos(p.left + p.width + 60, p.top + p.height + 60);
        Read(colour);
    }
    void ReadOver(COLORREF colour) {
        const Place p = WindowPlace(picker_->hwnd());
        ::SetCursorPos(p.left + p.width / 2, p.top + p.height / 2);
        Read(colour);
    }
    // Opens the copy menu as a right click at `at` (screen) would, takes its
    // rows and presses `keys` in it.
    std::vector<MenuRow> ChooseFromMenu(POINT at, std::initializer_list<UINT> keys) {
        std::vector<MenuRow> rows;
        WhileMenuIsOpen during([&] {
            rows = OpenMenuRows();
            PressKeys(picker_->hwnd(), keys);
        });
        ::SendMessageW(picker_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(picker_->hwnd()),
                       MAKELPARAM(at.x, at.y));
        EXPECT_TRUE(during.ran()) << "no menu appeared";
        return rows;
    }

    UniqueWindow owner_ = HiddenOwner();
    FakePixels fake_;
    colour::CopyHistory copied_;
    std::unique_ptr<ColourPicker> picker_;
};

TEST_F(ColourPickerTest, OpensHiddenAtHalfTheScreenLessTwiceItsWidthTopmostAndKeyed) {
    const HWND hwnd = picker_->hwnd();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_EQ(TextOf(hwnd), L"放大镜");
    EXPECT_EQ(ClassOf(hwnd), L"Velmora.ColourPicker");
    EXPECT_EQ(WindowPlace(hwnd), (Place{::GetSystemMetrics(SM_CXSCREEN) / 2 - 2 * 238, 7, 238, 134}))
        << "no border; top 100 twips";
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), owner_.get()) << "no taskbar button on any shell";
    EXPECT_EQ(KeyOf(hwnd).key, RGB(255, 255, 255));
    EXPECT_EQ(KeyOf(hwnd).flags, static_cast<DWORD>(LWA_COLORKEY));
}

TEST_F(ColourPickerTest, ControlsSitWhereTheyBelongWithTheirLooks) {
    const HWND hwnd = picker_->hwnd();
    EXPECT_EQ(PlaceInParent(picker_->Swatch()), (Place{0, 81, 41, 40}));
    EXPECT_EQ(PlaceInParent(picker_->CloseCross()), (Place{80, -6, 33, 33}));
    // The two lines keep the ids that tools outside the program read.
    EXPECT_EQ(::GetDlgItem(hwnd, 3), picker_->DecimalLine());
    EXPECT_EQ(::GetDlgItem(hwnd, 4), picker_->HexLine());
    for (auto [line, text, top] : {std::tuple{picker_->DecimalLine(), L"Label2", 80L},
                                   std::tuple{picker_->HexLine(), L"Label3", 96L}}) {
        EXPECT_EQ(ClassOf(line), L"Static");
        EXPECT_EQ(TextOf(line), text);
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(line, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_EQ(lf.lfHeight, -12) << "9 point";
        // Sized to its text.
        EXPECT_EQ(PlaceInParent(line), (Place{56, top, TextSize(font, text).cx, TextSize(font, text).cy}));
        UniqueMemoryDc probe(::CreateCompatibleDC(nullptr));
        ::SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(probe.get()), reinterpret_cast<LPARAM>(line));
        EXPECT_EQ(::GetTextColor(probe.get()), RGB(0, 0, 255));
        EXPECT_EQ(::GetBkColor(probe.get()), RGB(250, 250, 250));
    }
    EXPECT_EQ(TipText(picker_->ToolTip(), hwnd, picker_->CloseCross()), L"关闭");
}

TEST_F(ColourPickerTest, AReadingFillsTheSwatchAndBothLines) {
    const struct {
        COLORREF colour;
        const wchar_t* decimal;
        const wchar_t* hex;
    } cases[] = {{RGB(171, 205, 239), L"Red:171 Green:205 Blue:239", L"Red:AB Green:CD Blue:EF"},
                 {RGB(5, 0, 0), L"Red:5 Green:0 Blue:0", L"Red:05 Green:00 Blue:00"},
                 {RGB(255, 255, 255), L"Red:255 Green:255 Blue:255", L"Red:FF Green:FF Blue:FF"}};
    for (const auto& c : cases) {
        Read(c.colour);
        EXPECT_EQ(picker_->Reading(), c.colour);
        EXPECT_EQ(TextOf(picker_->DecimalLine()), c.decimal);
        EXPECT_EQ(TextOf(picker_->HexLine()), c.hex);
        // The line grew or shrank with its text.
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(picker_->DecimalLine(), WM_GETFONT, 0, 0));
        EXPECT_EQ(PlaceInParent(picker_->DecimalLine()).width, TextSize(font, c.decimal).cx);
    }
}

TEST_F(ColourPickerTest, AnUnreadablePixelLeavesSwatchAndLinesAsTheyWere) {
    // Before any good reading, the placeholders stay.
    fake_.reading = PixelReading{{5, 5}, CLR_INVALID};
    Tick();
    EXPECT_EQ(TextOf(picker_->DecimalLine()), L"Label2");
    EXPECT_EQ(picker_->Reading(), std::nullopt);

    Read(RGB(171, 205, 239));
    fake_.readings = 0;
    Read(CLR_INVALID);  // off every monitor
    fake_.reading = std::nullopt;  // neither screen nor pointer readable
    Tick();
    EXPECT_EQ(fake_.readings, 2);
    EXPECT_EQ(picker_->Reading(), RGB(171, 205, 239));
    EXPECT_EQ(TextOf(picker_->DecimalLine()), L"Red:171 Green:205 Blue:239");
    EXPECT_EQ(TextOf(picker_->HexLine()), L"Red:AB Green:CD Blue:EF");
}

TEST_F(ColourPickerTest, ReadingsComeByThemselvesEveryTenthOfASecond) {
    EXPECT_TRUE(PumpUntil([&] { return fake_.readings >= 3; }, 3000ms));
    EXPECT_EQ(TextOf(picker_->DecimalLine()), L"Red:0 Green:0 Blue:0");
}

TEST_F(ColourPickerTest, AThousandReadingsOfTheScreenLeaveNoHandleBehind) {
    ScreenPixelReader screen;
    Open(screen);
    ::ShowWindow(picker_->hwnd(), SW_SHOWNOACTIVATE);
    ColourWindow a(RGB(10, 120, 200), 600), b(RGB(200, 40, 90), 700);
    ::SetCursorPos(650, 450);
    Tick();
    Pump();
    EXPECT_EQ(picker_->Reading(), RGB(10, 120, 200)) << "the real screen under the pointer";
    const long gdi = UniqueGdiObject::live(), regions = UniqueRegion::live(), bitmaps = UniqueBitmap::live(),
               dcs = UniqueMemoryDc::live();
    UniqueGdiObject probe(::CreateSolidBrush(RGB(1, 2, 3)));
    const auto slotBefore = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe.get()) & 0xFFFF);
    probe.reset();
    long screenDcsHeld = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 100 == 0) ::SetCursorPos(i % 200 == 0 ? 650 : 750, 450);  // the swatch and lines change
        Tick();
        if (i % 100 == 0) Pump();  // and repaint
        screenDcsHeld += UniqueScreenDc::live();
    }
    Pump();
    EXPECT_EQ(screenDcsHeld, 0) << "the screen context goes back at the end of every reading";
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    // A GDI handle's low word is its slot in the table: an object kept per
    // reading would push the next free slot a thousand further on.
    probe.reset(::CreateSolidBrush(RGB(1, 2, 3)));
    const auto slotAfter = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe.get()) & 0xFFFF);
    EXPECT_LT(slotAfter - slotBefore, 100) << slotBefore << " then " << slotAfter;
    EXPECT_EQ(picker_->Reading(), RGB(200, 40, 90));
}

// An opaque pixel of the pipette deep inside it and away from every
// control, in client coordinates.
POINT PipetteGrip(const ColourPicker& picker) {
    UniqueBitmap pipette = LoadBitmapResource(IDB_PICKER_PIPETTE);
    BITMAP bm{};
    ::GetObjectW(pipette.get(), sizeof bm, &bm);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB}};
    std::vector<DWORD> bgra(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ::GetDIBits(dc.get(), pipette.get(), 0, bm.bmHeight, bgra.data(), &bi, DIB_RGB_COLORS);
    RECT grip{0, 0, bm.bmWidth, bm.bmHeight};
    auto opaque = [&](int x, int y) { return ::PtInRect(&grip, {x, y}) && bgra[y * bm.bmWidth + x] >> 24 == 255; };
    auto onControl = [&](int x, int y) {
        for (HWND c : {picker.CloseCross(), picker.Swatch(), picker.DecimalLine(), picker.HexLine()}) {
            RECT r = RectInParent(c);
            ::InflateRect(&r, 4, 4);
            if (::PtInRect(&r, {x, y})) return true;
        }
        return false;
    };
    for (int y = 0; y < bm.bmHeight; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            bool inside = !onControl(x, y);
            for (int d = -3; d <= 3 && inside; ++d) inside = opaque(x + d, y) && opaque(x, y + d);
            if (inside) return {x, y};
        }
    }
    return {-1, -1};
}

TEST_F(ColourPickerTest, TheLeftButtonOnThePipetteMovesItTheMiddleOneAndControlsDoNot) {
    const HWND hwnd = picker_->hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    Pump(200ms);
    const POINT grip = PipetteGrip(*picker_);
    ASSERT_GE(grip.x, 0);
    const Place before = WindowPlace(hwnd);
    EXPECT_EQ(PlaceOf(Drag(hwnd, grip, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP)), before) << "middle button";
    EXPECT_EQ(PlaceOf(Drag(hwnd, {60, 84}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP)), before) << "on a line";
    EXPECT_EQ(PlaceOf(Drag(hwnd, {8, 100}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP)), before) << "on the swatch";
    EXPECT_EQ(PlaceOf(Drag(hwnd, grip, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP)),
              (Place{before.left + 40, before.top + 30, before.width, before.height}));
}

TEST_F(ColourPickerTest, TheCrossClosesItAPressReleasedElsewhereDoesNot) {
    const HWND cross = picker_->CloseCross();
    ::SendMessageW(cross, WM_SETCURSOR, reinterpret_cast<WPARAM>(cross), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), HandCursor());
    ::SendMessageW(cross, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    ::SendMessageW(cross, WM_LBUTTONUP, 0, MAKELPARAM(200, 16));
    ASSERT_NE(picker_->hwnd(), nullptr);
    ::SendMessageW(cross, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    ::SendMessageW(cross, WM_LBUTTONUP, 0, MAKELPARAM(16, 16));
    EXPECT_EQ(picker_->hwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(cross));
}

TEST_F(ColourPickerTest, EscClosesItAsTheCrossDoesWhichAScreenReaderCanName) {
    EXPECT_FALSE(AccessibleName(picker_->CloseCross()).empty());
    ::PostMessageW(picker_->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return picker_->hwnd() == nullptr; }, 1000ms));
}

// ---- copying

constexpr COLORREF kSky = RGB(171, 205, 239);

TEST_F(ColourPickerTest, ItRemembersTheLastColourReadWithThePointerOutsideIt) {
    ReadOver(RGB(1, 2, 3));
    EXPECT_EQ(picker_->Reading(), RGB(1, 2, 3));
    EXPECT_EQ(picker_->Remembered(), std::nullopt) << "over the picker: its own pixels";
    ReadOutside(kSky);
    EXPECT_EQ(picker_->Remembered(), kSky);
    // On the way to the picker's menu the display follows the pointer, the
    // remembered colour stays.
    ReadOver(RGB(0, 0, 0));
    EXPECT_EQ(picker_->Reading(), RGB(0, 0, 0));
    EXPECT_EQ(TextOf(picker_->HexLine()), L"Red:00 Green:00 Blue:00");
    EXPECT_EQ(picker_->Remembered(), kSky);
    ReadOutside(CLR_INVALID);
    EXPECT_EQ(picker_->Remembered(), kSky) << "an unreadable pixel is no colour";
    ReadOutside(RGB(9, 8, 7));
    EXPECT_EQ(picker_->Remembered(), RGB(9, 8, 7));
}

TEST_F(ColourPickerTest, ItsMenuOffersTheRememberedColourThreeWaysAndCopiesTheChoice) {
    ReadOutside(kSky);
    ReadOver(RGB(0, 0, 0));
    SetClipboardText(L"before");
    const POINT at{300, 200};
    POINT corner{};
    const auto rows = ChooseFromMenu(at, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Captions(rows),
              (std::vector<std::wstring>{L"复制 #ABCDEF", L"复制 rgb(171, 205, 239)", L"复制 hsl(210, 68%, 80%)"}));
    for (const MenuRow& row : rows) {
        EXPECT_EQ(row.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u) << Narrow(row.caption);
        EXPECT_TRUE(row.has_picture) << "a swatch of the colour";
    }
    EXPECT_EQ(ClipboardText(), L"rgb(171, 205, 239)");
    EXPECT_EQ(copied_.Colours(), (std::vector<std::uint32_t>{kSky}));

    WhileMenuIsOpen during([&] {
        corner = OpenMenuCorner();
        PressKeys(picker_->hwnd(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ::SendMessageW(picker_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(picker_->Swatch()),
                   MAKELPARAM(at.x, at.y));
    EXPECT_EQ(corner.x, at.x);
    EXPECT_EQ(corner.y, at.y) << "the menu opens where the click was";
    EXPECT_EQ(ClipboardText(), L"hsl(210, 68%, 80%)");
    ChooseFromMenu(at, {VK_DOWN, VK_RETURN});
    EXPECT_EQ(ClipboardText(), L"#ABCDEF");
    EXPECT_EQ(copied_.Colours(), (std::vector<std::uint32_t>{kSky})) << "one colour, copied three ways";
    ChooseFromMenu(at, {VK_ESCAPE});
    EXPECT_EQ(ClipboardText(), L"#ABCDEF") << "closing the menu copies nothing";
}

TEST_F(ColourPickerTest, ClosedFromOutsideWhileItsMenuIsUpItCopiesNothing) {
    ReadOutside(kSky);
    SetClipboardText(L"before");
    // The keys go to another window of the thread: the menu's loop takes
    // them, and the picker's window is gone by then.
    WhileMenuIsOpen during([&] {
        ::PostMessageW(picker_->hwnd(), WM_CLOSE, 0, 0);
        PressKeys(owner_.get(), {VK_DOWN, VK_RETURN});
    });
    ::SendMessageW(picker_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(picker_->hwnd()), MAKELPARAM(300, 200));
    ASSERT_TRUE(during.ran());
    EXPECT_EQ(picker_->hwnd(), nullptr) << "closed";
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_TRUE(copied_.Colours().empty());
}

TEST_F(ColourPickerTest, CopiedColoursFollowTheThreeFormsNewestFirstAndCopyAgainAsHex) {
    ReadOutside(RGB(255, 0, 0));
    picker_->CopyRemembered();
    ReadOutside(RGB(0, 128, 0));
    ChooseFromMenu({300, 200}, {VK_DOWN, VK_DOWN, VK_RETURN});  // rgb(0, 128, 0)
    ReadOutside(kSky);
    const auto rows = ChooseFromMenu({300, 200}, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Captions(rows), (std::vector<std::wstring>{L"复制 #ABCDEF", L"复制 rgb(171, 205, 239)",
                                                         L"复制 hsl(210, 68%, 80%)", L"", L"#008000", L"#FF0000"}));
    EXPECT_TRUE(rows[3].state & MF_SEPARATOR);
    EXPECT_TRUE(rows[4].has_picture);
    EXPECT_EQ(ClipboardText(), L"#FF0000") << "the oldest, chosen, copied again as #RRGGBB";
    EXPECT_EQ(copied_.Colours(), (std::vector<std::uint32_t>{RGB(255, 0, 0), RGB(0, 128, 0)}));
}

TEST_F(ColourPickerTest, BeforeAnyColourIsRememberedNothingIsCopied) {
    ReadOver(kSky);
    SetClipboardText(L"before");
    const auto rows = ChooseFromMenu({300, 200}, {VK_ESCAPE});
    EXPECT_EQ(Captions(rows),
              (std::vector<std::wstring>{L"复制 #RRGGBB", L"复制 rgb(r, g, b)", L"复制 hsl(h, s%, l%)"}));
    for (const MenuRow& row : rows) EXPECT_TRUE(row.state & MF_GRAYED) << Narrow(row.caption);
    picker_->CopyRemembered();
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_TRUE(copied_.Colours().empty());
}

void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD vk : keys) in.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = vk}});
    for (auto k = std::rbegin(keys); k != std::rend(keys); ++k) {
        in.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = *k, .dwFlags = KEYEVENTF_KEYUP}});
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

TEST_F(ColourPickerTest, CtrlCInTheActivePickerCopiesTheRememberedColourAsHex) {
    ::ShowWindow(picker_->hwnd(), SW_SHOW);
    ::SetForegroundWindow(picker_->hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == picker_->hwnd(); }, 2000ms));
    ReadOutside(kSky);
    ReadOver(RGB(0, 0, 0));
    SetClipboardText(L"before");
    PressChord({'C'});
    PressChord({VK_CONTROL, VK_MENU, 'C'});
    PressChord({VK_CONTROL, 'X'});
    Pump(200ms);
    EXPECT_EQ(ClipboardText(), L"before") << "C alone, Ctrl+Alt+C, Ctrl+X";
    PressChord({VK_CONTROL, 'C'});
    EXPECT_TRUE(PumpUntil([] { return ClipboardText() == L"#ABCDEF"; }, 2000ms)) << Narrow(ClipboardText());
    EXPECT_EQ(copied_.Colours(), (std::vector<std::uint32_t>{kSky}));
}

TEST_F(ColourPickerTest, AClipboardHeldAMomentIsWaitedForOneHeldLongerIsGivenUpSilently) {
    ReadOutside(kSky);
    SetClipboardText(L"before");
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.held());
        picker_->CopyRemembered();
        // It gave up while the clipboard was still held, without waiting
        // for it to come free.
        EXPECT_EQ(ClipboardText(), L"(held)");
        EXPECT_TRUE(copied_.Colours().empty()) << "not copied, so not in the history";
    }
    EXPECT_EQ(ClipboardText(), L"before");
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.held());
        holder.ReleaseAfter(5);
        picker_->CopyRemembered();
        EXPECT_EQ(ClipboardText(), L"#ABCDEF") << "copied once the holder let go";
    }
    EXPECT_EQ(copied_.Colours(), (std::vector<std::uint32_t>{kSky}));
}

TEST_F(ColourPickerTest, ARightClickOnEveryDrawnPartOpensTheMenuAndMovesNothing) {
    const HWND hwnd = picker_->hwnd();
    Tick();  // a coloured swatch: white would be keyed out
    ::ShowWindow(hwnd, SW_SHOW);
    Pump(200ms);
    const POINT grip = PipetteGrip(*picker_);
    ASSERT_GE(grip.x, 0);
    const Place before = WindowPlace(hwnd);
    const RECT cross = RectInParent(picker_->CloseCross());
    for (const POINT at : {grip, POINT{8, 100}, POINT{60, 84}, POINT{60, 100},
                           POINT{(cross.left + cross.right) / 2, (cross.top + cross.bottom) / 2}}) {
        SCOPED_TRACE(std::to_string(at.x) + "," + std::to_string(at.y));
        POINT corner{};
        WhileMenuIsOpen during([&] {
            corner = OpenMenuCorner();
            PressKeys(hwnd, {VK_ESCAPE});
        });
        ClickAt(hwnd, at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(during.ran()) << "no menu";
        POINT screen = at;
        ::ClientToScreen(hwnd, &screen);
        EXPECT_EQ(corner.x, screen.x);
        EXPECT_EQ(corner.y, screen.y);
        EXPECT_EQ(WindowPlace(hwnd), before);
        EXPECT_NE(picker_->hwnd(), nullptr) << "the cross closes on the left button only";
    }
}

// ---- at other scales

void ChangeDpi(HWND hwnd, int dpi) {
    RECT suggested{};
    ::GetWindowRect(hwnd, &suggested);
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The swatch as it paints itself, top row first, 0x00RRGGBB.
std::vector<DWORD> SwatchPixels(HWND swatch, SIZE* size) {
    RECT r{};
    ::GetClientRect(swatch, &r);
    *size = {r.right, r.bottom};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!picture || !dc || !bits) return {};
    SelectGuard select(dc.get(), picture.get());
    ::SendMessageW(swatch, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> out(first, first + static_cast<size_t>(r.right) * r.bottom);
    for (DWORD& p : out) p &= 0x00FFFFFF;
    return out;
}

TEST_F(ColourPickerTest, ADpiChangeScalesTheWindowItsControlsAndFontAndLeavesNothingBehind) {
    const HWND hwnd = picker_->hwnd();
    Read(RGB(255, 255, 255));  // the widest lines
    const std::vector<HWND> controls = {picker_->Swatch(), picker_->CloseCross(), picker_->DecimalLine(),
                                        picker_->HexLine()};
    std::vector<RECT> at96;
    for (HWND c : controls) at96.push_back(RectInParent(c));
    const Place outer96 = WindowPlace(hwnd);
    LOGFONTW font96{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(picker_->DecimalLine(), WM_GETFONT, 0, 0)), sizeof font96,
                 &font96);
    for (const int dpi : {144, 192, 96}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(hwnd, dpi);
        const double s = dpi / 96.0;
        const Place outer = WindowPlace(hwnd);
        EXPECT_NEAR(outer.width, outer96.width * s, 2);
        EXPECT_NEAR(outer.height, outer96.height * s, 2);
        for (size_t i = 0; i < controls.size(); ++i) {
            const RECT now = RectInParent(controls[i]);
            EXPECT_NEAR(now.left, at96[i].left * s, 2) << i;
            EXPECT_NEAR(now.top, at96[i].top * s, 2) << i;
            EXPECT_NEAR(now.bottom, at96[i].bottom * s, 2) << i;
            // A line is as wide as its text, which a font at another size
            // does not make exactly s times as wide.
            if (i < 2) EXPECT_NEAR(now.right, at96[i].right * s, 2) << i;
        }
        for (HWND line : {picker_->DecimalLine(), picker_->HexLine()}) {
            const auto font = reinterpret_cast<HFONT>(::SendMessageW(line, WM_GETFONT, 0, 0));
            LOGFONTW lf{};
            ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
            EXPECT_NEAR(lf.lfHeight, font96.lfHeight * s, 1) << "9 points at the DPI";
            const SIZE text = TextSize(font, TextOf(line));
            EXPECT_GE(PlaceInParent(line).width, text.cx) << "not clipped";
            EXPECT_GE(PlaceInParent(line).height, text.cy) << "not clipped";
        }
    }
    const long objects = UniqueGdiObject::live(), bitmaps = UniqueBitmap::live(), regions = UniqueRegion::live(),
               dcs = UniqueMemoryDc::live();
    for (int i = 0; i < 20; ++i) ChangeDpi(hwnd, i % 2 ? 144 : 192);
    ChangeDpi(hwnd, 96);
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
}

TEST_F(ColourPickerTest, AtEveryScaleTheSwatchIsTheColourReadInAnAreaScaledWithItAndReadingsKeepNothing) {
    const HWND hwnd = picker_->hwnd();
    const COLORREF colour = RGB(10, 120, 200);
    const DWORD shown = RGB(200, 120, 10);  // as 0x00RRGGBB
    long coloured96 = 0;
    for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        ChangeDpi(hwnd, dpi);
        Read(colour);
        SIZE size{};
        const std::vector<DWORD> pixels = SwatchPixels(picker_->Swatch(), &size);
        ASSERT_FALSE(pixels.empty());
        long coloured = 0, other = 0;
        for (const DWORD p : pixels) {
            if (p == shown) {
                ++coloured;
            } else if (p != 0xFFFFFF) {
                ++other;
            }
        }
        ASSERT_GT(coloured, 0);
        EXPECT_EQ(other, 0) << "only the colour read and the keyed-out white";
        // The middle of each side is the colour: the frame is thin at any scale.
        EXPECT_EQ(pixels[static_cast<size_t>(size.cy / 2) * size.cx + size.cx / 6], shown);
        if (dpi == 96) coloured96 = coloured;
        const double s = dpi / 96.0;
        EXPECT_NEAR(coloured, coloured96 * s * s, coloured96 * s * s * 0.1) << "the colour's area scales with the DPI";
    }
    const long objects = UniqueGdiObject::live(), regions = UniqueRegion::live(), bitmaps = UniqueBitmap::live();
    UniqueGdiObject probe(::CreateSolidBrush(RGB(1, 2, 3)));
    const auto slotBefore = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe.get()) & 0xFFFF);
    probe.reset();
    for (int i = 0; i < 200; ++i) Read(i % 2 ? RGB(10, 120, 200) : RGB(200, 40, 9));
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    probe.reset(::CreateSolidBrush(RGB(1, 2, 3)));
    const auto slotAfter = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe.get()) & 0xFFFF);
    // An object kept per reading would push the next free slot 200 on.
    EXPECT_LT(slotAfter - slotBefore, 100) << slotBefore << " then " << slotAfter;
}

// The picker's own DPI changes nothing of where it reads: the pointer and
// the screen are in the same physical pixels on every monitor.
TEST_F(ColourPickerTest, AtAScaledDpiItReadsThePhysicalPixelUnderThePointer) {
    ScreenPixelReader screen;
    Open(screen);
    ChangeDpi(picker_->hwnd(), 144);
    ColourWindow a(RGB(10, 120, 200), 600), b(RGB(200, 40, 90), 700);
    for (const auto [x, colour] : {std::pair{698, RGB(10, 120, 200)}, std::pair{701, RGB(200, 40, 90)}}) {
        ::SetCursorPos(x, 450);
        Tick();
        EXPECT_EQ(picker_->Reading(), colour) << x;
    }
}

TEST_F(ColourPickerTest, TheHandOverTheCrossHasThePointerSizeOfTheDpiAndIsLoadedOnce) {
    const HWND cross = picker_->CloseCross();
    for (const int dpi : {96, 192}) {
        ChangeDpi(picker_->hwnd(), dpi);
        ::SendMessageW(cross, WM_SETCURSOR, reinterpret_cast<WPARAM>(cross), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const HCURSOR hand = ::GetCursor();
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(hand, &info)) << dpi;
        UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
        BITMAP bm{};
        ::GetObjectW(mask.get(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, MetricAt(SM_CXCURSOR, dpi)) << dpi;
        ::SendMessageW(cross, WM_SETCURSOR, reinterpret_cast<WPARAM>(cross), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), hand) << "the same cursor, not one loaded per move";
    }
}

}  // namespace
}  // namespace velmora
