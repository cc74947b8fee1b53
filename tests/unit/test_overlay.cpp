// Tests of what the end-to-end runs cannot reach: converter edges, the
// first bar's remainder, the clipping example, the 8-bit palette search
// (Wine reads no system palette) and a run without window.
#include <gtest/gtest.h>

#include <windows.h>

#include "maindlg.h"
#include "clipkey.h"
#include "overlaywnd.h"
#include "pattern.h"
#include "saved_state.h"

namespace {

std::vector<int> Bytes(const BYTE *b) { return {b[0], b[1], b[2], b[3]}; }
std::vector<LONG> Rects(const RECT &a, const RECT &b) { return {a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom}; }

// Catches chroma taken from the second pixel and a negative sum rounded
// down instead of toward zero.
TEST(OverlayPattern, ChromaFromTheFirstPixelDividedTowardZero)
{
    BYTE out[4];
    RgbPairToYuy2(255, 0, 0, 0, 0, 255, out);
    EXPECT_EQ((std::vector<int>{76, 85, 29, 255}), Bytes(out));
    RgbPairToUyvy(255, 0, 0, 0, 0, 255, out);
    EXPECT_EQ((std::vector<int>{85, 76, 255, 29}), Bytes(out));
    RgbPairToYuy2(0, 1, 0, 0, 1, 0, out);
    EXPECT_EQ((std::vector<int>{0, 128, 0, 128}), Bytes(out));
    EXPECT_EQ(0xF81F, RgbToRgb565(255, 3, 255));
}

// Catches the remainder going to another bar or being dropped.
TEST(OverlayPattern, FirstBarTakesTheRemainder)
{
    for (int width : {640, 645}) {
        SCOPED_TRACE(width);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        DWORD *px = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, (void **)&px, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT area = {0, 0, width, 1};
        DrawColorBars(dc, &area);
        GdiFlush();
        int first = width - 7 * 80;
        EXPECT_EQ((std::vector<DWORD>{0xFFFFFF, 0xFFFF00, 0x00FFFF, 0}),   // 0x00RRGGBB
                  (std::vector<DWORD>{px[first - 1], px[first], px[first + 80], px[width - 1]}));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

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

}  // namespace
