/* The overlay test window and the result codes of one overlay test. */
#ifndef VURODOZ_OVERLAYWND_H
#define VURODOZ_OVERLAYWND_H

#include <windows.h>

#define OVERLAY_RESULT_NONE         0
#define OVERLAY_RESULT_S3           1
#define OVERLAY_RESULT_RIVA         2
#define OVERLAY_RESULT_NO_WINDOW    101
#define OVERLAY_RESULT_UNSUPPORTED  105

#define OVERLAY_TEST_CLASS          "WC:VKTEST"

#define WM_START_OVERLAY_TEST       (WM_USER + 300)
#define WM_OVERLAY_TEST_DONE        (WM_USER + 301)

WORD RegisterOverlayTestClass(HINSTANCE instance, const char *caption);
int  RunOverlayTest(HWND parent);
/* The caption given at registration; the questions carry it too. */
const char *OverlayTestCaption(void);

#endif
