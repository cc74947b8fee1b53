/* The HDD Test command, the drive combo box, window centring, and the
   per-drive results. */
#include "diskrun.h"
#include "app.h"
#include "diskengine.h"
#include "resource.h"
#include "textfmt.h"

#include <commctrl.h>

DWORD ReadMsByDrive[DRIVE_COUNT];
DWORD WriteMsByDrive[DRIVE_COUNT];
int   HaveFreeSpaceEx;

int InitDiskTestSupport(void)
{
    HMODULE kernel;

    HaveFreeSpaceEx = 0;
    kernel = LoadLibraryA("kernel32.dll");
    if (kernel) {
        if (GetProcAddress(kernel, "GetDiskFreeSpaceExA"))
            HaveFreeSpaceEx = 1;
        FreeLibrary(kernel);
    }
    InitCommonControls();
    return 1;
}

void FillDriveCombo(HWND dialog, const DriveSelectorRecord *selector)
{
    HWND combo = GetDlgItem(dialog, selector->ControlId);
    int i, position = 0, selection = 0;

    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (i = 0; i < selector->ItemCount && i < DRIVE_COUNT; i++) {
        const DriveItem *item = &selector->Items[i];
        if (!item->IsFixed)
            continue;
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)item->Label[LanguageIndex()]);
        if (item->DriveIndex == selector->SelectedDrive)
            selection = position;
        position++;
    }
    SendMessageA(combo, CB_SETCURSEL, selection, 0);
}

POINT CenteredPosition(const RECT *reference, int width, int height)
{
    POINT at;

    at.x = reference->left + (reference->right - reference->left) / 2 - width / 2;
    at.y = reference->top + (reference->bottom - reference->top) / 2 - height / 2;
    return at;
}

void CenterWindow(HWND window, HWND reference)
{
    RECT own, over;
    POINT at;
    int width, height;

    if (reference == NULL)
        reference = GetDesktopWindow();
    GetWindowRect(window, &own);
    GetWindowRect(reference, &over);
    width = own.right - own.left;
    height = own.bottom - own.top;
    at = CenteredPosition(&over, width, height);
    MoveWindow(window, at.x, at.y, width, height, FALSE);
}

DWORD FreeBytesFromCount(ULONGLONG count)
{
    return count > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)count;
}

/* Three 32-bit factors can reach 2^96: held at the top rather than wrapped
   round to a small figure that would refuse a roomy drive. */
DWORD FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters)
{
    ULONGLONG cluster = (ULONGLONG)sectorsPerCluster * bytesPerSector;

    if (cluster != 0 && freeClusters > 0xFFFFFFFFu / cluster)
        return 0xFFFFFFFFu;
    return (DWORD)(cluster * freeClusters);
}

typedef BOOL (WINAPI *FreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

int QueryFreeSpace(int drive, DWORD *freeBytes)
{
    char root[4];
    HMODULE kernel;
    FreeSpaceExProc freeSpaceEx;
    ULARGE_INTEGER available, total, totalFree;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    BOOL ok;

    FormatRootPath(root, drive);
    if (HaveFreeSpaceEx == 1) {
        kernel = LoadLibraryA("kernel32.dll");
        if (kernel) {
            freeSpaceEx = (FreeSpaceExProc)(void *)GetProcAddress(kernel, "GetDiskFreeSpaceExA");
            if (freeSpaceEx) {
                ok = freeSpaceEx(root, &available, &total, &totalFree);
                FreeLibrary(kernel);
                if (!ok)
                    return RESULT_IO_ERROR;
                *freeBytes = FreeBytesFromCount(available.QuadPart);
                return RESULT_OK;
            }
            FreeLibrary(kernel);
        }
    }
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return RESULT_IO_ERROR;
    *freeBytes = FreeBytesFromClusters(sectorsPerCluster, bytesPerSector, freeClusters);
    return RESULT_OK;
}

static HANDLE WorkerThread;

/* The dialog can end before the completion command, as when a WM_QUIT
   reaches its modal loop. The worker still uses the buffer, the path and the
   record, so it is stopped and waited for before any of them goes. Sent
   messages are answered meanwhile: the worker may be inside a status-text
   update to the dialog. */
static int AbandonWorker(void)
{
    MSG message;
    DWORD code = RESULT_STOPPED;

    StopRequested.store(1);
    while (MsgWaitForMultipleObjects(1, &WorkerThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
    if (!GetExitCodeThread(WorkerThread, &code) || code == RESULT_OK)
        code = RESULT_STOPPED;
    CloseHandle(WorkerThread);
    WorkerThread = NULL;
    return (int)code;
}

int RunDiskTest(HWND owner, int drive, DWORD freeBytes, DWORD *readMs, DWORD *writeMs)
{
    char path[TEST_FILE_PATH_SIZE];
    DiskTestParams params;
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
        ZeroMemory(&params, sizeof params);
        params.ProgressDialog = NULL;
        params.FileName = path;
        params.ChunkSize = chunkSize;
        params.Buffer = buffer;
        result = (int)DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PROGRESS + LanguageOffset),
                                      owner, ProgressDlgProc, (LPARAM)&params);
        if (WorkerThread != NULL)
            result = AbandonWorker();
        *readMs = params.ReadMs;
        *writeMs = params.WriteMs;
    }
    ReleaseTransferBuffer(buffer);
    return result;
}

static INT_PTR StartWorker(HWND dialog, DiskTestParams *params)
{
    DWORD threadId;

    CenterWindow(dialog, GetParent(dialog));
    StopRequested.store(0);
    params->ProgressDialog = dialog;
    WorkerThread = CreateThread(NULL, 0, DiskTestWorker, params, 0, &threadId);
    /* Without a worker no completion command will ever come. */
    if (WorkerThread == NULL)
        EndDialog(dialog, RESULT_NO_MEMORY);
    return TRUE;
}

static void FinishTest(HWND dialog)
{
    DWORD code = RESULT_IO_ERROR;

    WaitForSingleObject(WorkerThread, INFINITE);
    if (!GetExitCodeThread(WorkerThread, &code))
        code = RESULT_IO_ERROR;
    CloseHandle(WorkerThread);
    WorkerThread = NULL;
    EndDialog(dialog, (INT_PTR)code);
}

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return StartWorker(dialog, (DiskTestParams *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_STOP:
            StopRequested.store(1);
            return FALSE;
        case CMD_TEST_DONE:
            FinishTest(dialog);
            return FALSE;
        }
        return FALSE;
    }
    return FALSE;
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
