/* The timed write and read passes of the disk test, and its result codes. */
#ifndef VURODOZ_DISKENGINE_H
#define VURODOZ_DISKENGINE_H

#include <windows.h>
#include <atomic>

#define RESULT_OK               0
#define RESULT_NO_MEMORY        101
#define RESULT_IO_ERROR         102
#define RESULT_NO_FILE_NAME     103
#define RESULT_NO_SPACE         104
#define RESULT_STOPPED          106

#define SMALL_FILE_SIZE         20971520u
#define LARGE_FILE_SIZE         104857600u
#define CHUNK_TARGET_SIZE       98304u
#define MIN_PASS_MS             1000u
#define CMD_TEST_DONE           0x4000
#define TEST_FILE_PATH_SIZE     260
#define TEST_FILE_NAME_COUNT    100

struct DiskTestParams {
    HWND   ProgressDialog;      /* takes the completion command */
    char  *FileName;            /* TEST_FILE_PATH_SIZE bytes, owned by the run */
    DWORD  WriteMs;             /* per 20 MiB */
    DWORD  ReadMs;              /* per 20 MiB */
    DWORD  FileSize;
    DWORD  ChunkSize;
    void  *Buffer;
    /* Where the worker is: the pass, counted from 1 over both stages (odd
       ones write), times PROGRESS_PASS_UNIT, plus the progress bar's
       position in it. The worker stores it after every chunk and waits on
       no window for it; the progress dialog shows it when it looks. */
    std::atomic<LONG> Progress;
};

#define PROGRESS_PASS_UNIT      256
#define PROGRESS_PASS(progress) ((progress) / PROGRESS_PASS_UNIT)
#define PROGRESS_POSITION(progress) ((progress) % PROGRESS_PASS_UNIT)

/* Set by the progress dialog's STOP, read by the worker after every chunk. */
extern std::atomic<LONG> StopRequested;

int    PrepareTransferBuffer(int drive, void **buffer, DWORD *chunkSize);
int    ReleaseTransferBuffer(void *buffer);
DWORD  RequiredFreeSpace(DWORD chunkSize);
int    FindFreeTestFileName(int drive, char *path);
DWORD WINAPI DiskTestWorker(void *params);
int    WritePass(DiskTestParams *params);
int    ReadPass(DiskTestParams *params);

/* Throughput in KB/s of one 20 MiB pass that took ms milliseconds (never 0). */
double RateFromElapsed(DWORD ms);

/* The decisions of the engine, apart from the platform calls. */
/* Bytes per transfer for a cluster size; 0 when the cluster is unusable. */
DWORD  ChunkSizeForCluster(DWORD sectorsPerCluster, DWORD bytesPerSector);
/* 1 when a drive with this many free bytes can hold the large stage. */
int    HasRoomForTest(DWORD freeBytes, DWORD chunkSize);
/* After both passes of a stage: 1 when the large stage must follow (FileSize
   is then set to it), 0 when the times are final (scaled to 20 MiB). */
int    AdvanceStage(DiskTestParams *params);
/* The progress bar's position after chunk index of count. */
int    ProgressPosition(DWORD index, DWORD count);

#endif
