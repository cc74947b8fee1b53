/* Readiness for the disk test (the progress bar's class, and whether this
   Windows has GetDiskFreeSpaceExA) and the free-space query. */
#include "freespace.h"
#include "diskengine.h"
#include "drives.h"

#include "syslib.h"

int HaveFreeSpaceEx;

typedef BOOL (WINAPI *FreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

/* Windows 95 before OSR2 lacks the call, so it is looked up in the kernel32
   every process has loaded. */
static FreeSpaceExProc FindFreeSpaceEx(void)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");

    if (kernel == NULL)
        return NULL;
    return (FreeSpaceExProc)(void *)GetProcAddress(kernel, "GetDiskFreeSpaceExA");
}

int InitDiskTestSupport(void)
{
    HaveFreeSpaceEx = FindFreeSpaceEx() != NULL ? 1 : 0;
    return StartCommonControls();
}

DWORD FreeBytesFromCount(ULONGLONG count)
{
    return count > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)count;
}

/* Three 32-bit factors can reach 2^96: held at the top rather than wrapped
   round to a small figure that would refuse a roomy drive. */
DWORD FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters)
{
    ULONGLONG cluster = (ULONGLONG)sectorsPerCluster * bytesPerSector;

    if (cluster != 0 && freeClusters > 0xFFFFFFFFu / cluster)
        return 0xFFFFFFFFu;
    return (DWORD)(cluster * freeClusters);
}

int QueryFreeSpace(int drive, DWORD *freeBytes)
{
    char root[4];
    FreeSpaceExProc freeSpaceEx;
    ULARGE_INTEGER available, total, totalFree;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    BOOL ok;

    FormatRootPath(root, drive);
    if (HaveFreeSpaceEx == 1) {
        freeSpaceEx = FindFreeSpaceEx();
        if (freeSpaceEx) {
            ok = freeSpaceEx(root, &available, &total, &totalFree);
            if (!ok)
                return RESULT_IO_ERROR;
            *freeBytes = FreeBytesFromCount(available.QuadPart);
            return RESULT_OK;
        }
    }
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return RESULT_IO_ERROR;
    *freeBytes = FreeBytesFromClusters(sectorsPerCluster, bytesPerSector, freeClusters);
    return RESULT_OK;
}
