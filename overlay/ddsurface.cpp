/* Reading one DirectDraw surface, retried while it is busy. */
#include "ddsurface.h"

#include "syslib.h"

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

HRESULT DescribeWhileBusy(IDirectDrawSurface *surface, SurfaceInfo *info)
{
    DWORD start = NowMs();
    HRESULT result = DescribeSurface(surface, info);

    while (result == DDERR_WASSTILLDRAWING && NowMs() - start <= OVERLAY_BUSY_LIMIT_MS)
        result = DescribeSurface(surface, info);
    return result;
}

HRESULT LockWhileBusy(IDirectDrawSurface *surface, DDSURFACEDESC *desc)
{
    DWORD start = NowMs();
    HRESULT result;

    do {
        ZeroMemory(desc, sizeof(*desc));
        desc->dwSize = sizeof(*desc);
        result = surface->Lock(NULL, desc, 0, NULL);
    } while (result == DDERR_WASSTILLDRAWING && NowMs() - start <= OVERLAY_BUSY_LIMIT_MS);
    return result;
}
