/* A scripted stand-in for ddraw.dll. It reads fakeddraw.txt beside itself
   when loaded, logs every call to fakeddraw.log there, and dumps the
   overlay's memory at each Unlock to overlay-N.bin (N counts overlays).
   Script lines ("#" starts a comment; hex values without 0x):
     caps CAPS MINSTRETCH            GetCaps answer, default 400800 1000
     primary BITS R G B [W H]        primary format, default 32 FF0000 FF00 FF, screen size
     pitch BYTES                     overlay pitch, default 1600
     busy primary|overlay MS         Lock answers DDERR_WASSTILLDRAWING for MS after its first try
     fail NAME                       NAME: DirectDrawCreate GetCaps SetCooperativeLevel
                                     CreateSurface.PRIMARY|YUY2|UYVY|RGB565 GetSurfaceDesc
                                     Lock SetColorKey UpdateOverlay UpdateOverlay.FLAGS
   The overlay's memory is readable only while it is locked, and filled
   with A5 bytes when made. */
#define DIRECTDRAW_VERSION 0x0500
#include <windows.h>
#include <ddraw.h>
#include <stdio.h>
#include <string.h>

typedef struct Surface {
    IDirectDrawSurface iface;
    LONG refs;
    int overlay, number, locked;
    DDPIXELFORMAT format;
    DWORD width, height, busyMs, firstLock;
    LONG pitch;
    BYTE *memory;
} Surface;

static char Dir[MAX_PATH], Fails[32][40];
static int FailCount, Live, Overlays, PrimaryBits = 32, Pitch = 1600;
static DWORD Caps = DDCAPS_OVERLAY | DDCAPS_COLORKEY, MinStretch = 1000, BusyPrimary, BusyOverlay;
static unsigned Masks[3] = { 0xFF0000, 0xFF00, 0xFF }, ScreenW, ScreenH;
static IDirectDraw Object;
static LONG ObjectRefs;
static BYTE PrimaryBytes[16];

static void Log(const char *format, ...)
{
    char path[MAX_PATH + 16], line[512];
    va_list args;
    DWORD done;
    HANDLE f;
    va_start(args, format);
    wvsprintfA(line, format, args);
    va_end(args);
    lstrcatA(line, "\r\n");
    wsprintfA(path, "%sfakeddraw.log", Dir);
    f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, 0, NULL);
    WriteFile(f, line, lstrlenA(line), &done, NULL);
    CloseHandle(f);
}

static HRESULT Answer(const char *name, const char *detail)
{
    char full[64];
    int i;
    wsprintfA(full, "%s.%s", name, detail);
    for (i = 0; i < FailCount; i++)
        if (!strcmp(Fails[i], name) || !strcmp(Fails[i], full))
            return DDERR_GENERIC;
    return DD_OK;
}

static const char *Name(Surface *s) { return s->overlay ? "overlay" : "primary"; }
static const char *FormatName(const DDPIXELFORMAT *f)
{
    return f->dwFlags & DDPF_RGB ? "RGB565" : f->dwFourCC == MAKEFOURCC('Y','U','Y','2') ? "YUY2"
         : f->dwFourCC == MAKEFOURCC('U','Y','V','Y') ? "UYVY" : "OTHER";
}

static HRESULT WINAPI SQueryInterface(IDirectDrawSurface *t, REFIID r, void **p) { (void)t; (void)r; *p = NULL; return E_NOINTERFACE; }
static ULONG WINAPI SAddRef(IDirectDrawSurface *t) { return ++((Surface *)t)->refs; }
static ULONG WINAPI SRelease(IDirectDrawSurface *t)
{
    Surface *s = (Surface *)t;
    LONG refs = --s->refs;
    Log("Release %s %d refs=%d", Name(s), s->number, refs);
    if (refs == 0) {
        if (s->memory)
            VirtualFree(s->memory, 0, MEM_RELEASE);
        HeapFree(GetProcessHeap(), 0, s);
        Live--;
    }
    return refs;
}

static HRESULT WINAPI SGetSurfaceDesc(IDirectDrawSurface *t, LPDDSURFACEDESC d)
{
    Surface *s = (Surface *)t;
    HRESULT hr = Answer("GetSurfaceDesc", Name(s));
    Log("GetSurfaceDesc %s size=%u -> %x", Name(s), (unsigned)d->dwSize, (unsigned)hr);
    if (hr != DD_OK)
        return hr;
    d->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    d->dwWidth = s->width;
    d->dwHeight = s->height;
    d->lPitch = s->pitch;
    d->ddpfPixelFormat = s->format;
    d->ddsCaps.dwCaps = s->overlay ? DDSCAPS_OVERLAY : DDSCAPS_PRIMARYSURFACE;
    return DD_OK;
}

