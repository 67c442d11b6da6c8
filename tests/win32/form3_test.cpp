// The colour picker as the user meets it: where it opens and how it is
// built, what it reads off the real screen under the pointer, what an
// unreadable pixel leaves, the handles ten thousand readings leave behind,
// moving it with the mouse, and closing it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include "app/resource.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "shell/app_windows.h"
#include "test_support.h"
#include "tools/form3.h"

namespace velmora {
namespace {

using testing::TextOf;
using testing::RectInParent;

using namespace std::chrono_literals;
using testing::PumpUntil;

void Pump() {
    PumpUntil([] { return false; }, 50ms);
}

// A plain window of one colour, above everything, for the picker to read.
class ColourWindow {
public:
    ColourWindow(COLORREF colour, RECT at) : brush_(::CreateSolidBrush(colour)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AppInstance();
        wc.lpszClassName = L"VelmoraTestColour";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"VelmoraTestColour", L"", WS_POPUP, at.left,
                                  at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr, AppInstance(),
                                  nullptr);
        ::SetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_.get()));
        ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        ::UpdateWindow(hwnd_);
        Pump();
    }
    ~ColourWindow() { ::DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

private:
    UniqueGdiObject brush_;
    HWND hwnd_ = nullptr;
};

int g_reads = 0;
COLORREF CountingReader(HDC dc, int x, int y) {
    ++g_reads;
    return ::GetPixel(dc, x, y);
}
COLORREF Unreadable(HDC, int, int) {
    ++g_reads;
    return CLR_INVALID;
}

// The pipette picture's pixels (premultiplied BGRA, top row first).
struct Picture {
    int w = 0, h = 0, bits = 0;
    std::vector<BYTE> bgra;
};
Picture LoadPipette() {
    Picture p;
    UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDB_FORM3_PIPETTE),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap.get(), sizeof bm, &bm)) return p;
    p.w = bm.bmWidth;
    p.h = bm.bmHeight;
    p.bits = bm.bmBitsPixel;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), p.w, -p.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    p.bgra.resize(static_cast<size_t>(p.w) * p.h * 4);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ::GetDIBits(dc.get(), bitmap.get(), 0, p.h, p.bgra.data(), &bi, DIB_RGB_COLORS);
    return p;
}

class Picker : public ::testing::Test {
protected:
    void SetUp() override {
        SetWindowFactory(WindowKind::Form3, [] { return Form3::Instance().hwnd(); });
        g_reads = 0;
    }
    void TearDown() override {
        Form3::SetPixelReader(nullptr);
        CloseIfOpen(WindowKind::Form3);
        SetWindowFactory(WindowKind::Form3, nullptr);
    }
    // Where Timer1 fires from: the window's own WM_TIMER.
    static void Tick(HWND picker) { ::SendMessageW(picker, WM_TIMER, Form3::kTimer1, 0); }
};

TEST_F(Picker, OpensHiddenAtHalfTheScreenLessTwiceItsWidthTopmostKeyedAndWithoutTaskbarButton) {
    HWND hwnd = EnsureWindow(WindowKind::Form3);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(hwnd)) << "creating does not show";
    EXPECT_EQ(TextOf(hwnd), L"放大镜");
    RECT window{}, client{};
    ::GetWindowRect(hwnd, &window);
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 238);
    EXPECT_EQ(client.bottom, 134);
    EXPECT_EQ(window.right - window.left, 238) << "no border";
    const int screen = ::GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(window.left, screen / 2 - 2 * 238);
    EXPECT_EQ(window.top, 7) << "100 twips at 15 twips per pixel";

    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    COLORREF key = 0;
    BYTE alpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(LiveWindow(WindowKind::Form3), hwnd);
}

TEST_F(Picker, IsOwnedByTheHiddenStartUpWindowWhenThereIsOne) {
    // Owned windows never get a taskbar button, whatever the shell's rule
    // for tool windows.
    HWND startUp = ::CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, AppInstance(),
                                   nullptr);
    RegisterLiveWindow(WindowKind::yindao, startUp);
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), startUp);
    EXPECT_TRUE(::IsWindowVisible(hwnd)) << "shown although its owner never is";
    CloseIfOpen(WindowKind::Form3);
    ForgetLiveWindow(WindowKind::yindao, startUp);
    ::DestroyWindow(startUp);
}

