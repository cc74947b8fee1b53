/* The progress dialog: starts the worker, passes STOP on, and ends with the
   worker's result once the worker has ended. */
#include "progressdlg.h"
#include "resource.h"
#include "text.h"
#include "window.h"

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

int RunProgressDialog(HWND owner, DiskTestParams *params)
{
    int result;

    result = (int)DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PROGRESS + LanguageOffset),
                                  owner, ProgressDlgProc, (LPARAM)params);
    if (WorkerThread != NULL)
        result = AbandonWorker();
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