static HRESULT WINAPI SLock(IDirectDrawSurface *t, LPRECT r, LPDDSURFACEDESC d, DWORD flags, HANDLE e)
{
    Surface *s = (Surface *)t;
    DWORD now = GetTickCount(), old;
    HRESULT hr;
    if (!s->firstLock)
        s->firstLock = now ? now : 1;
    if (now - s->firstLock < s->busyMs)
        return DDERR_WASSTILLDRAWING;    /* not logged: the caller spins */
    hr = s->locked ? DDERR_SURFACEBUSY : Answer("Lock", Name(s));
    Log("Lock %s rect=%d size=%u flags=%x event=%d waited=%u -> %x", Name(s), r != NULL,
        (unsigned)d->dwSize, (unsigned)flags, e != NULL, (unsigned)(now - s->firstLock), (unsigned)hr);
    if (hr != DD_OK)
        return hr;
    SGetSurfaceDesc(t, d);
    d->lpSurface = s->memory ? s->memory : PrimaryBytes;
    if (s->memory)
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_READWRITE, &old);
    s->locked = 1;
    return DD_OK;
}

static HRESULT WINAPI SUnlock(IDirectDrawSurface *t, LPVOID p)
{
    Surface *s = (Surface *)t;
    char path[MAX_PATH + 16];
    DWORD old, done;
    HANDLE f;
    Log("Unlock %s locked=%d same=%d", Name(s), s->locked, p == (s->memory ? s->memory : PrimaryBytes));
    if (s->locked && s->memory) {
        wsprintfA(path, "%soverlay-%d.bin", Dir, s->number);
        f = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        WriteFile(f, s->memory, s->pitch * s->height, &done, NULL);
        CloseHandle(f);
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_NOACCESS, &old);
    }
    s->locked = 0;
    return DD_OK;
}

static HRESULT WINAPI SSetColorKey(IDirectDrawSurface *t, DWORD flags, LPDDCOLORKEY k)
{
    HRESULT hr = Answer("SetColorKey", "");
    Log("SetColorKey %s flags=%x low=%x high=%x -> %x", Name((Surface *)t), (unsigned)flags,
        (unsigned)k->dwColorSpaceLowValue, (unsigned)k->dwColorSpaceHighValue, (unsigned)hr);
    return hr;
}

static HRESULT WINAPI SUpdateOverlay(IDirectDrawSurface *t, LPRECT a, IDirectDrawSurface *dest,
                                     LPRECT b, DWORD flags, LPDDOVERLAYFX fx)
{
    Surface *s = (Surface *)t;
    char detail[16];
    HRESULT hr;
    wsprintfA(detail, "%x", (unsigned)flags);
    hr = Answer("UpdateOverlay", detail);
    Log("UpdateOverlay %s src=%d,%d,%d,%d dest=%s dst=%d,%d,%d,%d flags=%x fx=%d locked=%d -> %x",
        Name(s), (int)a->left, (int)a->top, (int)a->right, (int)a->bottom,
        dest ? Name((Surface *)dest) : "none", (int)b->left, (int)b->top, (int)b->right,
        (int)b->bottom, (unsigned)flags, fx != NULL, s->locked, (unsigned)hr);
    return hr;
}

static IDirectDrawSurfaceVtbl SurfaceVtbl = {
    .QueryInterface = SQueryInterface, .AddRef = SAddRef, .Release = SRelease,
    .GetSurfaceDesc = SGetSurfaceDesc, .Lock = SLock, .Unlock = SUnlock,
    .SetColorKey = SSetColorKey, .UpdateOverlay = SUpdateOverlay,
};

static HRESULT WINAPI DQueryInterface(IDirectDraw *t, REFIID r, void **p) { (void)t; (void)r; *p = NULL; return E_NOINTERFACE; }
static ULONG WINAPI DAddRef(IDirectDraw *t) { (void)t; return ++ObjectRefs; }
static ULONG WINAPI DRelease(IDirectDraw *t)
{
    (void)t;
    Log("Release ddraw refs=%d", (int)(ObjectRefs - 1));
    if (--ObjectRefs == 0)
        Live--;
    return ObjectRefs;
}

static HRESULT WINAPI DGetCaps(IDirectDraw *t, LPDDCAPS driver, LPDDCAPS hel)
{
    HRESULT hr = Answer("GetCaps", "");
    (void)t;
    Log("GetCaps size=%u hel=%d -> %x", (unsigned)driver->dwSize, hel != NULL, (unsigned)hr);
    if (hr == DD_OK) {
        driver->dwCaps = Caps;
        driver->dwMinOverlayStretch = MinStretch;
        driver->dwMaxOverlayStretch = 20000;
    }
    return hr;
}

static HRESULT WINAPI DSetCooperativeLevel(IDirectDraw *t, HWND w, DWORD flags)
{
    HRESULT hr = Answer("SetCooperativeLevel", "");
    char cls[32] = "";
    (void)t;
    GetClassNameA(w, cls, sizeof cls);
    Log("SetCooperativeLevel window=%s flags=%x -> %x", cls, (unsigned)flags, (unsigned)hr);
    return hr;
}

