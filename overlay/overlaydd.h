/* The counted DirectDraw layer, loaded at run time, and the overlay format
   tests built on it. */
#ifndef VURODOZ_OVERLAYDD_H
#define VURODOZ_OVERLAYDD_H

#include <windows.h>

#define TEST_WIDTH              720
#define TEST_HEIGHT             576
#define OVERLAY_BUSY_LIMIT_MS   1000
#define OVERLAY_STRETCH_LIMIT   1000

#define OVERLAY_FORMAT_YUY2     1
#define OVERLAY_FORMAT_UYVY     2
#define OVERLAY_FORMAT_RGB565   3

#define OVERLAY_FOURCC_NONE     0xFFFFFFFFu

struct IDirectDrawSurface;

struct SurfaceInfo {
    DWORD Width;
    DWORD Height;
    LONG  Pitch;
    BYTE *Memory;
    DWORD FourCC;
    DWORD BitCount;
    DWORD RedMask;
    DWORD GreenMask;
    DWORD BlueMask;
};

extern int OverlayTestResult;

int AcquireDirectDraw(int reserved);
int ReleaseDirectDraw(int reserved);
int QueryOverlayCaps(int *usable, int reserved);
int CreateOverlaySurfaces(HWND window, int width, int height, int reserved, int format);
int ReleaseOverlaySurfaces(int reserved);
HRESULT DescribeSurface(IDirectDrawSurface *surface, SurfaceInfo *info);
int DescribeTestSurfaces(SurfaceInfo *pair, int reserved);
int SetOverlayColorKey(DWORD low, DWORD high, int reserved);
int ClipOverlayRects(IDirectDrawSurface *primary, const RECT *source, const RECT *destination,
                     RECT *clippedSource, RECT *clippedDestination);
int ShowOverlay(const RECT *source, const RECT *destination, int reserved);
int HideOverlay(const RECT *source, const RECT *destination, int reserved);
int TestOverlayFormat(HWND window, int width, int height, int format);
void RunOverlayFormatTests(HWND window);

/* The decisions, over plain data. */
int ClipRectsToScreen(LONG screenWidth, LONG screenHeight, const RECT *source,
                      const RECT *destination, RECT *clippedSource, RECT *clippedDestination);
/* palette holds the first paletteCount system palette entries that could
   be read; it is looked at only for an 8-bit primary surface. */
int ChooseColorKey(const SurfaceInfo *primary, const PALETTEENTRY *palette,
                   UINT paletteCount, DWORD *key);

#endif
