// The skinned frame on a real window of its own: the pinned size, the
// rounded region, the caption buttons, the pointer zones near the edges,
// and nothing left behind by repeated resizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <memory>
#include <vector>

#include "frame/frame_layout.h"
#include "frame/skinned_frame.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using frame::ButtonPicture;
using frame::CaptionButton;
using frame::Zone;

// The least window a frame serves; it notes what the frame tells it.
class FramedWindow : public BaseWindow<FramedWindow>, public frame::FrameHost {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.Test.FramedWindow";
    ~FramedWindow() {
        if (hwnd()) ::DestroyWindow(hwnd());
    }
    bool Create() {
        RegisterClassOnce();
        return CreateWindowOf(0, L"Framed", frame::kSkinnedStyle, 0, 0, 520, 373);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_CREATE) {
            frame.Attach(hwnd(), *this, L"Framed");
            return 0;
        }
        LRESULT result = 0;
        if (frame.Handle(msg, wp, lp, &result)) return result;
        return Default(msg, wp, lp);
    }
    void OnWindowGone() { frame.Detach(); }

    void OnInteriorMouseMove() override { ++interiorMoves; }
    void OnCaptionButtonRelease(CaptionButton button) override { releases.push_back(button); }
    void AfterResize() override { ++resizes; }
    void PaintOverSkin(HDC dc) override {
        if (!paintFace) return;
        UniqueGdiObject brush(::CreateSolidBrush(face));
        const RECT all{0, 0, 4000, 4000};
        ::FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
    }

    frame::SkinnedFrame frame;
    std::vector<CaptionButton> releases;
    int interiorMoves = 0;
    int resizes = 0;
    bool paintFace = false;
    COLORREF face = RGB(255, 0, 0);  // what PaintOverSkin covers the face with
};

// Same set of pixels (the rectangles inside may be cut differently once the
// region has been to the window server and back).
bool SameRegion(HRGN a, HRGN b) {
    UniqueRegion difference(::CreateRectRgn(0, 0, 0, 0));
    return ::CombineRgn(difference.get(), a, b, RGN_XOR) == NULLREGION;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<FramedWindow>();
        ASSERT_TRUE(window_->Create());
        ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    }
    void TearDown() override { window_.reset(); }

    HWND hwnd() const { return window_->hwnd(); }
    frame::SkinnedFrame& Skin() { return window_->frame; }
    HWND Button(CaptionButton b) { return Skin().ButtonWindow(b); }
    RECT Rect() const {
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        return r;
    }
    // The pointer goes to (dx, dy) from the window's top-left and the
    // background hears of it.
    Zone MoveTo(int dx, int dy) {
        const RECT r = Rect();
        ::SetCursorPos(r.left + dx, r.top + dy);
        ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(dx, dy));
        return Skin().ResizeZone();
    }
    std::array<ButtonPicture, 3> Pictures() {
        return {Skin().ButtonState(CaptionButton::Minimise), Skin().ButtonState(CaptionButton::Restore),
                Skin().ButtonState(CaptionButton::Close)};
    }

    // The colour the window shows at client point (x, y), read back from
    // the screen.
    COLORREF ShownAt(int x, int y) {
        ::UpdateWindow(hwnd());
        POINT p{x, y};
        ::ClientToScreen(hwnd(), &p);
        HDC screen = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(screen, p.x, p.y);
        ::ReleaseDC(nullptr, screen);
        return c;
    }

    std::unique_ptr<FramedWindow> window_;
};

TEST_F(Frame, EverySizeChangeEndsAtTheFixedSizeWithTheTopLeftWhereTheChangePutIt) {
    const struct {
        int x, y, w, h;
    } rows[] = {{100, 80, 700, 500}, {120, 90, 300, 200}, {40, 30, 10, 10}, {200, 100, 520, 600}};
    for (const auto& row : rows) {
        ::SetWindowPos(hwnd(), nullptr, row.x, row.y, row.w, row.h, SWP_NOZORDER);
        const RECT r = Rect();
        EXPECT_EQ(r.right - r.left, 520);
        EXPECT_EQ(r.bottom - r.top, 373);
        EXPECT_EQ(r.left, row.x);
        EXPECT_EQ(r.top, row.y);
    }
    // The client is the whole window: the skin draws the frame.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 520);
    EXPECT_EQ(client.bottom, 373);

    // A minimised window keeps its size, but the host hears of every resize.
    const int resizes = window_->resizes;
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    EXPECT_GT(window_->resizes, resizes);
}

TEST_F(Frame, TheRegionIsTheRoundedSkinShape) {
    UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd(), actual.get()), ERROR);
    UniqueRegion expected(::CreateRoundRectRgn(1, 1, 520, 373, 20, 20));
    EXPECT_TRUE(SameRegion(actual.get(), expected.get()));
}

TEST_F(Frame, ResizesLeaveNoHandleBehindAndOneRegionOfTheSameShape) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(hwnd());
    UniqueRegion regionBefore(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(hwnd(), regionBefore.get());
    const long regions = UniqueRegion::live(), bitmaps = UniqueBitmap::live(), dcs = UniqueMemoryDc::live(),
               objects = UniqueGdiObject::live();

    // Every pair of the two size steps once; the counts are exact.
    for (int i = 0; i < 35; ++i) {
        ::SetWindowPos(hwnd(), nullptr, 0, 0, 600 + i % 7, 400 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
        ::UpdateWindow(hwnd());
    }
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    UniqueRegion regionAfter(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd(), regionAfter.get()), ERROR);
    EXPECT_TRUE(SameRegion(regionAfter.get(), regionBefore.get()));

    // And the frame gives back everything with its window.
    window_.reset();
    EXPECT_LT(UniqueBitmap::live(), bitmaps);
    EXPECT_LT(UniqueMemoryDc::live(), dcs);
}

