// A stand-in for rudido32.dll. It reads, at each call, the environment
// variable VURODOZ_FAKE_BRIDGE of the process that loaded it:
// "result bios vendor device latency", five hexadecimal numbers, for example
// "1 0210 8086 7190 40". It writes the four values even when the result is
// 0; unset or malformed, it answers 0 and writes nothing. Built a second
// time with FAKE_WITHOUT_EXPORT: a library that lacks the export.
#include <windows.h>
#include <cstdio>

#ifndef FAKE_WITHOUT_EXPORT
extern "C" __declspec(dllexport) int WINAPI VKTGetBridgeData(DWORD *bios, DWORD *vendor, DWORD *device,
                                                             DWORD *latency)
{
    char config[128];
    unsigned long v[5];
    DWORD n = GetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", config, sizeof(config));
    if (n == 0 || n >= sizeof(config)
        || sscanf(config, "%lx %lx %lx %lx %lx", &v[0], &v[1], &v[2], &v[3], &v[4]) != 5)
        return 0;
    *bios = v[1];
    *vendor = v[2];
    *device = v[3];
    *latency = v[4];
    return (int)v[0];
}
#else
extern "C" __declspec(dllexport) int WINAPI VKTGetOtherData(void)
{
    return 0;
}
#endif
