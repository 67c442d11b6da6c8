// The picture viewer opened from the changer: its size for pictures larger
// and smaller than the window, its shape and place, and how it closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app_dir.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "shell/app_windows.h"
#include "test_support.h"
#include "tools/see.h"
#include "wallpaper/ghzm.h"

namespace velmora {
namespace {

std::vector<std::wstring> g_messages;
int RecordBox(HWND, const std::wstring& text, const std::wstring&, UINT) {
    g_messages.push_back(text);
    return IDOK;
}

SIZE OuterSize(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class Viewer : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppDirectory(app_.path());
        ::CreateDirectoryW((app_.path() + L"\\pic").c_str(), nullptr);
        g_messages.clear();
        SetEffects(&recorder_);
        SetMessageBoxHook(&RecordBox);
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::see);
        CloseIfOpen(WindowKind::ghzm);
        CloseIfOpen(WindowKind::frmMain);
        SetMessageBoxHook(nullptr);
        SetEffects(nullptr);
        SetAppDirectory(L"");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
    }

    // Opens the changer on a folder holding one picture of w x h pixels and
    // presses 查看大图.
    See* View(int w, int h) {
        testing::WriteSolidBmp(app_.path() + L"\\pic\\picture.bmp", w, h, RGB(200, 60, 40));
        Ghzm& g = Ghzm::Instance();
        g.sxtp();
        ::SendMessageW(g.Command1(2), BM_CLICK, 0, 0);
        return See::Live();
    }

    testing::TempFolder app_;
    RecordingEffects recorder_;
};

TEST_F(Viewer, SizesFollowTheFitAndScaleRules) {
    Ghzm::Instance();
    const struct {
        int w, h;           // the picture
        int windowW, windowH;  // the viewer, whole pixels
        int imageW, imageH;
    } rows[] = {
        {1024, 768, 397, 298, 397, 298},  // 397.25 x 297.9
        {600, 800, 215, 286, 215, 286},   // 214.6 x 286.125
        {200, 100, 175, 88, 175, 88},     // 7/8 of its size: 175 x 87.5
        {100, 200, 88, 175, 88, 175},
        {100, 100, 100, 100, 100, 100},
        {390, 300, 454, 327, 417, 297},  // no rule acts
        {500, 500, 454, 327, 417, 297},
    };
    for (const auto& row : rows) {
        See* viewer = View(row.w, row.h);
        ASSERT_NE(viewer, nullptr) << row.w << "x" << row.h;
        const SIZE outer = OuterSize(viewer->hwnd());
        EXPECT_EQ(outer.cx, row.windowW) << row.w << "x" << row.h;
        EXPECT_EQ(outer.cy, row.windowH) << row.w << "x" << row.h;
        const SIZE image = OuterSize(viewer->Image1());
        EXPECT_EQ(image.cx, row.imageW) << row.w << "x" << row.h;
        EXPECT_EQ(image.cy, row.imageH) << row.w << "x" << row.h;
        EXPECT_EQ(viewer->Shown().width(), row.w);
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Viewer, OpeningTwiceGivesTheSameWindowAndOnlyOneViewer) {
    Ghzm::Instance();
    See* first = View(1024, 768);
    ASSERT_NE(first, nullptr);
    const SIZE once = OuterSize(first->hwnd());
    HWND firstWindow = first->hwnd();
    See* second = View(1024, 768);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(::IsWindow(firstWindow));
    const SIZE twice = OuterSize(second->hwnd());
    EXPECT_EQ(once.cx, twice.cx);
    EXPECT_EQ(once.cy, twice.cy);
}

TEST_F(Viewer, IsRoundedTopmostCentredAndFrameless) {
    Ghzm::Instance();
    See* viewer = View(200, 100);
    ASSERT_NE(viewer, nullptr);
    HWND hwnd = viewer->hwnd();
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(hwnd, region.get()), ERROR);
    UniqueRegion expected(::CreateRoundRectRgn(0, 0, 175, 88, 24, 24));
    UniqueRegion difference(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::CombineRgn(difference.get(), region.get(), expected.get(), RGN_XOR), NULLREGION);

    viewer->Form_Activate();
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 175 / 2);
    EXPECT_EQ(r.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 88 / 2);
}

TEST_F(Viewer, HasNoTaskbarButton) {
    // A tool window owned by the hidden start-up window: Wine's taskbar
    // lists unowned tool windows, Windows' lists neither.
    HWND startUp = ::CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, AppInstance(),
                                   nullptr);
    RegisterLiveWindow(WindowKind::yindao, startUp);
    Ghzm::Instance();
    See* viewer = View(200, 100);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(viewer->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(viewer->hwnd(), GW_OWNER), startUp);
    EXPECT_TRUE(::IsWindowVisible(viewer->hwnd())) << "shown although its owner never is";
    CloseIfOpen(WindowKind::see);
    ForgetLiveWindow(WindowKind::yindao, startUp);
    ::DestroyWindow(startUp);
}

TEST_F(Viewer, AClickOnThePictureClosesItAndOnTheMarginDoesNot) {
    Ghzm::Instance();
    See* viewer = View(390, 300);
    ASSERT_NE(viewer, nullptr);
    HWND hwnd = viewer->hwnd();
    // The margin right of and below the 417 x 297 picture.
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(440, 310));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(440, 310));
    EXPECT_TRUE(::IsWindow(hwnd));
    ::SendMessageW(viewer->Image1(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(viewer->Image1(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(LiveWindow(WindowKind::see), nullptr);
}

TEST_F(Viewer, APathThatIsNoPictureIsReportedAndOpensNothing) {
    testing::WriteBytes(app_.path() + L"\\pic\\notes.bmp", "BM but not really a bitmap");
    testing::WriteSolidBmp(app_.path() + L"\\pic\\z.bmp", 20, 20, RGB(1, 2, 3));
    Ghzm& g = Ghzm::Instance();
    // The label names the bad file as if it had been previewed before it
    // was spoilt.
    ::SetWindowTextW(g.Label(2), (L"文件路径： " + app_.path() + L"\\pic\\notes.bmp").c_str());
    ::SendMessageW(g.Command1(2), BM_CLICK, 0, 0);
    EXPECT_EQ(See::Live(), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_NE(g_messages[0].find(L"notes.bmp"), std::wstring::npos);
}

TEST_F(Viewer, WithoutAPreviewedPictureOnlyAnOpenViewerCloses) {
    Ghzm& g = Ghzm::Instance();
    ::SetWindowTextW(g.Label(2), L"");
    ::SendMessageW(g.Command1(2), BM_CLICK, 0, 0);
    EXPECT_EQ(See::Live(), nullptr);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Viewer, LifetimesLeaveNoHandlesBehind) {
    Ghzm::Instance();
    View(300, 200);
    CloseIfOpen(WindowKind::see);
    const long bitmaps = UniqueBitmap::live(), regions = UniqueRegion::live(), gdi = UniqueGdiObject::live();
    for (int i = 0; i < 10; ++i) {
        View(300 + i, 200);
        CloseIfOpen(WindowKind::see);
    }
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
}

}  // namespace
}  // namespace velmora
