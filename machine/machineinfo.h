/* The machine facts gathered once at start-up. */
#ifndef VURODOZ_MACHINEINFO_H
#define VURODOZ_MACHINEINFO_H

#include <windows.h>
#include "machinerecord.h"
#include "drives.h"

/* The parts ComputerText is made of, for the table's columns of their own. */
struct ProcessorParts {
    const char *Name;
    DWORD       Mhz;        /* 0 where the clock could not be measured */
    DWORD       Count;
};

extern ProcessorParts MachineProcessor;

int  CollectMachineInfo(HINSTANCE instance);

/* "" for one processor, "Dual " for two, "%d " otherwise; out holds 16 bytes. */
void FormatProcessorCountPrefix(char *out, DWORD count);

/* "%s %dMBytes" of the processor text and the memory in whole megabytes,
   into COMPUTER_MEMORY_TEXT_SIZE bytes. */
#define COMPUTER_MEMORY_TEXT_SIZE 160
void FormatComputerAndMemory(char *out, const char *computer, DWORD totalBytes);

#endif
