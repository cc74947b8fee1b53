/* The main dialog and the overlay status it shows. */
#ifndef VURODOZ_MAINDLG_H
#define VURODOZ_MAINDLG_H

#include <windows.h>
#include "overlaystate.h"

#define WM_REFRESH_FIELDS       (WM_USER + 200)

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void RefreshFields(HWND dialog, int drive);
void RunOverlayTestCommand(HWND dialog);

/* The overlay state after a refresh on a screen of the given size. */
int  OverlayStateForScreen(int state, int width, int height);
/* OverlayState after the check on this screen, as every refresh makes it. */
void ApplyScreenCheck(void);

#endif
