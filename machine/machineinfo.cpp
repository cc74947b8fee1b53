/* The machine facts record and its one-time collection, which also readies
   the disk and overlay tests. */
#include "machineinfo.h"
#include "winname.h"
#include "cpu.h"
#include "pcibridge.h"
#include "disksupport.h"
#include "overlayclass.h"
#include "overlaystate.h"
#include "text.h"
#include "textfmt.h"

MachineInfoRecord MachineInfo;
ProcessorParts    MachineProcessor;

void FormatProcessorCountPrefix(char *out, DWORD count)
{
    if (count == 1)
        out[0] = '\0';
    else if (count == 2)
        lstrcpyA(out, "Dual ");
    else
        wsprintfA(out, "%d ", (int)count);
}

void FormatComputerAndMemory(char *out, const char *computer, DWORD totalBytes)
{
    FormatBounded(out, COMPUTER_MEMORY_TEXT_SIZE, "%s %dMBytes", computer, (int)(totalBytes >> 20));
}

int CollectMachineInfo(HINSTANCE instance)
{
    OSVERSIONINFOA version;
    SYSTEM_INFO system;
    MEMORYSTATUS memory;
    char prefix[16];

    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    MachineInfo.IsNtFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
    FormatWindowsName(&version, MachineInfo.WindowsNameTwoLines, MachineInfo.WindowsName);

    GetSystemInfo(&system);
    MachineProcessor.Count = system.dwNumberOfProcessors;
    FormatProcessorCountPrefix(prefix, MachineProcessor.Count);
    MachineProcessor.Name = ProcessorKindName(IdentifyProcessor());
    MachineProcessor.Mhz = MeasureProcessorClock();
    FormatComputerText(MachineInfo.ComputerText, prefix, MachineProcessor.Name, MachineProcessor.Mhz);

    memory.dwLength = sizeof(memory);
    GlobalMemoryStatus(&memory);
    MachineInfo.TotalPhysicalMemory = (DWORD)memory.dwTotalPhys;

    if (!BuildFixedDriveList())
        return 0;

    InitDiskTestSupport();
    RegisterOverlayTestClass(instance, APP_CAPTION);
    CollectBridgeInfo(&MachineInfo, &version);
    OverlayState = OVERLAY_NOT_TESTED;
    return 1;
}
