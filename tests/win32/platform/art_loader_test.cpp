// The artwork loaded for a DPI: DIB sections of the scaled size and the
// stored depth, drawn for that DPI rather than the stored pixels enlarged,
// the same pixels each time, and icons drawn at the size asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/controls.h"
#include "platform/handles.h"
#include "resources/ids.h"

namespace velmora {
namespace {

DIBSECTION Section(HBITMAP bitmap) {
    DIBSECTION dib{};
    EXPECT_EQ(::GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    return dib;
}

TEST(ArtLoader, EachDpiGetsItsScaledSizeAndTheStoredDepth) {
    struct Picture {
        int id, width, height, bits;
    };
    const Picture all[] = {
        {IDB_SKIN, 410, 387, 24},          {IDB_PANEL_TITLE, 18, 18, 32},
        {IDB_CELL_FIRST + 4, 40, 30, 32},  {IDB_CAPTION_BUTTON_FIRST + 7, 27, 15, 24},
        {IDB_SEARCH_GRASS, 391, 66, 24},   {IDB_SEARCH_MUSHROOM_FIRST, 65, 66, 32},
        {IDB_PICKER_PIPETTE, 113, 86, 32},
    };
    for (unsigned dpi : {120u, 144u, 192u}) {
        for (const Picture& p : all) {
            UniqueBitmap bitmap = LoadBitmapResource(p.id, dpi);
            ASSERT_TRUE(bitmap) << p.id << " at " << dpi;
            const DIBSECTION dib = Section(bitmap.get());
            EXPECT_EQ(dib.dsBm.bmWidth, ::MulDiv(p.width, static_cast<int>(dpi), 96)) << p.id << " at " << dpi;
            EXPECT_EQ(dib.dsBm.bmHeight, ::MulDiv(p.height, static_cast<int>(dpi), 96)) << p.id << " at " << dpi;
            EXPECT_EQ(dib.dsBm.bmBitsPixel, p.bits) << p.id << " at " << dpi;
        }
    }
    // A DPI nobody can mean is held to the range the program draws for.
    const DIBSECTION huge = Section(LoadBitmapResource(IDB_CELL_FIRST, 100000).get());
    EXPECT_EQ(huge.dsBm.bmWidth, 30 * 5);
    EXPECT_FALSE(LoadBitmapResource(IDB_SKIN + 999, 144)) << "an id with no bitmap gives none";
}

TEST(ArtLoader, TwoHundredPercentCellsAreDrawnNotDoubled) {
    for (int i = 0; i < IDB_CELL_COUNT; ++i) {
        UniqueBitmap small = LoadBitmapResource(IDB_CELL_FIRST + i, 96);
        UniqueBitmap large = LoadBitmapResource(IDB_CELL_FIRST + i, 192);
        const DIBSECTION s = Section(small.get()), l = Section(large.get());
        ASSERT_EQ(l.dsBm.bmWidth, 2 * s.dsBm.bmWidth);
        const auto* sp = static_cast<const uint8_t*>(s.dsBm.bmBits);
        const auto* lp = static_cast<const uint8_t*>(l.dsBm.bmBits);
        // Doubled, every large pixel would be the small pixel under it.
        int differing = 0, edges = 0;
        for (int y = 0; y < l.dsBm.bmHeight; ++y)
            for (int x = 0; x < l.dsBm.bmWidth; ++x) {
                const uint8_t a = lp[(size_t(y) * l.dsBm.bmWidth + x) * 4 + 3];
                const uint8_t b = sp[(size_t(y / 2) * s.dsBm.bmWidth + x / 2) * 4 + 3];
                if (b == 0 || b == 255) continue;
                ++edges;
                differing += a != b;
            }
        EXPECT_GT(differing * 2, edges) << "cell " << i;
        // The drawing is kept: the same pixels come again.
        UniqueBitmap again = LoadBitmapResource(IDB_CELL_FIRST + i, 192);
        const DIBSECTION a = Section(again.get());
        EXPECT_NE(a.dsBm.bmBits, l.dsBm.bmBits);
        EXPECT_EQ(std::memcmp(a.dsBm.bmBits, l.dsBm.bmBits, size_t(l.dsBm.bmWidthBytes) * l.dsBm.bmHeight), 0);
    }
}

TEST(ArtLoader, IconsComeAtTheSizeAskedFor) {
    for (int id : {IDI_SEARCH_CLOSE, IDI_PICKER_CLOSE, IDI_VELMORA}) {
        for (int size : {16, 24, 32, 48}) {
            UniqueIcon icon = LoadIconResource(id, size);
            ASSERT_TRUE(icon) << id << " at " << size;
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
            UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
            BITMAP bm{};
            ::GetObjectW(colour.get(), sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, size) << id;
            EXPECT_EQ(bm.bmHeight, size) << id;
        }
    }
}

}  // namespace
}  // namespace velmora
