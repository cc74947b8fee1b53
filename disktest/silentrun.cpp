/* The HDD Test without a window that anyone sees, for the silent report. The
   worker runs as it does under the progress dialog, while this thread
   answers a hidden window: at a log-off or a shutdown, or when asked to
   close, the test stops and its file goes before the program does. */
#include "silentrun.h"
#include "text.h"

#define SILENT_CLASS "VurOdozSilentTest"

static HANDLE SilentWorker;
static UINT   SessionEndExitCode;

void EndProgramAtSessionEnd(UINT exitCode)
{
    SessionEndExitCode = exitCode;
}

/* The session may end as soon as the answer is given; the worker deletes
   its file on the way out. */
static void StopWorker(int wait)
{
    StopRequested.store(1);
    if (wait && SilentWorker != NULL)
        WaitForSingleObject(SilentWorker, INFINITE);
}

static LRESULT CALLBACK SilentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        StopWorker(1);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            StopWorker(1);
            /* Windows may end the program as soon as this returns, with
               an exit code of its own. */
            if (SessionEndExitCode != 0)
                ExitProcess(SessionEndExitCode);
        }
        return 0;
    case WM_CLOSE:
        StopWorker(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateHiddenWindow(void)
{
    WNDCLASSA windowClass;

    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = SilentWindowProc;
    windowClass.hInstance = AppInstance;
    windowClass.lpszClassName = SILENT_CLASS;
    RegisterClassA(&windowClass);
    return CreateWindowA(SILENT_CLASS, APP_CAPTION, WS_OVERLAPPED, 0, 0, 0, 0, NULL, NULL, AppInstance, NULL);
}

int RunWithoutWindow(HWND, DiskTestParams *params)
{
    HWND window = CreateHiddenWindow();
    DWORD threadId, code = RESULT_IO_ERROR;
    MSG message;

    StopRequested.store(0);
    params->ProgressDialog = window;
    SilentWorker = CreateThread(NULL, 0, DiskTestWorker, params, 0, &threadId);
    if (SilentWorker == NULL) {
        code = RESULT_NO_MEMORY;
    } else {
        while (WaitForSingleObject(SilentWorker, 0) != WAIT_OBJECT_0) {
            MsgWaitForMultipleObjects(1, &SilentWorker, FALSE, INFINITE, QS_ALLINPUT);
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
        GetExitCodeThread(SilentWorker, &code);
        CloseHandle(SilentWorker);
        SilentWorker = NULL;
    }
    if (window != NULL)
        DestroyWindow(window);
    return (int)code;
}