static HRESULT WINAPI DCreateSurface(IDirectDraw *t, LPDDSURFACEDESC d, IDirectDrawSurface **out, IUnknown *outer)
{
    int overlay = (d->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) == 0;
    const char *kind = overlay ? FormatName(&d->ddpfPixelFormat) : "PRIMARY";
    HRESULT hr = Answer("CreateSurface", kind);
    const DDPIXELFORMAT *f = &d->ddpfPixelFormat;
    Surface *s;
    DWORD protect;
    (void)t;
    Log("CreateSurface %s size=%u flags=%x caps=%x w=%u h=%u pf=%u,%x,%x,%u,%x,%x,%x,%x outer=%d -> %x",
        kind, (unsigned)d->dwSize, (unsigned)d->dwFlags, (unsigned)d->ddsCaps.dwCaps,
        (unsigned)d->dwWidth, (unsigned)d->dwHeight, (unsigned)f->dwSize, (unsigned)f->dwFlags,
        (unsigned)f->dwFourCC, (unsigned)f->dwRGBBitCount, (unsigned)f->dwRBitMask,
        (unsigned)f->dwGBitMask, (unsigned)f->dwBBitMask, (unsigned)f->dwRGBAlphaBitMask,
        outer != NULL, (unsigned)hr);
    *out = NULL;
    if (hr != DD_OK)
        return hr;
    s = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *s);
    s->iface.lpVtbl = &SurfaceVtbl;
    s->refs = 1;
    s->overlay = overlay;
    s->format.dwSize = sizeof s->format;
    if (overlay) {
        s->number = ++Overlays;
        s->format = *f;
        s->width = d->dwWidth;
        s->height = d->dwHeight;
        s->pitch = Pitch;
        s->busyMs = BusyOverlay;
        s->memory = VirtualAlloc(NULL, s->pitch * s->height, MEM_COMMIT, PAGE_READWRITE);
        memset(s->memory, 0xA5, s->pitch * s->height);
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_NOACCESS, &protect);
    } else {
        s->format.dwFlags = DDPF_RGB | (PrimaryBits == 8 ? DDPF_PALETTEINDEXED8 : 0);
        s->format.dwRGBBitCount = PrimaryBits;
        s->format.dwRBitMask = Masks[0];
        s->format.dwGBitMask = Masks[1];
        s->format.dwBBitMask = Masks[2];
        s->width = ScreenW;
        s->height = ScreenH;
        s->pitch = ScreenW * 4;
        s->busyMs = BusyPrimary;
    }
    Live++;
    *out = &s->iface;
    return DD_OK;
}

static IDirectDrawVtbl ObjectVtbl = {
    .QueryInterface = DQueryInterface, .AddRef = DAddRef, .Release = DRelease,
    .CreateSurface = DCreateSurface, .GetCaps = DGetCaps,
    .SetCooperativeLevel = DSetCooperativeLevel,
};

/* The copy built with FAKEDDRAW_NO_CREATE exports nothing. */
#ifdef FAKEDDRAW_NO_CREATE
#define EXPORT
#else
#define EXPORT __declspec(dllexport)
#endif
EXPORT HRESULT WINAPI DirectDrawCreate(GUID *guid, IDirectDraw **out, IUnknown *outer)
{
    HRESULT hr = Answer("DirectDrawCreate", "");
    Log("DirectDrawCreate guid=%d outer=%d -> %x", guid != NULL, outer != NULL, (unsigned)hr);
    *out = NULL;
    if (hr != DD_OK)
        return hr;
    Object.lpVtbl = &ObjectVtbl;
    ObjectRefs = 1;
    Live++;
    *out = &Object;
    return DD_OK;
}

static void ReadScript(void)
{
    char path[MAX_PATH + 16], line[128], a[40];
    unsigned x, z, w, h;
    FILE *f;
    wsprintfA(path, "%sfakeddraw.txt", Dir);
    ScreenW = GetSystemMetrics(SM_CXSCREEN);
    ScreenH = GetSystemMetrics(SM_CYSCREEN);
    if (!(f = fopen(path, "r")))
        return;
    while (fgets(line, sizeof line, f)) {
        int n = sscanf(line, "primary %u %x %x %x %u %u", &x, &Masks[0], &Masks[1], &Masks[2], &w, &h);
        if (n >= 4)
            PrimaryBits = x;
        if (n == 6) {
            ScreenW = w;
            ScreenH = h;
        }
        sscanf(line, "caps %lx %lu", &Caps, &MinStretch);
        sscanf(line, "pitch %d", &Pitch);
        if (sscanf(line, "busy %39s %u", a, &z) == 2)
            *(strcmp(a, "overlay") ? &BusyPrimary : &BusyOverlay) = z;
        if (sscanf(line, "fail %39s", a) == 1 && FailCount < 32)
            strcpy(Fails[FailCount++], a);
    }
    fclose(f);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char *slash;
        GetModuleFileNameA(instance, Dir, MAX_PATH);
        slash = strrchr(Dir, '\\');
        if (slash)
            slash[1] = 0;
        ReadScript();
        Log("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("%s live=%d", reserved ? "exit" : "unload", Live);
    }
    return TRUE;
}