TEST_F(Picker, ControlsSitWhereTheyBelongWithTheirLooks) {
    Form3& picker = Form3::Instance();
    const RECT swatch = RectInParent(picker.Picture2());
    EXPECT_EQ(swatch.left, 0);
    EXPECT_EQ(swatch.top, 81);
    EXPECT_EQ(swatch.right - swatch.left, 41);
    EXPECT_EQ(swatch.bottom - swatch.top, 40);
    EXPECT_EQ(picker.Swatch(), RGB(255, 255, 255)) << "white, so keyed out, before the first reading";
    const RECT cross = RectInParent(picker.Image1());
    EXPECT_EQ(cross.left, 80);
    EXPECT_EQ(cross.top, -6);
    EXPECT_EQ(cross.right - cross.left, 33);
    EXPECT_EQ(cross.bottom - cross.top, 33);

    for (auto [label, text, top] : {std::tuple{picker.Label2(), L"Label2", 80}, std::tuple{picker.Label3(), L"Label3", 96}}) {
        wchar_t cls[32] = {};
        ::GetClassNameW(label, cls, 32);
        EXPECT_STREQ(cls, L"Static") << "a real static control";
        EXPECT_EQ(TextOf(label), text);
        const RECT r = RectInParent(label);
        EXPECT_EQ(r.left, 56);
        EXPECT_EQ(r.top, top);
        // Sized to its text in its own font.
        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(lf.lfHeight, -12) << "9 point at 96 dots per inch";
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        SelectGuard use(dc.get(), font);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.get(), text, 6, &extent);
        EXPECT_EQ(r.right - r.left, extent.cx);
        // Blue on RGB(250, 250, 250).
        UniqueMemoryDc probe(::CreateCompatibleDC(nullptr));
        const LRESULT brush = ::SendMessageW(picker.hwnd(), WM_CTLCOLORSTATIC,
                                             reinterpret_cast<WPARAM>(probe.get()), reinterpret_cast<LPARAM>(label));
        EXPECT_EQ(::GetTextColor(probe.get()), RGB(0, 0, 255));
        EXPECT_EQ(::GetBkColor(probe.get()), RGB(250, 250, 250));
        LOGBRUSH lb{};
        ASSERT_TRUE(::GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb));
        EXPECT_EQ(lb.lbColor, RGB(250, 250, 250));
    }

    // The cross: a hand pointer and a real tooltip saying 关闭.
    HCURSOR hand = static_cast<HCURSOR>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_VELMORA_HAND), IMAGE_CURSOR,
                                                     0, 0, LR_DEFAULTSIZE | LR_SHARED));
    ::SendMessageW(picker.Image1(), WM_SETCURSOR, reinterpret_cast<WPARAM>(picker.Image1()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), hand);
    HWND tip = picker.Tooltip();
    wchar_t cls[32] = {};
    ::GetClassNameW(tip, cls, 32);
    EXPECT_STREQ(cls, TOOLTIPS_CLASSW);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[32] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = picker.hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(picker.Image1());
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"关闭");
}

TEST_F(Picker, PipettePictureIsHardEdgedAndHasNoHoles) {
    const Picture p = LoadPipette();
    ASSERT_EQ(p.w, 113);
    ASSERT_EQ(p.h, 86);
    EXPECT_EQ(p.bits, 32);
    int opaque = 0;
    for (size_t i = 0; i < p.bgra.size(); i += 4) {
        const BYTE b = p.bgra[i], g = p.bgra[i + 1], r = p.bgra[i + 2], a = p.bgra[i + 3];
        ASSERT_TRUE(a == 0 || a == 255) << "soft edge at pixel " << i / 4;
        if (a == 0) {
            ASSERT_EQ(b | g | r, 0) << "premultiplied: nothing where nothing is drawn";
            continue;
        }
        ++opaque;
        ASSERT_FALSE(r == 255 && g == 255 && b == 255) << "a white pixel would be a hole, pixel " << i / 4;
    }
    EXPECT_GT(opaque, 113 * 86 / 8) << "a pipette, not a speck";
}

TEST_F(Picker, ReadsTheColourUnderThePointerIntoSwatchAndBothLines) {
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    Form3& picker = *Form3::Live();
    struct Case {
        COLORREF colour;
        const wchar_t* decimal;
        const wchar_t* hex;
    };
    for (const Case& c : {Case{RGB(171, 205, 239), L"Red:171 Green:205 Blue:239", L"Red:AB Green:CD Blue:EF"},
                          Case{RGB(1, 128, 255), L"Red:1 Green:128 Blue:255", L"Red:01 Green:80 Blue:FF"},
                          Case{RGB(5, 0, 0), L"Red:5 Green:0 Blue:0", L"Red:05 Green:00 Blue:00"}}) {
        ColourWindow target(c.colour, {600, 400, 700, 500});
        ::SetCursorPos(650, 450);
        Tick(hwnd);
        EXPECT_EQ(picker.Swatch(), c.colour);
        EXPECT_EQ(TextOf(picker.Label2()), c.decimal);
        EXPECT_EQ(TextOf(picker.Label3()), c.hex);
        // The label grew or shrank with its text.
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        SelectGuard use(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(picker.Label2(), WM_GETFONT, 0, 0)));
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.get(), c.decimal, static_cast<int>(wcslen(c.decimal)), &extent);
        const RECT r = RectInParent(picker.Label2());
        EXPECT_EQ(r.right - r.left, extent.cx);
    }
}

