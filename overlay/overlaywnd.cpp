/* The overlay test window: its class, registered once at start-up. */
#include "overlaywnd.h"

static const char *TestCaption;
static HINSTANCE   TestInstance;

static LRESULT CALLBACK OverlayTestWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

WORD RegisterOverlayTestClass(HINSTANCE instance, const char *caption)
{
    WNDCLASSA wc;

    TestCaption = caption;
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

/* The format tests are not built yet: a run ends without a verdict. */
int RunOverlayTest(HWND)
{
    return OVERLAY_RESULT_NONE;
}
