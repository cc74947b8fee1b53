/* The DirectDraw layer of the overlay test: the library and its objects,
   counted so that nested runs share them, and the format tests that create,
   fill, key, show and hide one overlay per format and ask the user. */
#define DIRECTDRAW_VERSION 0x0500
#include "overlaydd.h"

#include <ddraw.h>
#include <mmsystem.h>

#include "app.h"
#include "overlaywnd.h"
#include "pattern.h"
#include "resource.h"

/* DirectX 5 records: older runtimes refuse larger sizes. */
static_assert(sizeof(DDCAPS) == 364, "DDCAPS must have the DirectX 5 layout");
static_assert(sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC must have 108 bytes");

typedef HRESULT (WINAPI *DirectDrawCreateProc)(GUID *, IDirectDraw **, IUnknown *);
typedef int (*PatternWriter)(BYTE *, LONG, UINT, UINT);

static HMODULE             DdLibrary;
static IDirectDraw        *DdObject;
static IDirectDrawSurface *PrimarySurface;
static IDirectDrawSurface *OverlaySurface;
static int                 DdUsers;

int OverlayTestResult;

int AcquireDirectDraw(int reserved)
{
    DirectDrawCreateProc create;

    if (reserved != 0)
        return 0;
    if (DdUsers > 0) {
        DdUsers++;
        return 1;
    }
    DdObject = NULL;
    PrimarySurface = NULL;
    OverlaySurface = NULL;
    DdLibrary = LoadLibraryA("ddraw.dll");
    if (!DdLibrary)
        return 0;
    create = (DirectDrawCreateProc)(void *)GetProcAddress(DdLibrary, "DirectDrawCreate");
    if (!create || create(NULL, &DdObject, NULL) != DD_OK) {
        DdObject = NULL;
        FreeLibrary(DdLibrary);
        DdLibrary = NULL;
        return 0;
    }
    DdUsers = 1;
    return 1;
}

static void ReleaseSurface(IDirectDrawSurface **surface)
{
    if (*surface) {
        (*surface)->Release();
        *surface = NULL;
    }
}

int ReleaseDirectDraw(int reserved)
{
    if (reserved != 0 || DdUsers == 0)
        return 0;
    if (--DdUsers > 0)
        return 1;
    ReleaseSurface(&OverlaySurface);
    ReleaseSurface(&PrimarySurface);
    if (DdObject) {
        DdObject->Release();
        DdObject = NULL;
    }
    if (DdLibrary) {
        FreeLibrary(DdLibrary);
        DdLibrary = NULL;
    }
    return 1;
}

int QueryOverlayCaps(int *usable, int reserved)
{
    DDCAPS caps;

    if (reserved != 0 || !usable || !DdObject)
        return 0;
    ZeroMemory(&caps, sizeof(caps));
    caps.dwSize = sizeof(caps);
    if (DdObject->GetCaps(&caps, NULL) != DD_OK)
        return 0;
    *usable = (caps.dwCaps & DDCAPS_OVERLAY) && (caps.dwCaps & DDCAPS_COLORKEY) &&
              caps.dwMinOverlayStretch <= OVERLAY_STRETCH_LIMIT;
    return 1;
}

static void SetOverlayPixelFormat(DDPIXELFORMAT *format, int which)
{
    format->dwSize = sizeof(*format);
    switch (which & 0xFFFF) {
    case OVERLAY_FORMAT_YUY2:
        format->dwFlags = DDPF_FOURCC;
        format->dwFourCC = MAKEFOURCC('Y', 'U', 'Y', '2');
        break;
    case OVERLAY_FORMAT_UYVY:
        format->dwFlags = DDPF_FOURCC;
        format->dwFourCC = MAKEFOURCC('U', 'Y', 'V', 'Y');
        break;
    case OVERLAY_FORMAT_RGB565:
        format->dwFlags = DDPF_RGB;
        format->dwRGBBitCount = 16;
        format->dwRBitMask = 0xF800;
        format->dwGBitMask = 0x07E0;
        format->dwBBitMask = 0x001F;
        break;
    }
}

int CreateOverlaySurfaces(HWND window, int width, int height, int reserved, int format)
{
    DDSURFACEDESC desc;

    if (reserved != 0 || !DdObject)
        return 0;
    if (DdObject->SetCooperativeLevel(window, DDSCL_NORMAL) != DD_OK)
        return 0;

    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ReleaseSurface(&PrimarySurface);
    if (DdObject->CreateSurface(&desc, &PrimarySurface, NULL) != DD_OK) {
        PrimarySurface = NULL;
        return 0;
    }

    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.dwWidth = (DWORD)width;
    desc.dwHeight = (DWORD)height;
    desc.ddsCaps.dwCaps = DDSCAPS_OVERLAY;
    SetOverlayPixelFormat(&desc.ddpfPixelFormat, format);
    ReleaseSurface(&OverlaySurface);
    if (DdObject->CreateSurface(&desc, &OverlaySurface, NULL) != DD_OK) {
        OverlaySurface = NULL;
        ReleaseSurface(&PrimarySurface);
        return 0;
    }
    return 1;
}

int ReleaseOverlaySurfaces(int reserved)
{
    if (reserved != 0)
        return 0;
    ReleaseSurface(&OverlaySurface);
    ReleaseSurface(&PrimarySurface);
    return 1;
}

HRESULT DescribeSurface(IDirectDrawSurface *surface, SurfaceInfo *info)
{
    DDSURFACEDESC desc, locked;
    HRESULT result;

    if (!surface || !info)
        return DDERR_INVALIDPARAMS;
    info->FourCC = OVERLAY_FOURCC_NONE;
    info->BitCount = 0;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    result = surface->GetSurfaceDesc(&desc);
    if (result != DD_OK)
        return result;
    if (desc.ddpfPixelFormat.dwFlags & DDPF_RGB) {
        info->BitCount = desc.ddpfPixelFormat.dwRGBBitCount;
        info->RedMask = desc.ddpfPixelFormat.dwRBitMask;
        info->GreenMask = desc.ddpfPixelFormat.dwGBitMask;
        info->BlueMask = desc.ddpfPixelFormat.dwBBitMask;
    }
    if (desc.ddpfPixelFormat.dwFlags & DDPF_FOURCC)
        info->FourCC = desc.ddpfPixelFormat.dwFourCC;

    /* No DDLOCK_WAIT: a busy surface must answer at once, the caller waits. */
    ZeroMemory(&locked, sizeof(locked));
    locked.dwSize = sizeof(locked);
    result = surface->Lock(NULL, &locked, 0, NULL);
    if (result != DD_OK)
        return result;
    surface->Unlock(locked.lpSurface);
    info->Width = locked.dwWidth;
    info->Height = locked.dwHeight;
    info->Pitch = locked.lPitch;
    info->Memory = (BYTE *)locked.lpSurface;
    return DD_OK;
}

static HRESULT DescribeWhileBusy(IDirectDrawSurface *surface, SurfaceInfo *info)
{
    DWORD start = timeGetTime();
    HRESULT result = DescribeSurface(surface, info);

    while (result == DDERR_WASSTILLDRAWING && timeGetTime() - start <= OVERLAY_BUSY_LIMIT_MS)
        result = DescribeSurface(surface, info);
    return result;
}

int DescribeTestSurfaces(SurfaceInfo *pair, int reserved)
{
    HRESULT primary, overlay;

    if (reserved != 0 || !pair || !PrimarySurface || !OverlaySurface)
        return 0;
    primary = DescribeWhileBusy(PrimarySurface, &pair[0]);
    overlay = DescribeWhileBusy(OverlaySurface, &pair[1]);
    return primary == DD_OK && overlay == DD_OK;
}

int SetOverlayColorKey(DWORD low, DWORD high, int reserved)
{
    DDCOLORKEY key;

    if (reserved != 0 || !PrimarySurface)
        return 0;
    key.dwColorSpaceLowValue = low;
    key.dwColorSpaceHighValue = high;
    return PrimarySurface->SetColorKey(DDCKEY_DESTOVERLAY, &key) == DD_OK;
}

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

int ClipOverlayRects(IDirectDrawSurface *primary, const RECT *source, const RECT *destination,
                     RECT *clippedSource, RECT *clippedDestination)
{
    DDSURFACEDESC desc;

    *clippedSource = *source;
    *clippedDestination = *destination;
    if (!primary)
        return 0;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (primary->GetSurfaceDesc(&desc) != DD_OK)
        return 0;
    return ClipRectsToScreen((LONG)desc.dwWidth, (LONG)desc.dwHeight, source, destination,
                             clippedSource, clippedDestination);
}

int ShowOverlay(const RECT *source, const RECT *destination, int reserved)
{
    RECT s, d;

    if (reserved != 0 || !PrimarySurface || !OverlaySurface)
        return 0;
    ClipOverlayRects(PrimarySurface, source, destination, &s, &d);
    if (OverlaySurface->UpdateOverlay(&s, PrimarySurface, &d, DDOVER_SHOW | DDOVER_KEYDEST, NULL) == DD_OK)
        return 1;
    /* Without keying the overlay covers the whole client area instead. */
    return OverlaySurface->UpdateOverlay(&s, PrimarySurface, &d, DDOVER_SHOW, NULL) == DD_OK;
}

int HideOverlay(const RECT *source, const RECT *destination, int reserved)
{
    if (reserved != 0 || !PrimarySurface || !OverlaySurface)
        return 0;
    return OverlaySurface->UpdateOverlay((RECT *)source, PrimarySurface, (RECT *)destination,
                                         DDOVER_HIDE, NULL) == DD_OK;
}

static int IsMagenta(const PALETTEENTRY *entry)
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

/* One entry per call; the search stops at the first failed read or magenta entry. */
static UINT ReadSystemPalette(HWND window, PALETTEENTRY *entries)
{
    HDC dc = GetDC(window);
    UINT i;

    if (!dc)
        return 0;
    for (i = 0; i < 256; i++) {
        if (GetSystemPaletteEntries(dc, i, 1, &entries[i]) == 0)
            break;
        if (IsMagenta(&entries[i])) {
            i++;
            break;
        }
    }
    ReleaseDC(window, dc);
    return i;
}

static HRESULT LockWhileBusy(IDirectDrawSurface *surface, DDSURFACEDESC *desc)
{
    DWORD start = timeGetTime();
    HRESULT result;

    do {
        ZeroMemory(desc, sizeof(*desc));
        desc->dwSize = sizeof(*desc);
        result = surface->Lock(NULL, desc, 0, NULL);
    } while (result == DDERR_WASSTILLDRAWING && timeGetTime() - start <= OVERLAY_BUSY_LIMIT_MS);
    return result;
}

/* The surface's memory may be touched only while it is locked, so the
   pattern goes in under a lock of its own, with the address that lock gives. */
static void FillOverlay(int format, UINT width, UINT height)
{
    PatternWriter writer;
    DDSURFACEDESC desc;
    LONG pitch;

    switch (format & 0xFFFF) {
    case OVERLAY_FORMAT_YUY2:   writer = WriteYuy2Pattern; break;
    case OVERLAY_FORMAT_UYVY:   writer = WriteUyvyPattern; break;
    case OVERLAY_FORMAT_RGB565: writer = WriteRgb565Pattern; break;
    default: return;
    }
    if (LockWhileBusy(OverlaySurface, &desc) != DD_OK)
        return;
    pitch = desc.lPitch < 0 ? -desc.lPitch : desc.lPitch;
    /* A surface smaller than asked for would be written past its end. */
    if (desc.lpSurface && desc.dwWidth >= width && desc.dwHeight >= height &&
        (DWORD)pitch >= width * 2)
        writer((BYTE *)desc.lpSurface, desc.lPitch, width, height);
    OverlaySurface->Unlock(desc.lpSurface);
}

int TestOverlayFormat(HWND window, int width, int height, int format)
{
    UINT w = (UINT)width & 0xFFFF, h = (UINT)height & 0xFFFF;
    SurfaceInfo pair[2];
    PALETTEENTRY palette[256];
    UINT paletteCount = 0;
    DWORD key = 0;
    RECT source, destination;
    POINT corner;
    int usable = 0, answer;

    if (!QueryOverlayCaps(&usable, 0) || !usable)
        return 0;
    if (!CreateOverlaySurfaces(window, (int)w, (int)h, 0, format))
        return 0;
    if (!DescribeTestSurfaces(pair, 0))
        goto failed;
    if (pair[0].BitCount == 8)
        paletteCount = ReadSystemPalette(window, palette);
    if (!ChooseColorKey(&pair[0], palette, paletteCount, &key))
        goto failed;
    if (!SetOverlayColorKey(key, key, 0))
        goto failed;

    SetRect(&source, 0, 0, (int)w, (int)h);
    GetClientRect(window, &destination);
    corner.x = destination.right;
    corner.y = destination.bottom;
    ClientToScreen(window, &corner);
    destination.right = corner.x;
    destination.bottom = corner.y;
    corner.x = 0;
    corner.y = 0;
    ClientToScreen(window, &corner);
    destination.left = corner.x;
    destination.top = corner.y;

    FillOverlay(format, w, h);
    if (!ShowOverlay(&source, &destination, 0))
        goto failed;
    answer = MessageBoxA(window, LoadText(IDS_OVERLAY_QUESTION), OverlayTestCaption(), MB_YESNO);
    HideOverlay(&source, &destination, 0);
    ReleaseOverlaySurfaces(0);
    return answer == IDYES;

failed:
    ReleaseOverlaySurfaces(0);
    return 0;
}

void RunOverlayFormatTests(HWND window)
{
    int a, b = 0, c = 0;

    OverlayTestResult = OVERLAY_RESULT_UNSUPPORTED;
    if (!AcquireDirectDraw(0))
        return;
    a = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_YUY2);
    /* A window closed while a question was open ends the run there: no
       further question can be owned by it, and no answer was given. */
    if (a == 1 && IsWindow(window)) {
        b = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_RGB565);
        if (b != 1 && IsWindow(window))
            c = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_UYVY);
    }
    ReleaseDirectDraw(0);
    if (!IsWindow(window))
        OverlayTestResult = OVERLAY_RESULT_NONE;
    else if (a == 1 && b == 1)
        OverlayTestResult = OVERLAY_RESULT_S3;
    else if (a == 1 && c == 1)
        OverlayTestResult = OVERLAY_RESULT_RIVA;
}
