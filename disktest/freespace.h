/* Readiness for the disk test and the free space of a drive. */
#ifndef VURODOZ_FREESPACE_H
#define VURODOZ_FREESPACE_H

#include <windows.h>
#include "disksupport.h"

extern int HaveFreeSpaceEx;

int   QueryFreeSpace(int drive, DWORD *freeBytes);

/* Free bytes as 32 bits, held at 0xFFFFFFFF for anything larger. */
DWORD FreeBytesFromCount(ULONGLONG count);
DWORD FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);

#endif
