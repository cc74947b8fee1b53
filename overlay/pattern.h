/* The overlay test's picture: eight colour bars, converted into the
   overlay's own pixel format straight into its memory. */
#ifndef VURODOZ_PATTERN_H
#define VURODOZ_PATTERN_H

#include <windows.h>

#define PATTERN_SOURCE_WIDTH   640
#define PATTERN_SOURCE_HEIGHT  480

void DrawColorBars(HDC dc, const RECT *area);

/* Two pixels, each red, green, blue, to four bytes in the format's order. */
void RgbPairToYuy2(BYTE r0, BYTE g0, BYTE b0, BYTE r1, BYTE g1, BYTE b1, BYTE *out);
void RgbPairToUyvy(BYTE r0, BYTE g0, BYTE b0, BYTE r1, BYTE g1, BYTE b1, BYTE *out);
WORD RgbToRgb565(BYTE r, BYTE g, BYTE b);

/* The picture drawn and read back, bottom-up rows of blue, green, red
   bytes, Stride bytes apart. */
struct ColorBarPicture {
    BYTE *Pixels;
    UINT  Width;
    UINT  Height;
    DWORD Stride;
};

#define PATTERN_YUY2    1
#define PATTERN_UYVY    2
#define PATTERN_RGB565  3

/* GDI work apart from the conversion, so that no GDI call needs to happen
   while a DirectDraw surface is locked: on Windows 95 and 98 a lock holds
   the Win16 lock, under which GDI can hang the machine. 1 when drawn (free
   it with FreeColorBars), 0 when a resource was not available. */
int  RenderColorBars(UINT width, UINT height, ColorBarPicture *picture);
void FreeColorBars(ColorBarPicture *picture);
/* Plain arithmetic into memory, the top of the picture first. */
void ConvertColorBars(int layout, const ColorBarPicture *picture, BYTE *memory, LONG pitch);

/* Each fills width x height pixels below memory, lines pitch bytes apart,
   the top of the picture first; 1 when drawn, 0 (memory untouched) when a
   resource was not available. */
int WriteYuy2Pattern(BYTE *memory, LONG pitch, UINT width, UINT height);
int WriteUyvyPattern(BYTE *memory, LONG pitch, UINT width, UINT height);
int WriteRgb565Pattern(BYTE *memory, LONG pitch, UINT width, UINT height);

#endif
