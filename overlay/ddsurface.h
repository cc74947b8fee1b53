/* Reading one DirectDraw surface: its format and memory, and a lock, each
   retried for a while when the surface is busy. */
#ifndef VURODOZ_DDSURFACE_H
#define VURODOZ_DDSURFACE_H

#ifndef DIRECTDRAW_VERSION
#define DIRECTDRAW_VERSION 0x0500
#endif
#include <windows.h>
#include <ddraw.h>
#include "clipkey.h"

#define OVERLAY_BUSY_LIMIT_MS   1000

HRESULT DescribeSurface(IDirectDrawSurface *surface, SurfaceInfo *info);
HRESULT DescribeWhileBusy(IDirectDrawSurface *surface, SurfaceInfo *info);
HRESULT LockWhileBusy(IDirectDrawSurface *surface, DDSURFACEDESC *desc);

#endif