TEST_F(Frame, CaptionButtonPicturesFollowTheMouseAndThePressHoldsTheMouse) {
    HWND minimise = Button(CaptionButton::Minimise), restore = Button(CaptionButton::Restore),
         close = Button(CaptionButton::Close);
    ::SendMessageW(minimise, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Over, ButtonPicture::Normal, ButtonPicture::Normal}));
    ::SendMessageW(close, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Over}));

    ::SendMessageW(restore, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Down, ButtonPicture::Normal}));
    EXPECT_EQ(::GetCapture(), restore);
    ::SendMessageW(restore, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Over, ButtonPicture::Normal}));
    // Released far away: still the button's release, the mouse let go.
    ::SendMessageW(restore, WM_LBUTTONUP, 0, MAKELPARAM(-300, 500));
    EXPECT_NE(::GetCapture(), restore);
    EXPECT_EQ(window_->releases, std::vector<CaptionButton>{CaptionButton::Restore});

    // The interior of the background puts every button back to normal and
    // tells the window.
    ::SendMessageW(close, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(MoveTo(260, 200), Zone::Interior);
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Normal}));
    EXPECT_EQ(window_->interiorMoves, 1);
}

TEST_F(Frame, AnyMouseButtonActsAndARestoredWindowShowsNormalPictures) {
    const UINT presses[][2] = {{WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_MBUTTONDOWN, WM_MBUTTONUP}};
    for (const auto& press : presses) {
        ::SendMessageW(Button(CaptionButton::Minimise), press[0], 0, MAKELPARAM(3, 3));
        ::SendMessageW(Button(CaptionButton::Minimise), press[1], 0, MAKELPARAM(3, 3));
    }
    EXPECT_EQ(window_->releases, (std::vector<CaptionButton>(2, CaptionButton::Minimise)));
    EXPECT_EQ(Pictures()[0], ButtonPicture::Down);  // left as the release found it

    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_RESTORE);
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Normal}));
    const RECT r = Rect();
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 373);
}

TEST_F(Frame, PointerZonesNearTheEdgesSetTheirPointers) {
    ::SetWindowPos(hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const struct {
        int dx, dy;
        Zone zone;
        LPCWSTR cursor;
    } rows[] = {
        // Window (100, 100)-(620, 473).
        {5, 100, Zone::Left, IDC_SIZEWE},         {10, 100, Zone::Interior, IDC_ARROW},
        {50, 2, Zone::Top, IDC_SIZENS},           {50, 3, Zone::Interior, IDC_ARROW},
        {10, 10, Zone::TopLeft, IDC_SIZENWSE},    {510, 365, Zone::BottomRight, IDC_SIZENWSE},
        {514, 200, Zone::Right, IDC_SIZEWE},      {512, 200, Zone::Interior, IDC_ARROW},
        {200, 368, Zone::Bottom, IDC_SIZENS},     {510, 5, Zone::TopRight, IDC_SIZENESW},
        {5, 365, Zone::BottomLeft, IDC_SIZENESW},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MoveTo(row.dx, row.dy), row.zone) << row.dx << "," << row.dy;
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, row.cursor)) << row.dx << "," << row.dy;
    }
    // Only the interior is the window's own business.
    EXPECT_EQ(window_->interiorMoves, 3);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST_F(Frame, EveryAreaAskedForBeforeAPaintShowsTheChange) {
    window_->paintFace = true;
    Skin().Redraw();
    ASSERT_EQ(RGB(255, 0, 0), ShownAt(100, 100));
    ASSERT_EQ(RGB(255, 0, 0), ShownAt(200, 250));

    // Two changes far apart, one paint: neither is lost.
    window_->face = RGB(0, 0, 255);
    const RECT first{90, 90, 110, 110}, second{190, 240, 210, 260};
    Skin().Redraw(&first);
    Skin().Redraw(&second);
    EXPECT_EQ(RGB(0, 0, 255), ShownAt(100, 100));
    EXPECT_EQ(RGB(0, 0, 255), ShownAt(200, 250));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

using testing::StoredHighContrast;

TEST_F(Frame, AHighContrastThemeTurnedOnOrOffRepaintsInTheSystemsColoursAtOnce) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const POINT middle{client.right / 2, client.bottom / 2}, band{client.right / 2, 3};
    const COLORREF skinned = ShownAt(middle.x, middle.y);
    ASSERT_NE(skinned, ::GetSysColor(COLOR_WINDOW));

    StoredHighContrast theme(L"127");  // on, with every other flag the system sets
    ::SendMessageW(hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(ShownAt(middle.x, middle.y), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ShownAt(band.x, band.y), ::GetSysColor(COLOR_ACTIVECAPTION));

    theme.Set(L"126");  // off
    ::SendMessageW(hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(ShownAt(middle.x, middle.y), skinned);
}

}  // namespace
}  // namespace velmora
