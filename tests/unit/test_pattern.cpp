// The pattern converters' edges and the first bar's remainder.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <windows.h>
#include "pattern.h"

namespace {

std::vector<int> Bytes(const BYTE *b) { return {b[0], b[1], b[2], b[3]}; }

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

}  // namespace

namespace {

// Catches an odd width's last pixel left unconverted or written past the
// line's width × 2 bytes, and rows not turned top-down.
TEST(OverlayPattern, OddWidthConvertsItsLastPixel)
{
    // Bottom row red, blue, white; top row black, black, green (blue, green, red bytes).
    BYTE pixels[2][12] = {{0, 0, 255, 255, 0, 0, 255, 255, 255}, {0, 0, 0, 0, 0, 0, 0, 255, 0}};
    ColorBarPicture picture = {&pixels[0][0], 3, 2, 12};
    const struct { int layout; std::vector<int> top, bottom; } cases[] = {
        {PATTERN_YUY2, {0, 128, 0, 128, 149, 43, 0xA5, 0xA5}, {76, 85, 29, 255, 254, 128, 0xA5, 0xA5}},
        {PATTERN_UYVY, {128, 0, 128, 0, 43, 149, 0xA5, 0xA5}, {85, 76, 255, 29, 128, 254, 0xA5, 0xA5}},
        {PATTERN_RGB565, {0, 0, 0, 0, 0xE0, 0x07, 0xA5, 0xA5}, {0x00, 0xF8, 0x1F, 0x00, 0xFF, 0xFF, 0xA5, 0xA5}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        BYTE memory[2][8];
        memset(memory, 0xA5, sizeof(memory));
        ConvertColorBars(c.layout, &picture, &memory[0][0], 8);
        EXPECT_EQ(c.top, std::vector<int>(memory[0], memory[0] + 8));
        EXPECT_EQ(c.bottom, std::vector<int>(memory[1], memory[1] + 8));
    }
}

}  // namespace
