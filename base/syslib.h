/* Libraries taken at run time, each by its full path: Windows' own from the
   system directory, the program's own from the folder it lies in, and the
   calls the program needs from Windows' libraries beyond the four that every
   process has loaded before it starts. */
#ifndef VURODOZ_SYSLIB_H
#define VURODOZ_SYSLIB_H

#include <windows.h>
#include <commdlg.h>
#include "pathname.h"

/* fileName in the program's own folder, into path (MAX_PATH bytes). */
int PathBesideProgram(char *path, const char *fileName);

/* NULL where the file is not there or does not load. */
HMODULE LoadLibraryBesideProgram(const char *fileName);
/* fileName from the system directory, with what it imports looked for
   there first too. */
HMODULE LoadSystemLibrary(const char *fileName);

/* Loads winmm, comctl32, shell32 and comdlg32 from the system directory
   and takes the calls below from them; each is looked for once. */
void BindSystemCalls(void);

/* timeGetTime, or GetTickCount where winmm cannot be had. */
DWORD NowMs(void);
/* InitCommonControls; 0 where comctl32 cannot be had. */
int StartCommonControls(void);
/* Whether StartCommonControls can do its work, without doing it again. */
int HaveCommonControls(void);
/* GetSaveFileNameA; FALSE where comdlg32 cannot be had. */
BOOL AskSaveFileName(OPENFILENAMEA *ofn);
/* ShellExecuteA's open action; 0 where shell32 cannot be had. */
HINSTANCE OpenWithShell(const char *path);

#endif
