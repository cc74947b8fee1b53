/* Readiness for the disk test (the progress bar's class, and whether this
   Windows has GetDiskFreeSpaceExA) and the free-space query. */
#include "freespace.h"
#include "diskengine.h"
#include "drives.h"

#include <commctrl.h>

int HaveFreeSpaceEx;

typedef BOOL (WINAPI *FreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

/* Windows 95 before OSR2 lacks the call, so it is looked up; the caller
   frees *kernel when it is not NULL. */
static FreeSpaceExProc FindFreeSpaceEx(HMODULE *kernel)
{
    *kernel = LoadLibraryA("kernel32.dll");
    if (*kernel == NULL)
        return NULL;
    return (FreeSpaceExProc)(void *)GetProcAddress(*kernel, "GetDiskFreeSpaceExA");
}

int InitDiskTestSupport(void)
{
    HMODULE kernel;

    HaveFreeSpaceEx = FindFreeSpaceEx(&kernel) != NULL ? 1 : 0;
    if (kernel)
        FreeLibrary(kernel);
    InitCommonControls();
    return 1;
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
    HMODULE kernel;
    FreeSpaceExProc freeSpaceEx;
    ULARGE_INTEGER available, total, totalFree;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    BOOL ok;

    FormatRootPath(root, drive);
    if (HaveFreeSpaceEx == 1) {
        freeSpaceEx = FindFreeSpaceEx(&kernel);
        if (freeSpaceEx) {
            ok = freeSpaceEx(root, &available, &total, &totalFree);
            FreeLibrary(kernel);
            if (!ok)
                return RESULT_IO_ERROR;
            *freeBytes = FreeBytesFromCount(available.QuadPart);
            return RESULT_OK;
        }
        if (kernel)
            FreeLibrary(kernel);
    }
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return RESULT_IO_ERROR;
    *freeBytes = FreeBytesFromClusters(sectorsPerCluster, bytesPerSector, freeClusters);
    return RESULT_OK;
}
