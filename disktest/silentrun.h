/* The HDD Test's worker run without any window that anyone sees. */
#ifndef VURODOZ_SILENTRUN_H
#define VURODOZ_SILENTRUN_H

#include <windows.h>
#include "diskengine.h"

/* Runs the worker on params and waits for it; its result. A session that
   ends, or a request to close the program, stops the test first. */
int RunWithoutWindow(HWND owner, DiskTestParams *params);
/* A session that ends during the test ends the program with exitCode,
   once the test file is gone; 0 leaves the end to Windows. */
void EndProgramAtSessionEnd(UINT exitCode);

#endif
