/* The machine facts record, filled once at start-up by several collectors. */
#ifndef VURODOZ_MACHINERECORD_H
#define VURODOZ_MACHINERECORD_H

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

extern MachineInfoRecord MachineInfo;

#endif
