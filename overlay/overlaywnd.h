/* The overlay test window, which runs one overlay test. */
#ifndef VURODOZ_OVERLAYWND_H
#define VURODOZ_OVERLAYWND_H

#include <windows.h>
#include "formattest.h"
#include "overlayclass.h"

#define WM_START_OVERLAY_TEST       (WM_USER + 300)
#define WM_OVERLAY_TEST_DONE        (WM_USER + 301)

int  RunOverlayTest(HWND parent);

#endif
