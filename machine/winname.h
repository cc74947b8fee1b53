/* Names the running Windows from the answer of GetVersionExA. */
#ifndef VURODOZ_WINNAME_H
#define VURODOZ_WINNAME_H

#include <windows.h>

#define WINDOWS_NAME_SIZE 256

/* Writes the two-line name (dialog) and the one-line name (report),
   WINDOWS_NAME_SIZE bytes each. */
void FormatWindowsName(const OSVERSIONINFOA *vi, char *twoLines, char *oneLine);

#endif
