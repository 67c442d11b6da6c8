// The skinned frame on a real window (the launcher panel): the pinned
// size, the rounded region, the caption buttons, the pointer zones near the
// edges, and nothing left behind by repeated resizes and clock ticks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "frame/frame_layout.h"
#include "frame/skinned_window.h"
#include "launcher/frm_main.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "shell/app_windows.h"
#include "shell/yindao.h"
#include "test_support.h"

namespace velmora {
namespace {

using frame::ButtonPicture;
using frame::Zone;

// Same set of pixels (the rectangles inside may be cut differently once the
// region has been to the window server and back).
bool SameRegion(HRGN a, HRGN b) {
    UniqueRegion difference(::CreateRectRgn(0, 0, 0, 0));
    return ::CombineRgn(difference.get(), a, b, RGN_XOR) == NULLREGION;
}

struct LiveCounts {
    long regions = UniqueRegion::live();
    long bitmaps = UniqueBitmap::live();
    long dcs = UniqueMemoryDc::live();
    long objects = UniqueGdiObject::live();
};

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
        SetEffects(&recorder_);
        ASSERT_TRUE(yindao_.Create());
        ShowWindowNormal(WindowKind::frmMain);
        panel_ = FrmMain::Live();
        ASSERT_NE(panel_, nullptr);
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::frmMain);
        SetEffects(nullptr);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
    }
    HWND hwnd() const { return panel_->hwnd(); }
    SIZE Size() const {
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    POINT TopLeft() const {
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        return {r.left, r.top};
    }
    // The pointer goes to (dx, dy) from the window's top-left and the
    // background hears of it.
    Zone MoveTo(int dx, int dy) {
        const POINT tl = TopLeft();
        ::SetCursorPos(tl.x + dx, tl.y + dy);
        ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(dx, dy));
        return panel_->Frame().ResizeZone();
    }
    std::array<ButtonPicture, 3> Pictures() const {
        auto& f = panel_->Frame();
        return {f.ButtonState(0), f.ButtonState(1), f.ButtonState(2)};
    }

    RecordingEffects recorder_;
    Yindao yindao_;
    FrmMain* panel_ = nullptr;
};

TEST_F(Frame, EverySizeChangeEndsAtTheFixedSizeWithTheTopLeftWhereTheChangePutIt) {
    EXPECT_EQ(Size().cx, 520);
    EXPECT_EQ(Size().cy, 373);
    struct Row {
        int x, y, w, h;
    };
    const Row rows[] = {{100, 80, 700, 500}, {120, 90, 300, 200}, {40, 30, 10, 10}, {200, 100, 520, 600}};
    for (const Row& row : rows) {
        ::SetWindowPos(hwnd(), nullptr, row.x, row.y, row.w, row.h, SWP_NOZORDER);
        EXPECT_EQ(Size().cx, 520);
        EXPECT_EQ(Size().cy, 373);
        EXPECT_EQ(TopLeft().x, row.x);
        EXPECT_EQ(TopLeft().y, row.y);
    }
    // The client is the whole window: the skin draws the frame.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 520);
    EXPECT_EQ(client.bottom, 373);
}

TEST_F(Frame, TheRegionIsTheRoundedSkinShape) {
    UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd(), actual.get()), ERROR);
    UniqueRegion expected(::CreateRoundRectRgn(1, 1, 520, 373, 20, 20));
    EXPECT_TRUE(SameRegion(actual.get(), expected.get()));

    // DoTransparency: the full outer size from (0, 0), 24 x 24 corners.
    HWND other = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 10, 10, 400, 300, nullptr, nullptr, nullptr, nullptr);
    frame::DoTransparency(other);
    UniqueRegion viewer(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(other, viewer.get()), ERROR);
    UniqueRegion viewerExpected(::CreateRoundRectRgn(0, 0, 400, 300, 24, 24));
    EXPECT_TRUE(SameRegion(viewer.get(), viewerExpected.get()));
    ::DestroyWindow(other);
}

