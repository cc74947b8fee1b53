/* The machine facts gathered once at start-up, and the fixed-drive list. */
#ifndef VURODOZ_MACHINEINFO_H
#define VURODOZ_MACHINEINFO_H

#include <windows.h>

struct MachineInfoRecord {
    int   IsNtFamily;
    char  WindowsName[256];
    char  WindowsNameTwoLines[256];
    char  ComputerText[128];
    DWORD TotalPhysicalMemory;
    char  PciBiosVersionText[12];
    char  ChipSetText[128];
    char  PciLatencyTimerText[12];
};

struct DriveItem {
    int         IsFixed;
    int         DriveIndex;
    const char *Label[2];   /* by LanguageIndex: 0 Japanese, 1 English */
};

#define DRIVE_COUNT 26

struct DriveSelectorRecord {
    int        SelectedDrive;
    WORD       ControlId;
    int        ItemCount;
    DriveItem *Items;
};

extern MachineInfoRecord   MachineInfo;
extern DriveSelectorRecord DriveSelector;
extern DriveItem           DriveItems[DRIVE_COUNT];

int  CollectMachineInfo(HINSTANCE instance);
int  BuildFixedDriveList(void);

/* "" for one processor, "Dual " for two, "%d " otherwise; out holds 16 bytes. */
void FormatProcessorCountPrefix(char *out, DWORD count);

/* "%s %dMBytes" of the processor text and the memory in whole megabytes,
   into COMPUTER_MEMORY_TEXT_SIZE bytes. */
#define COMPUTER_MEMORY_TEXT_SIZE 160
void FormatComputerAndMemory(char *out, const char *computer, DWORD totalBytes);

#endif
