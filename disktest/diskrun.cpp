/* The HDD Test command: the free-space check, one run under the progress
   dialog, and the per-drive results it leaves; and the same test without a
   window, for the silent report. */
#include "diskrun.h"
#include "diskengine.h"
#include "freespace.h"
#include "progressdlg.h"
#include "silentrun.h"
#include "resource.h"
#include "text.h"

DWORD ReadMsByDrive[DRIVE_COUNT];
DWORD WriteMsByDrive[DRIVE_COUNT];

/* Runs a test's worker and waits for it: under the progress dialog, or
   without a window. */
typedef int (*DiskTestRunner)(HWND owner, DiskTestParams *params);

static int RunTest(DiskTestRunner run, HWND owner, int drive, DWORD freeBytes, DWORD *readMs, DWORD *writeMs)
{
    char path[TEST_FILE_PATH_SIZE];
    DiskTestParams params = {};
    void *buffer = NULL;
    DWORD chunkSize = 0;
    int result;

    result = PrepareTransferBuffer(drive, &buffer, &chunkSize);
    if (result != RESULT_OK)
        return result;
    if (!HasRoomForTest(freeBytes, chunkSize)) {
        result = RESULT_NO_SPACE;
    } else if (FindFreeTestFileName(drive, path) != RESULT_OK) {
        result = RESULT_NO_FILE_NAME;
    } else {
        params.FileName = path;
        params.ChunkSize = chunkSize;
        params.Buffer = buffer;
        result = run(owner, &params);
        *readMs = params.ReadMs;
        *writeMs = params.WriteMs;
    }
    ReleaseTransferBuffer(buffer);
    return result;
}

int RunDiskTest(HWND owner, int drive, DWORD freeBytes, DWORD *readMs, DWORD *writeMs)
{
    return RunTest(RunProgressDialog, owner, drive, freeBytes, readMs, writeMs);
}

int RunDiskTestSilently(int drive, DWORD *readMs, DWORD *writeMs)
{
    DWORD freeBytes = 0;
    int result = QueryFreeSpace(drive, &freeBytes);

    if (result != RESULT_OK)
        return result;
    return RunTest(RunWithoutWindow, NULL, drive, freeBytes, readMs, writeMs);
}

void RunDiskTestCommand(HWND dialog, int drive)
{
    HCURSOR previous = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    DWORD freeBytes = 0, readMs = 0, writeMs = 0;
    int result;

    ShowCursor(TRUE);
    if (QueryFreeSpace(drive, &freeBytes) == RESULT_OK) {
        result = RunDiskTest(dialog, drive, freeBytes, &readMs, &writeMs);
        if (result == RESULT_OK) {
            ReadMsByDrive[drive] = readMs;
            WriteMsByDrive[drive] = writeMs;
        } else if (result == RESULT_NO_SPACE) {
            MessageBoxA(dialog, LoadText(IDS_NO_SPACE), APP_CAPTION, MB_OK);
        }
    }
    /* The count ShowCursor raised comes down again, so the cursor is as before. */
    ShowCursor(FALSE);
    SetCursor(previous);
}
