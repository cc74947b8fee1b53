/* The machine facts record, its one-time collection and the fixed-drive list. */
#include "machineinfo.h"
#include "winname.h"
#include "cpu.h"
#include "pcibridge.h"
#include "maindlg.h"
#include "diskrun.h"
#include "overlaywnd.h"
#include "app.h"
#include "textfmt.h"

MachineInfoRecord   MachineInfo;
DriveSelectorRecord DriveSelector;

#define DRIVE_ITEM(i, letter) { 0, i, { letter, letter } }
DriveItem DriveItems[DRIVE_COUNT] = {
    DRIVE_ITEM(0, "A"),  DRIVE_ITEM(1, "B"),  DRIVE_ITEM(2, "C"),  DRIVE_ITEM(3, "D"),
    DRIVE_ITEM(4, "E"),  DRIVE_ITEM(5, "F"),  DRIVE_ITEM(6, "G"),  DRIVE_ITEM(7, "H"),
    DRIVE_ITEM(8, "I"),  DRIVE_ITEM(9, "J"),  DRIVE_ITEM(10, "K"), DRIVE_ITEM(11, "L"),
    DRIVE_ITEM(12, "M"), DRIVE_ITEM(13, "N"), DRIVE_ITEM(14, "O"), DRIVE_ITEM(15, "P"),
    DRIVE_ITEM(16, "Q"), DRIVE_ITEM(17, "R"), DRIVE_ITEM(18, "S"), DRIVE_ITEM(19, "T"),
    DRIVE_ITEM(20, "U"), DRIVE_ITEM(21, "V"), DRIVE_ITEM(22, "W"), DRIVE_ITEM(23, "X"),
    DRIVE_ITEM(24, "Y"), DRIVE_ITEM(25, "Z"),
};

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

int BuildFixedDriveList(void)
{
    char root[8];
    int i;

    for (i = 0; i < DRIVE_COUNT; i++) {
        wsprintfA(root, "%c:\\", 'A' + i);
        DriveItems[i].IsFixed = GetDriveTypeA(root) == DRIVE_FIXED ? 1 : 0;
    }
    for (i = 0; i < DRIVE_COUNT; i++) {
        if (DriveItems[i].IsFixed) {
            DriveSelector.SelectedDrive = i;
            DriveSelector.ControlId = 301;
            DriveSelector.ItemCount = DRIVE_COUNT;
            DriveSelector.Items = DriveItems;
            return 1;
        }
    }
    return 0;
}

int CollectMachineInfo(HINSTANCE instance)
{
    OSVERSIONINFOA version;
    SYSTEM_INFO system;
    MEMORYSTATUS memory;
    char prefix[16];
    const char *name;
    DWORD mhz;

    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    MachineInfo.IsNtFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
    FormatWindowsName(&version, MachineInfo.WindowsNameTwoLines, MachineInfo.WindowsName);

    GetSystemInfo(&system);
    FormatProcessorCountPrefix(prefix, system.dwNumberOfProcessors);
    name = ProcessorKindName(IdentifyProcessor());
    mhz = MeasureProcessorClock();
    FormatComputerText(MachineInfo.ComputerText, prefix, name, mhz);

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
