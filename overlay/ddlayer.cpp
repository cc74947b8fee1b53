/* The DirectDraw layer of the overlay test: the library and its objects,
   counted so that nested runs share them, and the calls that create, fill,
   key, show and hide one overlay. */
#define DIRECTDRAW_VERSION 0x0500
#include "ddlayer.h"

#include <ddraw.h>

#include "ddsurface.h"
#include "syslib.h"
#include "pattern.h"

/* DirectX 5 records: older runtimes refuse larger sizes. */
static_assert(sizeof(DDCAPS) == 364, "DDCAPS must have the DirectX 5 layout");
static_assert(sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC must have 108 bytes");

typedef HRESULT (WINAPI *DirectDrawCreateProc)(GUID *, IDirectDraw **, IUnknown *);

static HMODULE             DdLibrary;
static IDirectDraw        *DdObject;
static IDirectDrawSurface *PrimarySurface;
static IDirectDrawSurface *OverlaySurface;
static int                 DdUsers;

/* A DirectDraw wrapper beside the program is the user's choice; otherwise
   the system's own, never one that lies in the current directory. */
static HMODULE LoadDirectDrawLibrary(void)
{
    char path[MAX_PATH];

    if (PathBesideProgram(path, "ddraw.dll") && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return LoadLibraryA(path);
    return LoadSystemLibrary("ddraw.dll");
}

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
    DdLibrary = LoadDirectDrawLibrary();
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

void AbandonDirectDraw(void)
{
    if (DdUsers > 0) {
        DdUsers = 1;
        ReleaseDirectDraw(0);
    }
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

/* The surface's memory may be touched only while it is locked, so the
   picture goes in under a lock of its own, with the address that lock
   gives; it is drawn before the lock, since no GDI call may run under one. */
void FillOverlay(int format, UINT width, UINT height)
{
    ColorBarPicture picture;
    DDSURFACEDESC desc;
    LONG pitch;
    int layout;

    switch (format & 0xFFFF) {
    case OVERLAY_FORMAT_YUY2:   layout = PATTERN_YUY2; break;
    case OVERLAY_FORMAT_UYVY:   layout = PATTERN_UYVY; break;
    case OVERLAY_FORMAT_RGB565: layout = PATTERN_RGB565; break;
    default: return;
    }
    if (!OverlaySurface || !RenderColorBars(width, height, &picture))
        return;
    if (LockWhileBusy(OverlaySurface, &desc) == DD_OK) {
        pitch = desc.lPitch < 0 ? -desc.lPitch : desc.lPitch;
        /* A surface smaller than asked for would be written past its end. */
        if (desc.lpSurface && desc.dwWidth >= picture.Width && desc.dwHeight >= picture.Height &&
            (DWORD)pitch >= picture.Width * 2)
            ConvertColorBars(layout, &picture, (BYTE *)desc.lpSurface, desc.lPitch);
        OverlaySurface->Unlock(desc.lpSurface);
    }
    FreeColorBars(&picture);
}
