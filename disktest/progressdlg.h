/* The progress dialog that runs the disk test's worker and offers STOP. */
#ifndef VURODOZ_PROGRESSDLG_H
#define VURODOZ_PROGRESSDLG_H

#include <windows.h>
#include "diskengine.h"

/* Shows the dialog over owner until the worker is done with params; the
   worker's result, or RESULT_STOPPED when the dialog ended first. */
int RunProgressDialog(HWND owner, DiskTestParams *params);
INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
