/* The HDD Test command and the per-drive results. */
#ifndef VURODOZ_DISKRUN_H
#define VURODOZ_DISKRUN_H

#include <windows.h>
#include "drives.h"

extern DWORD ReadMsByDrive[DRIVE_COUNT];
extern DWORD WriteMsByDrive[DRIVE_COUNT];

void RunDiskTestCommand(HWND dialog, int drive);
int  RunDiskTest(HWND owner, int drive, DWORD freeBytes, DWORD *readMs, DWORD *writeMs);
/* The same test, free-space query first, without any window; the engine's
   result code, and the times where it is RESULT_OK. */
int  RunDiskTestSilently(int drive, DWORD *readMs, DWORD *writeMs);

#endif
