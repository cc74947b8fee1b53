/* Clipping the overlay to the screen and choosing its colour key. */
#include "clipkey.h"

/* Products wrap as 32-bit values would, rather than overflow. */
static LONG Scale(LONG a, LONG b, LONG divisor)
{
    return (LONG)((DWORD)a * (DWORD)b) / divisor;
}

int ClipRectsToScreen(LONG screenWidth, LONG screenHeight, const RECT *s, const RECT *d,
                      RECT *cs, RECT *cd)
{
    LONG sw, sh, dw, dh;

    *cs = *s;
    *cd = *d;
    if (d->bottom <= 0 || d->top >= screenHeight || d->right <= 0 || d->left >= screenWidth)
        return 0;
    sw = s->right - s->left;
    sh = s->bottom - s->top;
    dw = d->right - d->left;
    dh = d->bottom - d->top;
    /* The source starts at (0, 0), so its clipped edges are measured from 0. */
    if (d->top < 0) {
        cs->top = -Scale(d->top, sh, dh);
        cd->top = 0;
    }
    if (d->left < 0) {
        cs->left = -Scale(d->left, sw, dw);
        cd->left = 0;
    }
    if (d->bottom > screenHeight) {
        cs->bottom = s->bottom - Scale(d->bottom - screenHeight, sh, dh);
        cd->bottom = screenHeight;
    }
    if (d->right > screenWidth) {
        cs->right = s->right - Scale(d->right - screenWidth, sw, dw);
        cd->right = screenWidth;
    }
    if (cs->left >= cs->right) {
        if (cs->right < 1)
            cs->right = 1;
        cs->left = cs->right - 1;
    }
    if (cs->top >= cs->bottom) {
        if (cs->bottom < 1)
            cs->bottom = 1;
        cs->top = cs->bottom - 1;
    }
    return 1;
}

int IsMagenta(const PALETTEENTRY *entry)
{
    return entry->peRed == 255 && entry->peGreen == 0 && entry->peBlue == 255;
}

int ChooseColorKey(const SurfaceInfo *primary, const PALETTEENTRY *palette, UINT paletteCount,
                   DWORD *key)
{
    UINT i;

    switch (primary->BitCount) {
    case 8:
        for (i = 0; i < paletteCount && i < 256; i++) {
            if (IsMagenta(&palette[i])) {
                *key = i;
                return 1;
            }
        }
        return 0;
    case 15:
    case 16:
        if (primary->BlueMask != 0x001F)
            return 0;
        if (primary->RedMask == 0x7C00 && primary->GreenMask == 0x03E0) {
            *key = 0x7C1F;
            return 1;
        }
        if (primary->RedMask == 0xF800 && primary->GreenMask == 0x07E0) {
            *key = 0xF81F;
            return 1;
        }
        /* Other 16-bit layouts have no magenta we can be sure of. */
        return 0;
    case 24:
    case 32:
        *key = 0xFF00FF;
        return 1;
    }
    return 0;
}
