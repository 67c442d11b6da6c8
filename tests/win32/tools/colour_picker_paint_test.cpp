// The colour picker's painting: what a colour change leaves on screen must
// be what a picker opened on that colour shows, pixel for pixel, and
// alternating readings must hold on to nothing more.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/handles.h"
#include "platform/system_services.h"
#include "support/fakes.h"
#include "tools/colour_picker.h"
#include "tools/tools_test_support.h"

namespace velmora {
namespace {

using namespace testing;

// The picker's client area as it stands on its window's surface, the
// controls included, top row first.
std::vector<DWORD> Capture(HWND window) {
    constexpr int w = ColourPicker::kClientWidth, h = ColourPicker::kClientHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!picture || !dc || !bits) return {};
    const HGDIOBJ old = ::SelectObject(dc.get(), picture.get());
    WindowDc source(window);
    ::BitBlt(dc.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> out(first, first + static_cast<size_t>(w) * h);
    ::SelectObject(dc.get(), old);
    for (DWORD& p : out) p &= 0x00FFFFFF;
    return out;
}

class ColourPickerPaintTest : public ::testing::Test {
protected:
    std::unique_ptr<ColourPicker> OpenShown(FakePixels& pixels) {
        auto picker = ColourPicker::Create({pixels, owner_.get(), copied_});
        if (picker) {
            ::ShowWindow(picker->hwnd(), SW_SHOWNOACTIVATE);
            ::UpdateWindow(picker->hwnd());
        }
        return picker;
    }
    static void Read(ColourPicker& picker, FakePixels& pixels, COLORREF colour) {
        pixels.reading = PixelReading{{5, 5}, colour};
        ::SendMessageW(picker.hwnd(), WM_TIMER, ColourPicker::kReadingTimer, 0);
        ::UpdateWindow(picker.hwnd());
        Pump();
    }

    UniqueWindow owner_ = HiddenOwner();
    colour::CopyHistory copied_;
};

TEST_F(ColourPickerPaintTest, AColourChangeShowsWhatAFreshPickerShowsForThatColour) {
    // Short lines first, then longer ones and back: the lines grow over the
    // pipette and shrink off it again.
    const COLORREF colours[] = {RGB(1, 2, 3), RGB(200, 128, 255), RGB(0, 0, 0), RGB(18, 52, 86)};
    FakePixels changing;
    auto picker = OpenShown(changing);
    ASSERT_NE(picker, nullptr);
    for (const COLORREF colour : colours) {
        Read(*picker, changing, colour);
        const std::vector<DWORD> shown = Capture(picker->hwnd());
        ASSERT_FALSE(shown.empty());

        FakePixels fixed;
        auto fresh = OpenShown(fixed);
        ASSERT_NE(fresh, nullptr);
        Read(*fresh, fixed, colour);
        const std::vector<DWORD> expected = Capture(fresh->hwnd());
        fresh.reset();
        Pump();
        EXPECT_EQ(shown, expected) << "after a reading of 0x" << std::hex << colour;
        // The swatch really shows the colour (as 0x00RRGGBB on the surface).
        const DWORD centreLeft = shown[(81 + 10) * ColourPicker::kClientWidth + 8];
        EXPECT_EQ(centreLeft, static_cast<DWORD>(RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour))));
    }
}

TEST_F(ColourPickerPaintTest, AlternatingReadingsHoldNoMoreHandles) {
    FakePixels pixels;
    auto picker = OpenShown(pixels);
    ASSERT_NE(picker, nullptr);
    Read(*picker, pixels, RGB(10, 20, 30));
    const long objects = UniqueGdiObject::live(), regions = UniqueRegion::live(), bitmaps = UniqueBitmap::live(),
               dcs = UniqueMemoryDc::live();
    for (int i = 0; i < 40; ++i) Read(*picker, pixels, i % 2 ? RGB(10, 20, 30) : RGB(250, 128, 7));
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueRegion::live(), regions);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
}

}  // namespace
}  // namespace velmora
