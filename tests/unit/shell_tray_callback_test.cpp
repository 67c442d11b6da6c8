// The tray icon's callbacks read in both layouts, and the icon's size for a
// DPI when the system cannot say.
#include <gtest/gtest.h>

#include <cstdint>

#include "shell/tray_callback.h"

namespace {

using velmora::DecodeTrayCallback;
using velmora::SmallIconSizeAt;

constexpr unsigned kRightUp = 0x0205, kDoubleClick = 0x0203, kContextMenu = 0x007B;

std::intptr_t Words(unsigned low, unsigned high) { return std::intptr_t((high & 0xFFFF) << 16 | (low & 0xFFFF)); }

TEST(TrayCallback, VersionFourCarriesEventAndIdInLParamAndTheAnchorInWParam) {
    const auto c = DecodeTrayCallback(true, std::uintptr_t(Words(640, 1012)), Words(kDoubleClick, 1));
    EXPECT_EQ(c.event, kDoubleClick);
    EXPECT_EQ(c.iconId, 1u);
    EXPECT_EQ(c.anchorX, 640);
    EXPECT_EQ(c.anchorY, 1012);
    // a monitor left of or above the primary one
    const auto left = DecodeTrayCallback(true, std::uintptr_t(Words(0xFFFF - 99, 0xFFFF)), Words(kContextMenu, 1));
    EXPECT_EQ(left.anchorX, -100);
    EXPECT_EQ(left.anchorY, -1);
    EXPECT_EQ(left.event, kContextMenu);
}

TEST(TrayCallback, TheFirstLayoutCarriesTheEventAsLParamAndTheIdAsWParam) {
    const auto c = DecodeTrayCallback(false, 1, kRightUp);
    EXPECT_EQ(c.event, kRightUp);
    EXPECT_EQ(c.iconId, 1u);
    // read as version 4, the same message names no icon of ours
    EXPECT_EQ(DecodeTrayCallback(true, 1, kRightUp).iconId, 0u);
}

TEST(TrayCallback, SmallIconSizeScalesFromSixteenAndStaysUsable) {
    EXPECT_EQ(SmallIconSizeAt(96), 16);
    EXPECT_EQ(SmallIconSizeAt(120), 20);
    EXPECT_EQ(SmallIconSizeAt(144), 24);
    EXPECT_EQ(SmallIconSizeAt(192), 32);
    EXPECT_EQ(SmallIconSizeAt(288), 48);
    EXPECT_EQ(SmallIconSizeAt(72), 16);  // never smaller than at 96
    EXPECT_EQ(SmallIconSizeAt(0), 16);
    EXPECT_EQ(SmallIconSizeAt(100000), 256);
}

}  // namespace
