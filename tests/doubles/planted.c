/* A library planted in the folder the program is started from, copied there
   as rudido32.dll, ddraw.dll and winmm.dll. It exports each one's entry and
   answers failure, and when it loads it leaves the volatile key
   HKLM\System\VurOdozPlanted, as the planted driver does: the program must
   never load it. */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h: timeGetTime is defined here */
#include <windows.h>

__declspec(dllexport) int WINAPI VKTGetBridgeData(DWORD *bios, DWORD *vendor, DWORD *device, DWORD *latency)
{
    (void)bios; (void)vendor; (void)device; (void)latency;
    return 0;
}

__declspec(dllexport) HRESULT WINAPI DirectDrawCreate(void *guid, void **object, void *outer)
{
    (void)guid; (void)object; (void)outer;
    return E_FAIL;
}

__declspec(dllexport) DWORD WINAPI timeGetTime(void)
{
    return GetTickCount();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    HKEY key;

    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH
        && !RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\VurOdozPlanted", 0, NULL, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, NULL, &key, NULL))
        RegCloseKey(key);
    return TRUE;
}
