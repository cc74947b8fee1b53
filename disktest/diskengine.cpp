/* The timed write and read passes of the disk test: the transfer buffer, the
   test file's name, the worker thread and its two stages. */
#include "diskengine.h"
#include "filedelete.h"
#include "drives.h"
#include "textfmt.h"

std::atomic<LONG> StopRequested(0);

DWORD ChunkSizeForCluster(DWORD sectorsPerCluster, DWORD bytesPerSector)
{
    ULONGLONG cluster = (ULONGLONG)sectorsPerCluster * bytesPerSector;

    /* A drive that reports no cluster, or one beyond 32 bits, has no chunk
       size that could be divided or allocated. */
    if (cluster == 0 || cluster > 0xFFFFFFFFu)
        return 0;
    if (cluster < CHUNK_TARGET_SIZE)
        return (DWORD)cluster * (CHUNK_TARGET_SIZE / (DWORD)cluster);
    return (DWORD)cluster;
}

int PrepareTransferBuffer(int drive, void **buffer, DWORD *chunkSize)
{
    char root[4];
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters, chunk;
    void *memory;

    FormatRootPath(root, drive);
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return RESULT_IO_ERROR;
    chunk = ChunkSizeForCluster(sectorsPerCluster, bytesPerSector);
    if (chunk == 0)
        return RESULT_IO_ERROR;
    memory = VirtualAlloc(NULL, chunk, MEM_COMMIT, PAGE_READWRITE);
    if (memory == NULL)
        return RESULT_NO_MEMORY;
    *buffer = memory;
    *chunkSize = chunk;
    return RESULT_OK;
}

int ReleaseTransferBuffer(void *buffer)
{
    if (buffer != NULL)
        VirtualFree(buffer, 0, MEM_RELEASE);
    return 0;
}

DWORD RequiredFreeSpace(DWORD chunkSize)
{
    return chunkSize * (LARGE_FILE_SIZE / chunkSize);
}

int HasRoomForTest(DWORD freeBytes, DWORD chunkSize)
{
    return RequiredFreeSpace(chunkSize) <= freeBytes;
}

/* Every name that exists is taken, whether or not it could be opened: a
   file that is locked or denied to us belongs to someone else, and the
   write pass must never replace it. */
int FindFreeTestFileName(int drive, char *path)
{
    int n;
    DWORD error;

    for (n = 0; n < TEST_FILE_NAME_COUNT; n++) {
        FormatBounded(path, TEST_FILE_PATH_SIZE, "%c:\\VKT%02d.dat", 'A' + drive, n);
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            continue;
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return RESULT_OK;
    }
    return RESULT_NO_FILE_NAME;
}

int ProgressPosition(DWORD index, DWORD count)
{
    return (int)(index * 100u / count);
}

int AdvanceStage(DiskTestParams *params)
{
    DWORD k;

    if (params->FileSize == LARGE_FILE_SIZE) {
        k = params->FileSize / SMALL_FILE_SIZE;
        params->ReadMs /= k;
        params->WriteMs /= k;
        return 0;
    }
    if (params->ReadMs < MIN_PASS_MS || params->WriteMs < MIN_PASS_MS) {
        params->FileSize = LARGE_FILE_SIZE;
        return 1;
    }
    return 0;
}

/* One timed pass over the test file. Only the transfer loop is timed: the
   open comes before the first tick and the close after the last. Nothing in
   the loop waits on a window or calls into one: on the processors this runs
   on, the processor moves the bytes too, and what the display costs would
   come off the rate. */
static int TimedPass(DiskTestParams *params, int writing, DWORD *elapsed)
{
    DWORD count = params->FileSize / params->ChunkSize;
    LONG pass = (PROGRESS_PASS(params->Progress.load()) + 1) * PROGRESS_PASS_UNIT;
    HANDLE file;
    DWORD i, moved, t0, t1;
    int result = RESULT_OK;
    BOOL ok;

    params->Progress.store(pass);
    /* A file that appeared under the name since it was found free, or
       between the stages, belongs to someone else: it is neither replaced
       nor deleted. */
    file = CreateFileA(params->FileName, writing ? GENERIC_WRITE : GENERIC_READ, 0, NULL,
                       writing ? CREATE_NEW : OPEN_EXISTING,
                       FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        if (!writing)
            DeleteFileRetrying(params->FileName);
        return RESULT_IO_ERROR;
    }
    t0 = GetTickCount();
    for (i = 0; i < count; i++) {
        moved = 0;
        if (writing)
            ok = WriteFile(file, params->Buffer, params->ChunkSize, &moved, NULL);
        else
            ok = ReadFile(file, params->Buffer, params->ChunkSize, &moved, NULL);
        if (!ok || moved != params->ChunkSize) {
            result = RESULT_IO_ERROR;
            break;
        }
        if (StopRequested.load() != 0) {
            result = RESULT_STOPPED;
            break;
        }
        params->Progress.store(pass + ProgressPosition(i, count));
    }
    t1 = GetTickCount();
    if (!CloseHandle(file) && result == RESULT_OK)
        result = RESULT_IO_ERROR;
    /* A written file stays for the read pass; anything else goes. */
    if (result != RESULT_OK || !writing)
        DeleteFileRetrying(params->FileName);
    if (result == RESULT_OK)
        *elapsed = t1 - t0;
    return result;
}

int WritePass(DiskTestParams *params)
{
    return TimedPass(params, 1, &params->WriteMs);
}

int ReadPass(DiskTestParams *params)
{
    return TimedPass(params, 0, &params->ReadMs);
}

static int RunStages(DiskTestParams *params)
{
    int result;

    params->FileSize = SMALL_FILE_SIZE;
    do {
        result = WritePass(params);
        if (result != RESULT_OK)
            return result;
        result = ReadPass(params);
        if (result != RESULT_OK)
            return result;
    } while (AdvanceStage(params));
    return RESULT_OK;
}

DWORD WINAPI DiskTestWorker(void *param)
{
    DiskTestParams *params = (DiskTestParams *)param;
    int result = RunStages(params);

    /* The dialog waits for this thread only after the post, so it must be
       the last thing the worker does. */
    PostMessageA(params->ProgressDialog, WM_COMMAND, MAKEWPARAM(CMD_TEST_DONE, 0), 0);
    return (DWORD)result;
}