TEST_F(Picker, ReadingsComeByThemselvesOnceOpen) {
    Form3::SetPixelReader(&CountingReader);
    ShowWindowNormal(WindowKind::Form3);
    EXPECT_TRUE(PumpUntil([] { return g_reads >= 3; }, 3000ms)) << "Timer1 ticks";
    EXPECT_NE(TextOf(Form3::Live()->Label2()), L"Label2");
}

TEST_F(Picker, AnUnreadablePixelLeavesSwatchAndLinesAsTheyWere) {
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    Form3& picker = *Form3::Live();
    ColourWindow target(RGB(171, 205, 239), {600, 400, 700, 500});
    ::SetCursorPos(650, 450);
    Tick(hwnd);
    ASSERT_EQ(TextOf(picker.Label2()), L"Red:171 Green:205 Blue:239");

    Form3::SetPixelReader(&Unreadable);
    g_reads = 0;
    Tick(hwnd);
    Tick(hwnd);
    EXPECT_EQ(g_reads, 2);
    EXPECT_EQ(picker.Swatch(), RGB(171, 205, 239));
    EXPECT_EQ(TextOf(picker.Label2()), L"Red:171 Green:205 Blue:239");
    EXPECT_EQ(TextOf(picker.Label3()), L"Red:AB Green:CD Blue:EF");
    EXPECT_EQ(UniqueScreenDc::live(), 0) << "the screen context went back all the same";

    // Before any good reading, the placeholders stay.
    CloseIfOpen(WindowKind::Form3);
    hwnd = ShowWindowNormal(WindowKind::Form3);
    Tick(hwnd);
    EXPECT_EQ(TextOf(Form3::Live()->Label2()), L"Label2");
    EXPECT_EQ(Form3::Live()->Swatch(), RGB(255, 255, 255));
}

TEST_F(Picker, TenThousandReadingsLeaveNoHandleBehind) {
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    Form3& picker = *Form3::Live();
    ColourWindow a(RGB(10, 120, 200), {600, 400, 700, 500});
    ColourWindow b(RGB(200, 40, 90), {700, 400, 800, 500});
    Tick(hwnd);
    Pump();
    const long gdi = UniqueGdiObject::live(), regions = UniqueRegion::live(), bitmaps = UniqueBitmap::live(),
               dcs = UniqueMemoryDc::live();
    HDC screenBefore = ::GetWindowDC(nullptr);
    ::ReleaseDC(nullptr, screenBefore);
    UniqueGdiObject probeBefore(::CreateSolidBrush(RGB(1, 2, 3)));
    const HGDIOBJ probeHandle = probeBefore.get();
    probeBefore.reset();

    long screenDcsHeld = 0;
    for (int i = 0; i < 10000; ++i) {
        if (i % 500 == 0) {
            ::SetCursorPos(i % 1000 == 0 ? 650 : 750, 450);  // the swatch and lines change: repaints too
            Tick(hwnd);
            Pump();
        } else {
            Tick(hwnd);
        }
        screenDcsHeld += UniqueScreenDc::live();
    }
    Pump();
    EXPECT_EQ(screenDcsHeld, 0) << "the screen context is given back at the end of every reading";
    EXPECT_EQ(UniqueScreenDc::live(), 0);
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    // Wine hands a freed slot out again: the same handles come back when
    // nothing was kept.
    HDC screenAfter = ::GetWindowDC(nullptr);
    ::ReleaseDC(nullptr, screenAfter);
    EXPECT_EQ(screenAfter, screenBefore);
    // A GDI handle's low word is its slot in the handle table. Slots come
    // back in another order, but an object kept per reading would push the
    // next free slot thousands further on.
    UniqueGdiObject probeAfter(::CreateSolidBrush(RGB(1, 2, 3)));
    const long slotBefore = static_cast<long>(reinterpret_cast<uintptr_t>(probeHandle) & 0xFFFF);
    const long slotAfter = static_cast<long>(reinterpret_cast<uintptr_t>(probeAfter.get()) & 0xFFFF);
    EXPECT_LT(slotAfter - slotBefore, 100) << "GDI slots used: " << slotBefore << " then " << slotAfter;
    EXPECT_EQ(picker.Swatch(), RGB(200, 40, 90));
}

