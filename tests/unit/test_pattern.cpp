// The pattern converters' edges and the first bar's remainder.
#include <gtest/gtest.h>

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
