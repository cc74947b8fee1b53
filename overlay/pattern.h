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

/* Each fills width x height pixels below memory, lines pitch bytes apart,
   the top of the picture first; 1 when drawn, 0 (memory untouched) when a
   resource was not available. */
int WriteYuy2Pattern(BYTE *memory, LONG pitch, UINT width, UINT height);
int WriteUyvyPattern(BYTE *memory, LONG pitch, UINT width, UINT height);
int WriteRgb565Pattern(BYTE *memory, LONG pitch, UINT width, UINT height);

#endif
