/* The main dialog and the overlay status it shows. */
#ifndef VURODOZ_MAINDLG_H
#define VURODOZ_MAINDLG_H

#include <windows.h>

#define WM_REFRESH_FIELDS       (WM_USER + 200)

#define OVERLAY_S3              1
#define OVERLAY_RIVA            2
#define OVERLAY_NOT_TESTED      3
#define OVERLAY_UNSUPPORTED     4
#define OVERLAY_LOW_RESOLUTION  5

extern int OverlayState;

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void RefreshFields(HWND dialog, int drive);
void RunOverlayTestCommand(HWND dialog);
UINT OverlayStateTextId(void);

/* The overlay state after a refresh on a screen of the given size. */
int  OverlayStateForScreen(int state, int width, int height);
/* The drive index of the n-th fixed drive in the list, or -1. */
int  FixedDriveAtPosition(int position);

#endif
