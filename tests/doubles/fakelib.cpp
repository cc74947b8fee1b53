// A stand-in for rudido32.dll, configured by the environment variable
// VURODOZ_FAKE_BRIDGE of the process that loads it, read at each call:
// "result bios vendor device latency" in hexadecimal, e.g. "1 0210 8086 7190 40".
// It writes the four values even when the result is 0; unset, it answers 0.
// Built again with FAKE_WITHOUT_EXPORT: a library that lacks the export.
#include <windows.h>
#include <cstdio>

#ifndef FAKE_WITHOUT_EXPORT
extern "C" __declspec(dllexport) int WINAPI VKTGetBridgeData(DWORD *bios, DWORD *vendor, DWORD *device,
                                                             DWORD *latency)
{
    char config[128] = "";
    unsigned long result = 0;
    GetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", config, sizeof(config));
    sscanf(config, "%lx %lx %lx %lx %lx", &result, bios, vendor, device, latency);
    return (int)result;
}
#endif
