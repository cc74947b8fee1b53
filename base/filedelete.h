/* Deleting a file the program has just written, which another program (a
   virus scanner, an indexer) may hold open for a moment. */
#ifndef VURODOZ_FILEDELETE_H
#define VURODOZ_FILEDELETE_H

#include <windows.h>

#define DELETE_RETRY_MS         1000u
#define DELETE_RETRY_PAUSE_MS   50

/* 1 while a failed deletion is worth another try. */
int  KeepTryingToDelete(DWORD error, DWORD elapsedMs);
/* Deletes path, trying again while that is worth it. */
void DeleteFileRetrying(const char *path);

#endif
