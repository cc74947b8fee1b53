/* The overlay test's decisions over plain data: clipping the overlay to the
   screen and choosing the colour key. */
#ifndef VURODOZ_CLIPKEY_H
#define VURODOZ_CLIPKEY_H

#include <windows.h>

/* FourCC of a surface that has none: an RGB one. */
#define OVERLAY_FOURCC_NONE 0xFFFFFFFFu

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

int ClipRectsToScreen(LONG screenWidth, LONG screenHeight, const RECT *source,
                      const RECT *destination, RECT *clippedSource, RECT *clippedDestination);
/* palette holds the first paletteCount system palette entries that could
   be read; it is looked at only for an 8-bit primary surface. */
int ChooseColorKey(const SurfaceInfo *primary, const PALETTEENTRY *palette,
                   UINT paletteCount, DWORD *key);
int IsMagenta(const PALETTEENTRY *entry);

#endif
