// Tests of the overlay test's pure parts (converters, bars, clipping, key
// choice), its window failing to open, and the DirectDraw user count over
// Wine's own ddraw.dll.
#include <gtest/gtest.h>

#include <windows.h>

#include "maindlg.h"
#include "overlaydd.h"
#include "overlaywnd.h"
#include "pattern.h"
#include "saved_state.h"

namespace {

std::vector<int> Bytes(const BYTE *b) { return {b[0], b[1], b[2], b[3]}; }

// Catches a wrong weight, rounding instead of truncation toward zero, a
// missing clamp, chroma taken from the second pixel, and a swapped order.
TEST(OverlayPattern, ConvertersGiveTheBarValues)
{
    const struct { BYTE R, G, B; int Y, U, V, Rgb; } bars[] = {
        {255, 255, 255, 254, 128, 128, 0xFFFF}, {255, 255, 0, 225, 0, 149, 0xFFE0},
        {0, 255, 255, 178, 172, 0, 0x07FF},     {0, 255, 0, 149, 43, 20, 0x07E0},
        {255, 0, 255, 105, 214, 236, 0xF81F},   {255, 0, 0, 76, 85, 255, 0xF800},
        {0, 0, 255, 29, 255, 107, 0x001F},      {0, 0, 0, 0, 128, 128, 0x0000},
        {0, 1, 0, 0, 128, 128, 0x0000},
    };
    BYTE out[4];
    for (const auto &b : bars) {
        SCOPED_TRACE(testing::Message() << int(b.R) << "," << int(b.G) << "," << int(b.B));
        RgbPairToYuy2(b.R, b.G, b.B, b.R, b.G, b.B, out);
        EXPECT_EQ((std::vector<int>{b.Y, b.U, b.Y, b.V}), Bytes(out));
        RgbPairToUyvy(b.R, b.G, b.B, b.R, b.G, b.B, out);
        EXPECT_EQ((std::vector<int>{b.U, b.Y, b.V, b.Y}), Bytes(out));
        EXPECT_EQ(b.Rgb, RgbToRgb565(b.R, b.G, b.B));
    }
    RgbPairToYuy2(255, 0, 0, 0, 0, 255, out);
    EXPECT_EQ((std::vector<int>{76, 85, 29, 255}), Bytes(out));
    RgbPairToUyvy(255, 0, 0, 0, 0, 255, out);
    EXPECT_EQ((std::vector<int>{85, 76, 255, 29}), Bytes(out));
}

// Catches the remainder going to the wrong bar or being dropped.
TEST(OverlayPattern, FirstBarTakesTheRemainder)
{
    for (int width : {640, 645}) {
        SCOPED_TRACE(width);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        DWORD *pixels = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, (void **)&pixels, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT area = {0, 0, width, 2};
        DrawColorBars(dc, &area);
        GdiFlush();
        int first = width - 7 * 80;
        EXPECT_EQ(0xFFFFFFu, pixels[first - 1] & 0xFFFFFF);      // white
        EXPECT_EQ(0xFFFF00u, pixels[first] & 0xFFFFFF);          // yellow, as 0x00RRGGBB
        EXPECT_EQ(0x00FFFFu, pixels[first + 80] & 0xFFFFFF);     // cyan
        EXPECT_EQ(0u, pixels[width + width - 1] & 0xFFFFFF);     // black, second line
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

// Catches rounding away from zero, clipping against the partly clipped
// outputs, an off-screen destination still clipped, and an empty source.
TEST(OverlayClip, ToTheScreen)
{
    RECT s = {0, 0, 720, 576}, d = {-3, 0, 1437, 576}, cs, cd;
    EXPECT_EQ(1, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_EQ((std::vector<LONG>{1, 0, 402, 576, 0, 0, 800, 576}),
              (std::vector<LONG>{cs.left, cs.top, cs.right, cs.bottom, cd.left, cd.top, cd.right, cd.bottom}));
    d = {-900, -100, 0, 476};
    EXPECT_EQ(0, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_TRUE(EqualRect(&cs, &s) && EqualRect(&cd, &d));
    d = {100, -288, 820, 864};  // a half-height stretch, over the top and the bottom
    EXPECT_EQ(1, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_EQ((std::vector<LONG>{0, 144, 700, 444, 100, 0, 800, 600}),
              (std::vector<LONG>{cs.left, cs.top, cs.right, cs.bottom, cd.left, cd.top, cd.right, cd.bottom}));
    s = {0, 0, 0, 0};
    d = {10, 10, 20, 20};
    EXPECT_EQ(1, ClipRectsToScreen(800, 600, &s, &d, &cs, &cd));
    EXPECT_EQ((std::vector<LONG>{0, 0, 1, 1}), (std::vector<LONG>{cs.left, cs.top, cs.right, cs.bottom}));
}

// Catches a highest-index match, a match past a failed read, the flags byte
// looked at, a key for an unknown 16-bit layout or an unsupported depth.
TEST(OverlayColorKey, ChosenFromThePrimaryFormat)
{
    PALETTEENTRY palette[256] = {};
    palette[3] = {255, 0, 255, PC_RESERVED};
    palette[7] = {255, 0, 255, 0};
    palette[5] = {255, 1, 255, 0};
    const struct { DWORD Bits, R, G, B; UINT Count; int Ok; DWORD Key; } cases[] = {
        {8, 0, 0, 0, 256, 1, 3}, {8, 0, 0, 0, 3, 0, 0}, {8, 0, 0, 0, 0, 0, 0},
        {16, 0xF800, 0x07E0, 0x1F, 0, 1, 0xF81F}, {15, 0xF800, 0x07E0, 0x1F, 0, 1, 0xF81F},
        {16, 0x7C00, 0x03E0, 0x1F, 0, 1, 0x7C1F}, {15, 0x7C00, 0x03E0, 0x1F, 0, 1, 0x7C1F},
        {16, 0x1F, 0x07E0, 0xF800, 0, 0, 0}, {16, 0xF00, 0xF0, 0xF, 0, 0, 0},
        {24, 0, 0, 0, 0, 1, 0xFF00FF}, {32, 0xFF, 0xFF00, 0xFF0000, 0, 1, 0xFF00FF},
        {0, 0, 0, 0, 256, 0, 0}, {4, 0, 0, 0, 256, 0, 0}, {12, 0, 0, 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.Bits << " bits, " << c.Count << " entries, red " << c.R);
        SurfaceInfo primary = {800, 600, 3200, nullptr, OVERLAY_FOURCC_NONE, c.Bits, c.R, c.G, c.B};
        DWORD key = 0x12345678;
        EXPECT_EQ(c.Ok, ChooseColorKey(&primary, palette, c.Count, &key));
        EXPECT_EQ(c.Ok ? c.Key : 0x12345678u, key);
    }
    palette[3].peBlue = 0;
    SurfaceInfo eight = {800, 600, 800, nullptr, OVERLAY_FOURCC_NONE, 8, 0, 0, 0};
    DWORD key = 0;
    EXPECT_EQ(1, ChooseColorKey(&eight, palette, 256, &key));
    EXPECT_EQ(7u, key);
}

// Catches a run that goes on without its window, or a status changed by it.
TEST(OverlayWindow, RunWithoutWindowGives101AndKeepsTheStatus)
{
    SavedState keep;
    RegisterOverlayTestClass(GetModuleHandleA(nullptr), "VurOdoz");
    HWND bogus = (HWND)(ULONG_PTR)0x7FFF0;
    EXPECT_EQ(OVERLAY_RESULT_NO_WINDOW, RunOverlayTest(bogus));
    OverlayState = OVERLAY_NOT_TESTED;
    RunOverlayTestCommand(bogus);
    EXPECT_EQ(OVERLAY_NOT_TESTED, OverlayState);
}

// Catches the count not kept (the object released while a user remains,
// or kept after the last), a release below zero, and capabilities read
// without an object. Wine's ddraw answers without DDCAPS_OVERLAY. (Wine
// has its ddraw.dll loaded already, so the unloading shows only through
// the double, end to end.)
TEST(OverlayDirectDraw, UsersAreCountedOverWinesDdraw)
{
    int usable = 7;
    EXPECT_EQ(0, QueryOverlayCaps(&usable, 0));
    EXPECT_EQ(7, usable);
    ASSERT_EQ(1, AcquireDirectDraw(0));
    EXPECT_EQ(1, AcquireDirectDraw(0));
    EXPECT_EQ(0, AcquireDirectDraw(1));
    EXPECT_EQ(0, QueryOverlayCaps(nullptr, 0));
    EXPECT_EQ(1, QueryOverlayCaps(&usable, 0));
    EXPECT_EQ(0, usable) << "Wine's ddraw claims an overlay";
    EXPECT_EQ(1, ReleaseDirectDraw(0));
    EXPECT_EQ(1, QueryOverlayCaps(&usable, 0)) << "released with a user left";
    EXPECT_EQ(1, ReleaseDirectDraw(0));
    EXPECT_EQ(0, QueryOverlayCaps(&usable, 0)) << "kept after the last user";
    EXPECT_EQ(0, ReleaseDirectDraw(0));
}

}  // namespace
