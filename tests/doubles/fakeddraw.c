/* A scripted stand-in for ddraw.dll. When loaded it reads fakeddraw.txt
   beside itself; it logs every call to fakeddraw.log there and dumps the
   overlay's memory at each Unlock to overlay-N.bin (N counts the overlays
   of one load). Script lines, numbers in hex unless said:
     caps CAPS MINSTRETCH         GetCaps answer; default 400800 1000 (decimal)
     primary BITS R G B [W H]     primary format (BITS, W, H decimal); default 32 FF0000 FF00 FF, the screen
     pitch BYTES                  overlay pitch, decimal; default 1600
     busy primary|overlay MS      Lock answers DDERR_WASSTILLDRAWING for MS after its first try
     fail CALL[.DETAIL]           DDERR_GENERIC from DirectDrawCreate, GetCaps, SetCooperativeLevel,
                                  CreateSurface.PRIMARY|YUY2|UYVY|RGB565, GetSurfaceDesc, Lock,
                                  SetColorKey, UpdateOverlay[.FLAGS]
   The overlay's memory, A5 bytes when made, is reachable only while locked.
   While any surface is locked, every USER and GDI function the program
   imports is counted, and a call is logged at the Unlock: on Windows 95 and
   98 a lock holds the Win16 lock, under which such a call can hang the
   machine. */
#define DIRECTDRAW_VERSION 0x0500
#include <windows.h>
#include <ddraw.h>
#include <stdio.h>
#include <string.h>

#include "importtable.h"

typedef struct Surface {
    IDirectDrawSurface iface;
    LONG refs, pitch;
    int overlay, number, locked, tried;
    DDPIXELFORMAT format;
    DWORD width, height, busyMs, firstLock;
    BYTE *memory;
} Surface;

static char Dir[MAX_PATH], Script[2048];
static int Live, Overlays, Pitch = 1600;
static unsigned Bits = 32, Masks[3] = {0xFF0000, 0xFF00, 0xFF}, ScreenW, ScreenH, Busy[2];
static unsigned long Caps = DDCAPS_OVERLAY | DDCAPS_COLORKEY, MinStretch = 1000;
static IDirectDraw Object;
static LONG ObjectRefs;
static BYTE PrimaryBytes[16];

typedef struct Watch { const char *name; ULONG_PTR *slot, original; LONG hits; } Watch;
enum { MAX_WATCHES = 1024, THUNK_SIZE = 12 };
static Watch Watches[MAX_WATCHES];
static int WatchCount, LocksHeld;
static BYTE *Thunks;

static void Log(const char *format, ...)
{
    char path[MAX_PATH + 16], line[512];
    DWORD done;
    va_list args;
    va_start(args, format);
    wvsprintfA(line, format, args);
    va_end(args);
    lstrcatA(line, "\r\n");
    wsprintfA(path, "%sfakeddraw.log", Dir);
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, 0, NULL);
    WriteFile(f, line, lstrlenA(line), &done, NULL);
    CloseHandle(f);
}

/* DDERR_GENERIC when the script has "fail CALL" or "fail CALL.DETAIL". */
static HRESULT Answer(const char *call, const char *detail)
{
    char a[64], b[64];
    wsprintfA(a, "\nfail %s\n", call);
    wsprintfA(b, "\nfail %s.%s\n", call, detail);
    return strstr(Script, a) || strstr(Script, b) ? DDERR_GENERIC : DD_OK;
}

static void AddWatch(const char *dll, const char *name, ULONG_PTR *slot, void *context)
{
    (void)context;
    if ((lstrcmpiA(dll, "gdi32.dll") != 0 && lstrcmpiA(dll, "user32.dll") != 0) || WatchCount == MAX_WATCHES)
        return;
    Watches[WatchCount].name = name;
    Watches[WatchCount++].slot = slot;
}

/* Each watched slot points, while on, at a thunk that counts the call and
   goes on to the function: inc dword [hits]; jmp [original]. */
static void WatchImports(int on)
{
    int i;
    for (i = 0; i < WatchCount; i++) {
        Watch *w = &Watches[i];
        BYTE *t = Thunks + i * THUNK_SIZE;
        if (on) {
            w->original = *w->slot;
            t[0] = 0xFF, t[1] = 0x05, *(LONG **)(t + 2) = &w->hits;
            t[6] = 0xFF, t[7] = 0x25, *(ULONG_PTR **)(t + 8) = &w->original;
            SetImportSlot(w->slot, (ULONG_PTR)t);
        } else {
            SetImportSlot(w->slot, w->original);
            if (w->hits)
                Log("%s called under a lock x%d", w->name, (int)w->hits);
            w->hits = 0;
        }
    }
}

