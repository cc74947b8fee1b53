/* Benchmark helper for scripts/bench-disk, run under Wine.
     diskbench LETTER BYTES     one write pass and one read pass of the
                                engine over BYTES on drive LETTER; prints
                                "chunk C moved B write MS read MS" with the
                                engine's own ms and a fine clock's ms */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "diskengine.h"

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

/* The passes post their progress to no window, which lands in this
   thread's queue; it is emptied between passes as a dialog would. */
static void Drain(void)
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {}
}

int main(int argc, char **argv)
{
    char path[TEST_FILE_PATH_SIZE];
    DiskTestParams params = {};
    LARGE_INTEGER t0, t1, t2;
    int drive, written, read;

    if (argc != 3 || argv[1][0] < 'A' || argv[1][0] > 'Z') {
        fprintf(stderr, "usage: diskbench LETTER BYTES\n");
        return 2;
    }
    drive = argv[1][0] - 'A';
    if (PrepareTransferBuffer(drive, &params.Buffer, &params.ChunkSize) != RESULT_OK ||
        FindFreeTestFileName(drive, path) != RESULT_OK) {
        fprintf(stderr, "diskbench: no buffer or no free name on %c:\n", argv[1][0]);
        return 1;
    }
    params.FileName = path;
    params.FileSize = (DWORD)strtoul(argv[2], NULL, 10);
    QueryPerformanceCounter(&t0);
    written = WritePass(&params);
    QueryPerformanceCounter(&t1);
    Drain();
    read = written == RESULT_OK ? ReadPass(&params) : written;
    QueryPerformanceCounter(&t2);
    Drain();
    ReleaseTransferBuffer(params.Buffer);
    if (read != RESULT_OK) {
        fprintf(stderr, "diskbench: passes ended with %d\n", read);
        return 1;
    }
    printf("chunk %lu moved %lu write %lu %.1f read %lu %.1f\n", params.ChunkSize,
           params.FileSize / params.ChunkSize * params.ChunkSize,
           params.WriteMs, Milliseconds(t0, t1), params.ReadMs, Milliseconds(t1, t2));
    return 0;
}
