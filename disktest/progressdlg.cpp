/* The progress dialog: starts the worker, passes STOP on, and ends with the
   worker's result once the worker has ended. */
#include "progressdlg.h"
#include "resource.h"
#include "text.h"
#include "window.h"

#include <commctrl.h>

/* Shows where the worker is, and looks for a worker that ended without its
   completion command reaching the dialog, as when the post finds the queue
   full. A quarter of a second moves the bar visibly; each move repaints it,
   which takes processor time the passes would otherwise have. */
#define PROGRESS_TIMER  1
#define PROGRESS_MS     250

static const char STATUS_WRITE[] = "Testing Write performance";
static const char STATUS_READ[] = "Testing Read performance";

static HANDLE          WorkerThread;
static int             WorkerResult;
static DiskTestParams *Running;
static LONG            ProgressShown;

static int WorkerHasEnded(void)
{
    return WorkerThread == NULL || WaitForSingleObject(WorkerThread, 0) == WAIT_OBJECT_0;
}

static void TakeWorkerResult(DWORD failure)
{
    DWORD code = failure;

    if (!GetExitCodeThread(WorkerThread, &code))
        code = failure;
    CloseHandle(WorkerThread);
    WorkerThread = NULL;
    WorkerResult = (int)code;
}

/* The worker still uses the buffer, the path and the record, so it is
   stopped and waited for before any of them goes. Sent messages are
   answered meanwhile, as a session that ends sends to every window of the
   program. A test ended this way never counts as a success. */
static void AbandonWorker(void)
{
    HANDLE thread = WorkerThread;
    MSG message;

    if (thread == NULL)
        return;
    StopRequested.store(1);
    while (WorkerThread == thread
           && MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
    /* A sent message handled in the loop may have abandoned it already. */
    if (WorkerThread != thread)
        return;
    TakeWorkerResult(RESULT_STOPPED);
    if (WorkerResult == RESULT_OK)
        WorkerResult = RESULT_STOPPED;
}

int RunProgressDialog(HWND owner, DiskTestParams *params)
{
    int result;

    result = (int)DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PROGRESS + LanguageOffset),
                                  owner, ProgressDlgProc, (LPARAM)params);
    /* The dialog can end before the worker, as when a WM_QUIT reaches its
       modal loop. */
    if (WorkerThread != NULL) {
        AbandonWorker();
        result = WorkerResult;
    }
    return result;
}

static void ShowProgress(HWND dialog)
{
    LONG progress = Running->Progress.load();

    if (progress == ProgressShown)
        return;
    if (PROGRESS_PASS(progress) != PROGRESS_PASS(ProgressShown))
        SetDlgItemTextA(dialog, IDC_STATUS, PROGRESS_PASS(progress) % 2 ? STATUS_WRITE : STATUS_READ);
    SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETPOS, (WPARAM)PROGRESS_POSITION(progress), 0);
    ProgressShown = progress;
}

static void FinishTest(HWND dialog)
{
    if (WorkerThread != NULL) {
        WaitForSingleObject(WorkerThread, INFINITE);
        TakeWorkerResult(RESULT_IO_ERROR);
    }
    KillTimer(dialog, PROGRESS_TIMER);
    EndDialog(dialog, (INT_PTR)WorkerResult);
}

/* The session may end as soon as its messages are answered, and the test
   file must not outlive it: the worker is stopped and waited for, and
   nothing is stored. */
static void EndTestForSession(HWND dialog)
{
    AbandonWorker();
    FinishTest(dialog);
}

static INT_PTR StartWorker(HWND dialog, DiskTestParams *params)
{
    DWORD threadId;

    CenterWindow(dialog, GetParent(dialog));
    StopRequested.store(0);
    params->ProgressDialog = dialog;
    Running = params;
    /* Every test begins with a write pass: it is shown before the worker
       has begun, which a drive that fails at once could otherwise end. */
    ProgressShown = PROGRESS_PASS_UNIT;
    SetDlgItemTextA(dialog, IDC_STATUS, STATUS_WRITE);
    WorkerResult = RESULT_IO_ERROR;
    WorkerThread = CreateThread(NULL, 0, DiskTestWorker, params, 0, &threadId);
    /* Without a worker no completion command will ever come. */
    if (WorkerThread == NULL) {
        WorkerResult = RESULT_NO_MEMORY;
        FinishTest(dialog);
        return TRUE;
    }
    SetTimer(dialog, PROGRESS_TIMER, PROGRESS_MS, NULL);
    return TRUE;
}

static void OnStop(HWND dialog)
{
    StopRequested.store(1);
    if (WorkerHasEnded())
        FinishTest(dialog);
}

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return StartWorker(dialog, (DiskTestParams *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_STOP:
            OnStop(dialog);
            return FALSE;
        case CMD_TEST_DONE:
            FinishTest(dialog);
            return FALSE;
        }
        return FALSE;
    case WM_TIMER:
        if (wParam != PROGRESS_TIMER)
            return FALSE;
        ShowProgress(dialog);
        if (WorkerHasEnded())
            FinishTest(dialog);
        return FALSE;
    /* FALSE leaves the answer to the default: the session may end. */
    case WM_QUERYENDSESSION:
        EndTestForSession(dialog);
        return FALSE;
    case WM_ENDSESSION:
        if (wParam)
            EndTestForSession(dialog);
        return FALSE;
    }
    return FALSE;
}
