/* The read and write rates of the selected drive, as text and bars. */
#ifndef VURODOZ_DISKDISPLAY_H
#define VURODOZ_DISKDISPLAY_H

#include <windows.h>

void ShowDiskResults(HWND dialog, double readRate, double writeRate);

#endif
