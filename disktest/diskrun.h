/* The HDD Test command, the drive combo box, window centring, and the
   per-drive results. */
#ifndef VURODOZ_DISKRUN_H
#define VURODOZ_DISKRUN_H

#include <windows.h>
#include "machineinfo.h"

extern DWORD ReadMsByDrive[DRIVE_COUNT];
extern DWORD WriteMsByDrive[DRIVE_COUNT];
extern int   HaveFreeSpaceEx;

int  InitDiskTestSupport(void);
void FillDriveCombo(HWND dialog, const DriveSelectorRecord *selector);
void CenterWindow(HWND window, HWND reference);
/* Where CenterWindow puts a window of the given size over the reference rectangle. */
POINT CenteredPosition(const RECT *reference, int width, int height);
void RunDiskTestCommand(HWND dialog, int drive);
int  QueryFreeSpace(int drive, DWORD *freeBytes);
int  RunDiskTest(HWND owner, int drive, DWORD freeBytes, DWORD *readMs, DWORD *writeMs);
INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* Free bytes as 32 bits, held at 0xFFFFFFFF for anything larger. */
DWORD FreeBytesFromCount(ULONGLONG count);
DWORD FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);

#endif
