/* The read and write rates of the selected drive, as text and bars. */
#ifndef VURODOZ_DISKDISPLAY_H
#define VURODOZ_DISKDISPLAY_H

#include <windows.h>

#define RATE_TEXT_SIZE 16

void   ShowDiskResults(HWND dialog, double readRate, double writeRate);
double BarScale(double a, double b);
void   ShowRateText(HWND dialog, double rate, int controlId);
void   DrawRateBar(HWND dialog, double scale, double rate, int controlId);

/* The decisions of the display, apart from the painting. */
/* A test's two rates in KB/s, or both 0.0 ("Not tested") where a time is 0. */
void   RatesOfTest(DWORD readMs, DWORD writeMs, double *readRate, double *writeRate);
void   FormatRateText(char *text, double rate);
/* Pixel widths of the red, yellow and green bands of a bar width pixels wide. */
void   BarBandWidths(double width, double scale, double rate, int bands[3]);

#endif
