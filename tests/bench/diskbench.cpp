/* Benchmark helper for scripts/bench-disk, run under Wine.
     diskbench LETTER BYTES   the engine's write and read passes over BYTES
                              on drive LETTER; prints "chunk C moved B write
                              MS QMS read MS QMS", MS the engine's own time of
                              its loop, QMS a fine clock's of the whole pass */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "diskengine.h"

static double Since(LARGE_INTEGER *from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    double ms = (double)(now.QuadPart - from->QuadPart) * 1000.0 / (double)frequency.QuadPart;
    *from = now;
    return ms;
}

int main(int argc, char **argv)
{
    char path[TEST_FILE_PATH_SIZE];
    DiskTestParams params = {};
    LARGE_INTEGER start;
    MSG message;
    int drive = argc == 3 ? argv[1][0] - 'A' : -1;

    if (drive < 0 || drive > 25 || PrepareTransferBuffer(drive, &params.Buffer, &params.ChunkSize) != RESULT_OK ||
        FindFreeTestFileName(drive, path) != RESULT_OK) {
        fprintf(stderr, "usage: diskbench LETTER BYTES, on a drive with a free test name\n");
        return 2;
    }
    params.FileName = path;
    params.FileSize = (DWORD)strtoul(argv[2], NULL, 10);
    QueryPerformanceCounter(&start);
    int written = WritePass(&params);
    double writeQms = Since(&start);
    /* The progress goes to no window, so into this thread's queue. */
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {}
    Since(&start);
    int read = written == RESULT_OK ? ReadPass(&params) : written;
    double readQms = Since(&start);
    ReleaseTransferBuffer(params.Buffer);
    if (read != RESULT_OK) {
        fprintf(stderr, "diskbench: passes ended with %d\n", read);
        return 1;
    }
    printf("chunk %lu moved %lu write %lu %.1f read %lu %.1f\n", params.ChunkSize,
           params.FileSize / params.ChunkSize * params.ChunkSize, params.WriteMs, writeQms, params.ReadMs, readQms);
    return 0;
}
