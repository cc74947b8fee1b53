// The clipping example and the 8-bit palette search (Wine reads no
// system palette).
#include <gtest/gtest.h>

#include <vector>
#include <windows.h>
#include "clipkey.h"

namespace {

std::vector<LONG> Rects(const RECT &a, const RECT &b) { return {a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom}; }

// Catches rounding away from zero and clipping against the partly
// clipped outputs, with a source stretched both ways.
TEST(OverlayClip, ToTheScreen)
{
    RECT s = {0, 0, 720, 576}, d = {-3, 0, 1437, 576}, cs, cd;
    EXPECT_EQ(1, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_EQ((std::vector<LONG>{1, 0, 402, 576, 0, 0, 800, 576}), Rects(cs, cd));
    d = {100, -288, 820, 864};
    EXPECT_EQ(1, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_EQ((std::vector<LONG>{0, 144, 700, 444, 100, 0, 800, 600}), Rects(cs, cd));
}

// Catches a higher index winning, a match past a failed read, and the
// flags byte looked at.
TEST(OverlayColorKey, EightBitsTakeTheLowestMagentaIndex)
{
    PALETTEENTRY palette[256] = {};
    palette[5] = {255, 1, 255, 0};
    palette[7] = {255, 0, 255, PC_RESERVED};
    palette[9] = {255, 0, 255, 0};
    SurfaceInfo primary = {800, 600, 800, nullptr, OVERLAY_FOURCC_NONE, 8, 0, 0, 0};
    DWORD key = 0;
    EXPECT_EQ(1, ChooseColorKey(&primary, palette, 256, &key));
    EXPECT_EQ(7u, key);
    EXPECT_EQ(0, ChooseColorKey(&primary, palette, 7, &key)) << "found past a failed read";
    palette[7] = palette[9] = palette[0];
    EXPECT_EQ(0, ChooseColorKey(&primary, palette, 256, &key));
}

}  // namespace
