/* The Save Info report. */
#ifndef VURODOZ_REPORT_H
#define VURODOZ_REPORT_H

#include <windows.h>

void SaveInfoReport(HWND dialog);

#endif