static const char *Name(Surface *s) { return s->overlay ? "overlay" : "primary"; }

static ULONG WINAPI SRelease(IDirectDrawSurface *t)
{
    Surface *s = (Surface *)t;
    Log("Release %s refs=%d", Name(s), (int)--s->refs);
    if (s->refs)
        return s->refs;
    VirtualFree(s->memory, 0, MEM_RELEASE);
    HeapFree(GetProcessHeap(), 0, s);
    Live--;
    return 0;
}

static HRESULT WINAPI SGetSurfaceDesc(IDirectDrawSurface *t, LPDDSURFACEDESC d)
{
    Surface *s = (Surface *)t;
    HRESULT hr = Answer("GetSurfaceDesc", "");
    Log("GetSurfaceDesc %s size=%u -> %x", Name(s), (unsigned)d->dwSize, (unsigned)hr);
    d->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    d->dwWidth = s->width;
    d->dwHeight = s->height;
    d->lPitch = s->pitch;
    d->ddpfPixelFormat = s->format;
    return hr;
}

static HRESULT WINAPI SLock(IDirectDrawSurface *t, LPRECT r, LPDDSURFACEDESC d, DWORD flags, HANDLE e)
{
    Surface *s = (Surface *)t;
    DWORD now = GetTickCount(), old;
    if (!s->tried++)
        s->firstLock = now;
    if (now - s->firstLock < s->busyMs)
        return DDERR_WASSTILLDRAWING;    /* not logged: the caller spins */
    HRESULT hr = s->locked ? DDERR_SURFACEBUSY : Answer("Lock", "");
    Log("Lock %s rect=%d size=%u flags=%x event=%d -> %x", Name(s), r != NULL, (unsigned)d->dwSize,
        (unsigned)flags, e != NULL, (unsigned)hr);
    if (hr == DD_OK) {
        SGetSurfaceDesc(t, d);
        d->lpSurface = s->memory ? s->memory : PrimaryBytes;
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_READWRITE, &old);
        s->locked = 1;
        if (LocksHeld++ == 0)
            WatchImports(1);
    }
    return hr;
}

static HRESULT WINAPI SUnlock(IDirectDrawSurface *t, LPVOID p)
{
    Surface *s = (Surface *)t;
    char path[MAX_PATH + 16];
    DWORD old, done;
    Log("Unlock %s locked=%d same=%d", Name(s), s->locked, p == (s->memory ? s->memory : PrimaryBytes));
    if (s->locked && s->memory) {
        wsprintfA(path, "%soverlay-%d.bin", Dir, s->number);
        HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        WriteFile(f, s->memory, s->pitch * s->height, &done, NULL);
        CloseHandle(f);
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_NOACCESS, &old);
    }
    if (s->locked && --LocksHeld == 0)
        WatchImports(0);
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
    char detail[16];
    wsprintfA(detail, "%x", (unsigned)flags);
    HRESULT hr = Answer("UpdateOverlay", detail);
    Log("UpdateOverlay %s src=%d,%d,%d,%d dest=%s dst=%d,%d,%d,%d flags=%x fx=%d locked=%d -> %x",
        Name((Surface *)t), (int)a->left, (int)a->top, (int)a->right, (int)a->bottom,
        dest ? Name((Surface *)dest) : "none", (int)b->left, (int)b->top, (int)b->right,
        (int)b->bottom, (unsigned)flags, fx != NULL, ((Surface *)t)->locked, (unsigned)hr);
    return hr;
}

/* Methods the program must not call stay null, so a call to one crashes. */
static IDirectDrawSurfaceVtbl SurfaceVtbl = {
    .Release = SRelease, .GetSurfaceDesc = SGetSurfaceDesc, .Lock = SLock, .Unlock = SUnlock,
    .SetColorKey = SSetColorKey, .UpdateOverlay = SUpdateOverlay,
};

static ULONG WINAPI DRelease(IDirectDraw *t)
{
    (void)t;
    Log("Release ddraw refs=%d", (int)--ObjectRefs);
    Live -= ObjectRefs == 0;
    return ObjectRefs;
}