// An opaque pixel of the pipette away from every control, in client
// coordinates.
POINT PipettePoint(const Form3& picker) {
    const Picture p = LoadPipette();
    POINT best{-1, -1};
    long bestScore = -1;
    for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) {
            if (p.bgra[(static_cast<size_t>(y) * p.w + x) * 4 + 3] != 255) continue;
            bool onControl = false;
            for (HWND c : {picker.Image1(), picker.Picture2(), picker.Label2(), picker.Label3()}) {
                RECT r = RectInParent(c);
                ::InflateRect(&r, 3, 3);
                if (::PtInRect(&r, {x, y})) onControl = true;
            }
            // Deep inside the silhouette: all neighbours within 2 opaque.
            long score = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < p.w && ny < p.h &&
                        p.bgra[(static_cast<size_t>(ny) * p.w + nx) * 4 + 3] == 255)
                        ++score;
                }
            if (!onControl && score > bestScore) {
                bestScore = score;
                best = {x, y};
            }
        }
    }
    return best;
}

void Input(DWORD flags, int x = 0, int y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = (x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN);
        in.mi.dy = (y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN);
    }
    ::SendInput(1, &in, sizeof in);
}

// Presses `down` at client point `at`, drags by (40, 30), releases. The
// input comes from another thread: a left press enters the system's move
// loop on this one, which returns only once the button is up.
RECT Drag(HWND hwnd, POINT at, DWORD down, DWORD up) {
    POINT screen = at;
    ::ClientToScreen(hwnd, &screen);
    std::atomic<bool> done{false};
    std::thread user([&] {
        Input(MOUSEEVENTF_MOVE, screen.x, screen.y);
        ::Sleep(100);
        Input(down);
        ::Sleep(100);
        for (int step = 1; step <= 4; ++step) {
            Input(MOUSEEVENTF_MOVE, screen.x + 10 * step, screen.y + 7 * step + (step == 4 ? 2 : 0));
            ::Sleep(60);
        }
        Input(up);
        ::Sleep(150);
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 5000ms);
    user.join();
    Pump();
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

TEST_F(Picker, LeftButtonOnThePipetteMovesTheWindowOtherButtonsAndControlsDoNot) {
    Form3::SetPixelReader(&Unreadable);  // keep the labels still
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    Form3& picker = *Form3::Live();
    PumpUntil([] { return false; }, 200ms);
    const POINT grip = PipettePoint(picker);
    ASSERT_GE(grip.x, 0);
    RECT before{};
    ::GetWindowRect(hwnd, &before);

    const RECT right = Drag(hwnd, grip, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(right.left, before.left) << "right button";
    EXPECT_EQ(right.top, before.top);

    const RECT middle = Drag(hwnd, grip, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(middle.left, before.left) << "middle button";

    const RECT label = Drag(hwnd, {60, 84}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(label.left, before.left) << "press on Label2";
    EXPECT_EQ(label.top, before.top);

    const RECT swatch = Drag(hwnd, {8, 100}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(swatch.left, before.left) << "press on the swatch";

    const RECT left = Drag(hwnd, grip, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(left.left - before.left, 40) << "left button drags the window along";
    EXPECT_EQ(left.top - before.top, 30);
    EXPECT_TRUE(::IsWindow(hwnd));
}

TEST_F(Picker, OpeningAgainOnlyBringsItForwardAndTheCrossClosesIt) {
    HWND first = ShowWindowNormal(WindowKind::Form3);
    ::SetWindowPos(first, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND again = ShowWindowNormal(WindowKind::Form3);
    EXPECT_EQ(again, first);
    RECT r{};
    ::GetWindowRect(again, &r);
    EXPECT_EQ(r.left, 300) << "not placed afresh";
    EXPECT_TRUE(::IsWindowVisible(again));

    // A press and release on the cross: the window and its timer go.
    HWND cross = Form3::Live()->Image1();
    ::SendMessageW(cross, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    ::SendMessageW(cross, WM_LBUTTONUP, 0, MAKELPARAM(16, 16));
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(LiveWindow(WindowKind::Form3), nullptr);
    EXPECT_EQ(Form3::Live(), nullptr);
    g_reads = 0;
    Form3::SetPixelReader(&CountingReader);
    PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(g_reads, 0) << "no reading after closing";

    // Opened again: a new window, placed afresh.
    HWND reopened = ShowWindowNormal(WindowKind::Form3);
    ASSERT_NE(reopened, nullptr);
    ::GetWindowRect(reopened, &r);
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 2 * 238);
    EXPECT_EQ(TextOf(Form3::Live()->Label2()), L"Label2");
}

TEST_F(Picker, PressingTheCrossAndReleasingElsewhereKeepsItOpen) {
    HWND hwnd = ShowWindowNormal(WindowKind::Form3);
    HWND cross = Form3::Live()->Image1();
    ::SendMessageW(cross, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    ::SendMessageW(cross, WM_LBUTTONUP, 0, MAKELPARAM(200, 16));
    EXPECT_TRUE(::IsWindow(hwnd));
}

}  // namespace
}  // namespace velmora
