/* The overlay format sequence: YUY2, then RGB 5-6-5 or UYVY, each overlay
   created, filled, keyed and shown over the test window while the user is
   asked whether the colour bars appear. */
#include "formattest.h"
#include "ddlayer.h"
#include "clipkey.h"
#include "resource.h"
#include "text.h"
#include "window.h"

static const char *TestCaption;

int OverlayTestResult;

void SetOverlayTestCaption(const char *caption)
{
    TestCaption = caption;
}

const char *OverlayTestCaption(void)
{
    return TestCaption;
}

/* One entry per call; the search stops at the first failed read or magenta entry. */
static UINT ReadSystemPalette(HWND window, PALETTEENTRY *entries)
{
    HDC dc = GetDC(window);
    UINT i;

    if (!dc)
        return 0;
    for (i = 0; i < 256; i++) {
        if (GetSystemPaletteEntries(dc, i, 1, &entries[i]) == 0)
            break;
        if (IsMagenta(&entries[i])) {
            i++;
            break;
        }
    }
    ReleaseDC(window, dc);
    return i;
}

int TestOverlayFormat(HWND window, int width, int height, int format)
{
    UINT w = (UINT)width & 0xFFFF, h = (UINT)height & 0xFFFF;
    SurfaceInfo pair[2];
    PALETTEENTRY palette[256];
    UINT paletteCount = 0;
    DWORD key = 0;
    RECT source, destination;
    int usable = 0, answer;

    if (!QueryOverlayCaps(&usable, 0) || !usable)
        return 0;
    if (!CreateOverlaySurfaces(window, (int)w, (int)h, 0, format))
        return 0;
    if (!DescribeTestSurfaces(pair, 0))
        goto failed;
    if (pair[0].BitCount == 8)
        paletteCount = ReadSystemPalette(window, palette);
    if (!ChooseColorKey(&pair[0], palette, paletteCount, &key))
        goto failed;
    if (!SetOverlayColorKey(key, key, 0))
        goto failed;

    SetRect(&source, 0, 0, (int)w, (int)h);
    GetClientRect(window, &destination);
    MapRectCorners(window, &destination, ClientToScreen);

    FillOverlay(format, w, h);
    if (!ShowOverlay(&source, &destination, 0))
        goto failed;
    answer = MessageBoxA(window, LoadText(IDS_OVERLAY_QUESTION), OverlayTestCaption(), MB_YESNO);
    HideOverlay(&source, &destination, 0);
    ReleaseOverlaySurfaces(0);
    return answer == IDYES;

failed:
    ReleaseOverlaySurfaces(0);
    return 0;
}

void RunOverlayFormatTests(HWND window)
{
    int a, b = 0, c = 0;

    OverlayTestResult = OVERLAY_RESULT_UNSUPPORTED;
    if (!AcquireDirectDraw(0))
        return;
    a = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_YUY2);
    /* A window closed while a question was open ends the run there: no
       further question can be owned by it, and no answer was given. */
    if (a == 1 && IsWindow(window)) {
        b = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_RGB565);
        if (b != 1 && IsWindow(window))
            c = TestOverlayFormat(window, TEST_WIDTH, TEST_HEIGHT, OVERLAY_FORMAT_UYVY);
    }
    ReleaseDirectDraw(0);
    if (!IsWindow(window))
        OverlayTestResult = OVERLAY_RESULT_NONE;
    else if (a == 1 && b == 1)
        OverlayTestResult = OVERLAY_RESULT_S3;
    else if (a == 1 && c == 1)
        OverlayTestResult = OVERLAY_RESULT_RIVA;
}
