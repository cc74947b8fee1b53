/* Deleting a just-written file with a second's patience. */
#include "filedelete.h"

int KeepTryingToDelete(DWORD error, DWORD elapsedMs)
{
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return 0;
    return elapsedMs < DELETE_RETRY_MS;
}

/* 100 MiB left in a drive's root, or a report's temporary file beside the
   user's, is worth a second of waiting. */
void DeleteFileRetrying(const char *path)
{
    DWORD start = GetTickCount();

    while (!DeleteFileA(path) && KeepTryingToDelete(GetLastError(), GetTickCount() - start))
        Sleep(DELETE_RETRY_PAUSE_MS);
}
