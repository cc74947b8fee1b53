/* The overlay test window: a magenta pop-up with a 720 x 576 client area
   over which the overlay is shown, and the loop that runs one test in it. */
#include "overlaywnd.h"
#include "ddlayer.h"
#include "window.h"

static HINSTANCE TestInstance;
/* Set when the completion message could not be posted. */
static int       TestsDone;

#define OVERLAY_TEST_STYLE  (WS_POPUP | WS_CAPTION | WS_THICKFRAME)
#define OVERLAY_BACKGROUND  RGB(255, 0, 255)

/* The frame is measured as created, so any theme's borders are allowed for. */
static void FitAndCentre(HWND window)
{
    RECT client, outer;
    int width, height;

    GetClientRect(window, &client);
    MapRectCorners(window, &client, ClientToScreen);
    GetWindowRect(window, &outer);
    width = (outer.right - outer.left) - (client.right - client.left) + TEST_WIDTH;
    height = (outer.bottom - outer.top) - (client.bottom - client.top) + TEST_HEIGHT;
    MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, TRUE);
}

static void EraseMagenta(HWND window, HDC dc)
{
    HBRUSH brush = CreateSolidBrush(OVERLAY_BACKGROUND);
    RECT client;

    UnrealizeObject(brush);
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

static LRESULT CALLBACK OverlayTestWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        FitAndCentre(window);
        return 0;
    case WM_ERASEBKGND:
        EraseMagenta(window, (HDC)wParam);
        return 1;
    case WM_START_OVERLAY_TEST:
        RunOverlayFormatTests(window);
        if (!PostMessageA(window, WM_OVERLAY_TEST_DONE, 0, 0))
            TestsDone = 1;
        return 0;
    /* The process may be ended as soon as this returns. */
    case WM_ENDSESSION:
        if (wParam)
            AbandonDirectDraw();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

WORD RegisterOverlayTestClass(HINSTANCE instance, const char *caption)
{
    WNDCLASSA wc;

    SetOverlayTestCaption(caption);
    TestInstance = instance;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = OverlayTestWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); /* IDC_ARROW */
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = OVERLAY_TEST_CLASS;
    return RegisterClassA(&wc);
}

int RunOverlayTest(HWND parent)
{
    HWND window;
    MSG msg;

    OverlayTestResult = OVERLAY_RESULT_NONE;
    window = CreateWindowExA(0, OVERLAY_TEST_CLASS, OverlayTestCaption(), OVERLAY_TEST_STYLE,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             parent, NULL, TestInstance, NULL);
    if (!window)
        return OVERLAY_RESULT_NO_WINDOW;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    /* A full queue refuses a post; the tests then run at once, so that the
       window is never left on the screen without its questions. */
    TestsDone = 0;
    if (!PostMessageA(window, WM_START_OVERLAY_TEST, 0, 0))
        SendMessageA(window, WM_START_OVERLAY_TEST, 0, 0);

    /* A window closed by the user (Alt+F4, WM_CLOSE) can no longer be told
       that the tests are done, so its going ends the loop as well. */
    while (!TestsDone && IsWindow(window) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (msg.message == WM_OVERLAY_TEST_DONE)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (IsWindow(window))
        DestroyWindow(window);
    return OverlayTestResult;
}
