// The picture viewer: its size for pictures larger and smaller than the
// window, its shape and place, how it closes, and what it does with a file
// that is no picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/handles.h"
#include "tools/picture_viewer.h"
#include "tools/tools_test_support.h"

namespace velmora {
namespace {

using namespace testing;

class ViewerTest : public ::testing::Test {
protected:
    // A viewer for a w x h picture of one colour.
    std::unique_ptr<PictureViewer> View(int w, int h) {
        const std::wstring path = folder_.File(L"picture" + std::to_wstring(w) + L"x" + std::to_wstring(h) + L".bmp");
        WriteSolidBmp(path, w, h, RGB(200, 60, 40));
        return PictureViewer::Create({path, owner_.get()});
    }

    TempFolder folder_;
    UniqueWindow owner_ = HiddenOwner();
};

TEST_F(ViewerTest, SizesFollowTheFitAndScaleRules) {
    const struct {
        int w, h;  // the picture
        long windowW, windowH, areaW, areaH;
    } rows[] = {
        {1024, 768, 397, 298, 397, 298},  // 397.25 x 297.9
        {600, 800, 215, 286, 215, 286},   // 214.6 x 286.125
        {200, 100, 175, 88, 175, 88},     // 7/8 of its size: 175 x 87.5
        {100, 200, 88, 175, 88, 175},
        {100, 100, 100, 100, 100, 100},
        {390, 300, 454, 327, 417, 297},  // no rule acts: stretched, a margin beside
        {500, 500, 454, 327, 417, 297},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.w) + "x" + std::to_string(row.h));
        const auto viewer = View(row.w, row.h);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(WindowPlace(viewer->hwnd()).width, row.windowW);
        EXPECT_EQ(WindowPlace(viewer->hwnd()).height, row.windowH);
        EXPECT_EQ(PlaceInParent(viewer->PictureArea()), (Place{0, 0, row.areaW, row.areaH}));
    }
}

TEST_F(ViewerTest, IsRoundedTopmostOwnedAndCentredWhenActive) {
    const auto viewer = View(200, 100);
    ASSERT_NE(viewer, nullptr);
    const HWND hwnd = viewer->hwnd();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_EQ(ClassOf(hwnd), L"Velmora.PictureViewer");
    EXPECT_EQ(TextOf(hwnd), L"");
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), owner_.get());
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd, region.get()), ERROR);
    UniqueRegion expected(::CreateRoundRectRgn(0, 0, 175, 88, 24, 24));
    EXPECT_EQ(::CombineRgn(expected.get(), region.get(), expected.get(), RGN_XOR), NULLREGION);

    ::ShowWindow(hwnd, SW_SHOW);
    ::SetForegroundWindow(hwnd);
    const Place centred{::GetSystemMetrics(SM_CXSCREEN) / 2 - 175 / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 88 / 2,
                        175, 88};
    EXPECT_TRUE(PumpUntil([&] { return WindowPlace(hwnd) == centred; }, 2000ms)) << WindowPlace(hwnd);
}

TEST_F(ViewerTest, AClickOnThePictureClosesItAndOnTheMarginDoesNot) {
    const auto viewer = View(390, 300);
    ASSERT_NE(viewer, nullptr);
    const HWND hwnd = viewer->hwnd();
    // The margin right of and below the 417 x 297 picture.
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(440, 310));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(440, 310));
    EXPECT_TRUE(::IsWindow(hwnd));
    ::SendMessageW(viewer->PictureArea(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(viewer->PictureArea(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(viewer->hwnd(), nullptr);
}

TEST_F(ViewerTest, AFileThatIsNoPictureOpensNothing) {
    const int windows = ThreadWindows();
    WriteBytes(folder_.File(L"notes.bmp"), "BM but not really a bitmap");
    for (const std::wstring& path : {folder_.File(L"notes.bmp"), folder_.File(L"gone.jpg")}) {
        EXPECT_EQ(PictureViewer::Create({path, owner_.get()}), nullptr);
    }
    EXPECT_EQ(ThreadWindows(), windows);
}

TEST_F(ViewerTest, LifetimesLeaveNoHandlesBehind) {
    View(300, 200).reset();
    const long bitmaps = UniqueBitmap::live(), regions = UniqueRegion::live(), gdi = UniqueGdiObject::live();
    const int windows = ThreadWindows();
    for (int i = 0; i < 10; ++i) {
        auto viewer = View(300 + i, 200);
        ASSERT_NE(viewer, nullptr);
        ::RedrawWindow(viewer->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (i % 2) ::SendMessageW(viewer->hwnd(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
    EXPECT_EQ(ThreadWindows(), windows);
}

}  // namespace
}  // namespace velmora