static HRESULT WINAPI DGetCaps(IDirectDraw *t, LPDDCAPS driver, LPDDCAPS hel)
{
    HRESULT hr = Answer("GetCaps", "");
    (void)t;
    Log("GetCaps size=%u hel=%d -> %x", (unsigned)driver->dwSize, hel != NULL, (unsigned)hr);
    driver->dwCaps = Caps;
    driver->dwMinOverlayStretch = MinStretch;
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
    const DDPIXELFORMAT *f = &d->ddpfPixelFormat;
    int overlay = !(d->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    const char *kind = !overlay ? "PRIMARY" : f->dwFlags & DDPF_RGB ? "RGB565"
                     : f->dwFourCC == MAKEFOURCC('Y', 'U', 'Y', '2') ? "YUY2" : "UYVY";
    HRESULT hr = Answer("CreateSurface", kind);
    DWORD old;
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
    Surface *s = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *s);
    s->iface.lpVtbl = &SurfaceVtbl;
    s->refs = 1;
    s->overlay = overlay;
    s->busyMs = Busy[overlay];
    if (overlay) {
        s->number = ++Overlays;
        s->format = *f;
        s->width = d->dwWidth;
        s->height = d->dwHeight;
        s->pitch = Pitch;
        s->memory = VirtualAlloc(NULL, s->pitch * s->height, MEM_COMMIT, PAGE_READWRITE);
        memset(s->memory, 0xA5, s->pitch * s->height);
        VirtualProtect(s->memory, s->pitch * s->height, PAGE_NOACCESS, &old);
    } else {
        DDPIXELFORMAT p = {sizeof p, DDPF_RGB | (Bits == 8 ? DDPF_PALETTEINDEXED8 : 0), 0,
                           {Bits}, {Masks[0]}, {Masks[1]}, {Masks[2]}, {0}};
        s->format = p;
        s->width = ScreenW;
        s->height = ScreenH;
        s->pitch = ScreenW * 4;
    }
    Live++;
    *out = &s->iface;
    return DD_OK;
}

static IDirectDrawVtbl ObjectVtbl = {
    .Release = DRelease, .CreateSurface = DCreateSurface, .GetCaps = DGetCaps,
    .SetCooperativeLevel = DSetCooperativeLevel,
};

/* The copy built with FAKEDDRAW_NO_CREATE exports nothing. */
#ifndef FAKEDDRAW_NO_CREATE
__declspec(dllexport)
#endif
HRESULT WINAPI DirectDrawCreate(GUID *guid, IDirectDraw **out, IUnknown *outer)
{
    HRESULT hr = Answer("DirectDrawCreate", "");
    Log("DirectDrawCreate guid=%d outer=%d -> %x", guid != NULL, outer != NULL, (unsigned)hr);
    Object.lpVtbl = &ObjectVtbl;
    ObjectRefs = hr == DD_OK;
    Live += ObjectRefs;
    *out = hr == DD_OK ? &Object : NULL;
    return hr;
}

static void ReadScript(void)
{
    char path[MAX_PATH + 16], *line, which[16];
    unsigned n, w, h;
    DWORD done = 0;
    wsprintfA(path, "%sfakeddraw.txt", Dir);
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    Script[0] = '\n';
    ReadFile(f, Script + 1, sizeof Script - 3, &done, NULL);
    CloseHandle(f);
    lstrcpyA(Script + 1 + done, "\n");
    ScreenW = GetSystemMetrics(SM_CXSCREEN);
    ScreenH = GetSystemMetrics(SM_CYSCREEN);
    for (line = Script; line; line = strchr(line + 1, '\n')) {
        if (sscanf(line, " primary %u %x %x %x %u %u", &Bits, &Masks[0], &Masks[1], &Masks[2], &w, &h) == 6) {
            ScreenW = w;
            ScreenH = h;
        }
        sscanf(line, " caps %lx %lu", &Caps, &MinStretch);
        sscanf(line, " pitch %d", &Pitch);
        if (sscanf(line, " busy %15s %u", which, &n) == 2)
            Busy[strcmp(which, "overlay") == 0] = n;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        GetModuleFileNameA(instance, Dir, MAX_PATH);
        strrchr(Dir, '\\')[1] = 0;
        ReadScript();
        Thunks = VirtualAlloc(NULL, MAX_WATCHES * THUNK_SIZE, MEM_COMMIT, PAGE_EXECUTE_READWRITE);
        VisitProgramImports(AddWatch, NULL);
        Log("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("%s live=%d", reserved ? "exit" : "unload", Live);
    }
    return TRUE;
}
