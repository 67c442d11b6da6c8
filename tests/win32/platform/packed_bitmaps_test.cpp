// The artwork stored packed in the program: each bitmap comes back as a DIB
// section of its own size and depth with the pixels the generator drew, and
// the lazily bound imports reach the real functions.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/controls.h"
#include "platform/handles.h"
#include "resources/ids.h"

namespace velmora {
namespace {

struct Expected {
    int id, width, height, bits;
};

DIBSECTION Section(HBITMAP bitmap) {
    DIBSECTION dib{};
    EXPECT_EQ(::GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    return dib;
}

TEST(PackedBitmaps, UnpackToDibSectionsOfTheirSizeAndDepth) {
    const Expected all[] = {
        {IDB_SKIN, 410, 387, 24},
        {IDB_PANEL_TITLE, 18, 18, 32},
        {IDB_CAPTION_BUTTON_FIRST + 0, 28, 15, 24},
        {IDB_CAPTION_BUTTON_FIRST + 8, 42, 15, 24},
        {IDB_SEARCH_GRASS, 391, 66, 24},
        {IDB_SEARCH_MUSHROOM_FIRST + 4, 65, 66, 32},
        {IDB_PICKER_PIPETTE, 113, 86, 32},
    };
    for (const Expected& e : all) {
        UniqueBitmap bitmap = LoadBitmapResource(e.id);
        ASSERT_TRUE(bitmap) << e.id;
        const DIBSECTION dib = Section(bitmap.get());
        EXPECT_EQ(dib.dsBm.bmWidth, e.width) << e.id;
        EXPECT_EQ(dib.dsBm.bmHeight, e.height) << e.id;
        EXPECT_EQ(dib.dsBm.bmBitsPixel, e.bits) << e.id;
        EXPECT_NE(dib.dsBm.bmBits, nullptr) << e.id;
    }
    EXPECT_FALSE(LoadBitmapResource(IDB_SKIN + 999)) << "an id with no bitmap gives none";
}

TEST(PackedBitmaps, AlphaPicturesStayPremultipliedAndDrawn) {
    // A wrong byte anywhere in the unpacking shows as a colour above its
    // alpha, which the generator never writes, or as a blank picture.
    for (int i = 0; i < IDB_CELL_COUNT; ++i) {
        UniqueBitmap bitmap = LoadBitmapResource(IDB_CELL_FIRST + i);
        ASSERT_TRUE(bitmap) << i;
        const DIBSECTION dib = Section(bitmap.get());
        ASSERT_EQ(dib.dsBm.bmBitsPixel, 32) << i;
        const auto* px = static_cast<const uint8_t*>(dib.dsBm.bmBits);
        const size_t count = size_t(dib.dsBm.bmWidth) * dib.dsBm.bmHeight;
        size_t opaque = 0, clear = 0;
        for (size_t p = 0; p < count; ++p) {
            const uint8_t* c = px + 4 * p;
            ASSERT_LE(c[0], c[3]) << "cell " << i << " pixel " << p;
            ASSERT_LE(c[1], c[3]) << "cell " << i << " pixel " << p;
            ASSERT_LE(c[2], c[3]) << "cell " << i << " pixel " << p;
            opaque += c[3] == 255;
            clear += c[3] == 0;
        }
        EXPECT_GT(opaque, 0u) << i;
        EXPECT_GT(clear, 0u) << i;
    }
}

LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_APP) ++*reinterpret_cast<int*>(data);
    return ::DefSubclassProc(w, msg, wp, lp);
}

TEST(LazyImports, SubclassingThroughTheLateBoundCommonControls) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    EXPECT_TRUE(::InitCommonControlsEx(&init));
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    int seen = 0;
    ASSERT_TRUE(::SetWindowSubclass(edit, &CountingProc, 7, reinterpret_cast<DWORD_PTR>(&seen)));
    ::SendMessageW(edit, WM_APP, 0, 0);
    // DefSubclassProc hands on to the control's own procedure.
    wchar_t text[8]{};
    EXPECT_EQ(::SendMessageW(edit, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text)), 3);
    EXPECT_STREQ(text, L"abc");
    EXPECT_TRUE(::RemoveWindowSubclass(edit, &CountingProc, 7));
    ::SendMessageW(edit, WM_APP, 0, 0);
    EXPECT_EQ(seen, 1);
    ::DestroyWindow(edit);
}

}  // namespace
}  // namespace velmora
