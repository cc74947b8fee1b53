/* The timed write and read passes of the disk test, and its result codes. */
#ifndef VURODOZ_DISKENGINE_H
#define VURODOZ_DISKENGINE_H

#include <windows.h>

#define RESULT_OK               0
#define RESULT_NO_MEMORY        101
#define RESULT_IO_ERROR         102
#define RESULT_NO_FILE_NAME     103
#define RESULT_NO_SPACE         104
#define RESULT_STOPPED          106

#define SMALL_FILE_SIZE         20971520u
#define LARGE_FILE_SIZE         104857600u

/* Throughput in KB/s of one 20 MiB pass that took ms milliseconds (never 0). */
double RateFromElapsed(DWORD ms);

#endif