TEST_F(Frame, ResizesAndClockTicksLeaveNoHandleBehind) {
    // Warm up once, so that everything made on first use exists.
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(hwnd());
    UniqueRegion regionBefore(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(hwnd(), regionBefore.get());
    const LiveCounts before;

    // (scripts/bench-panel.sh runs a thousand of each; a few hundred prove
    // the point here in reasonable time.)
    for (int i = 0; i < 150; ++i) {
        ::SetWindowPos(hwnd(), nullptr, 0, 0, 600 + i % 7, 400, SWP_NOMOVE | SWP_NOZORDER);
        ::UpdateWindow(hwnd());
    }
    for (int i = 0; i < 1000; ++i) panel_->Timer1_Timer();
    ::UpdateWindow(hwnd());

    const LiveCounts after;
    EXPECT_EQ(after.regions, before.regions);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
    EXPECT_EQ(after.dcs, before.dcs);
    EXPECT_EQ(after.objects, before.objects);
    // The window holds one region, the same shape as before.
    UniqueRegion regionAfter(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd(), regionAfter.get()), ERROR);
    EXPECT_TRUE(SameRegion(regionAfter.get(), regionBefore.get()));
    EXPECT_EQ(Size().cx, 520);
}

TEST_F(Frame, CaptionButtonPicturesFollowTheMouseAndThePressHoldsTheMouse) {
    HWND b0 = panel_->Frame().picBox(0), b1 = panel_->Frame().picBox(1), b2 = panel_->Frame().picBox(2);
    ::SendMessageW(b0, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Over, ButtonPicture::Normal, ButtonPicture::Normal}));
    ::SendMessageW(b2, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Over}));

    ::SendMessageW(b1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Down, ButtonPicture::Normal}));
    EXPECT_EQ(::GetCapture(), b1);
    ::SendMessageW(b1, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Over, ButtonPicture::Normal}));
    // Released far away: "normal" on a normal window changes nothing.
    ::SendMessageW(b1, WM_LBUTTONUP, 0, MAKELPARAM(-300, 500));
    EXPECT_NE(::GetCapture(), b1);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_FALSE(::IsIconic(hwnd()));

    // The interior of the background puts every button back to normal.
    ::SendMessageW(b2, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(MoveTo(260, 200), Zone::Interior);
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Normal}));
}

TEST_F(Frame, RightClickOnMinimiseMinimisesAndRestoringRepaintsTheButtons) {
    HWND b0 = panel_->Frame().picBox(0);
    ::SendMessageW(b0, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(b0, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(::IsIconic(hwnd()));
    EXPECT_EQ(Pictures()[0], ButtonPicture::Down);  // left as it was by the release

    ShowWindowNormal(WindowKind::frmMain);
    EXPECT_FALSE(::IsIconic(hwnd()));
    EXPECT_EQ(Pictures(), (std::array{ButtonPicture::Normal, ButtonPicture::Normal, ButtonPicture::Normal}));
    EXPECT_EQ(Size().cx, 520);
    EXPECT_EQ(Size().cy, 373);
}

TEST_F(Frame, CloseButtonReleasedOutsideTheWindowStillCloses) {
    HWND b2 = panel_->Frame().picBox(2);
    ::SendMessageW(b2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(b2, WM_LBUTTONUP, 0, MAKELPARAM(900, -40));
    EXPECT_EQ(LiveWindow(WindowKind::frmMain), nullptr);
    EXPECT_FALSE(::IsWindow(b2));
}

TEST_F(Frame, PointerZonesNearTheEdgesFollowTheTable) {
    ::SetWindowPos(hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    struct Row {
        int dx, dy;
        Zone zone;
        LPCWSTR cursor;
    };
    // Window (100, 100)-(620, 473).
    const Row rows[] = {
        {5, 100, Zone::Left, IDC_SIZEWE},         {10, 100, Zone::Interior, IDC_ARROW},
        {50, 2, Zone::Top, IDC_SIZENS},           {50, 3, Zone::Interior, IDC_ARROW},
        {10, 10, Zone::TopLeft, IDC_SIZENWSE},    {510, 365, Zone::BottomRight, IDC_SIZENWSE},
        {514, 200, Zone::Right, IDC_SIZEWE},      {512, 200, Zone::Interior, IDC_ARROW},
        {200, 368, Zone::Bottom, IDC_SIZENS},     {510, 5, Zone::TopRight, IDC_SIZENESW},
        {5, 365, Zone::BottomLeft, IDC_SIZENESW},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MoveTo(row.dx, row.dy), row.zone) << row.dx << "," << row.dy;
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, row.cursor)) << row.dx << "," << row.dy;
    }
}

}  // namespace
}  // namespace velmora
