/* The counted DirectDraw layer of the overlay test, loaded at run time. */
#ifndef VURODOZ_DDLAYER_H
#define VURODOZ_DDLAYER_H

#include <windows.h>
#include "clipkey.h"

#define OVERLAY_STRETCH_LIMIT   1000

#define OVERLAY_FORMAT_YUY2     1
#define OVERLAY_FORMAT_UYVY     2
#define OVERLAY_FORMAT_RGB565   3

struct IDirectDrawSurface;

int AcquireDirectDraw(int reserved);
int ReleaseDirectDraw(int reserved);
/* Releases everything at once, whatever the count of users; the layer's
   calls then fail as when nothing was acquired. */
void AbandonDirectDraw(void);
int QueryOverlayCaps(int *usable, int reserved);
int CreateOverlaySurfaces(HWND window, int width, int height, int reserved, int format);
int ReleaseOverlaySurfaces(int reserved);
int DescribeTestSurfaces(SurfaceInfo *pair, int reserved);
int SetOverlayColorKey(DWORD low, DWORD high, int reserved);
int ClipOverlayRects(IDirectDrawSurface *primary, const RECT *source, const RECT *destination,
                     RECT *clippedSource, RECT *clippedDestination);
int ShowOverlay(const RECT *source, const RECT *destination, int reserved);
int HideOverlay(const RECT *source, const RECT *destination, int reserved);
/* Writes the colour bars of the format into the overlay surface. */
void FillOverlay(int format, UINT width, UINT height);

#endif
