/* The overlay format tests: one overlay per format, shown over the test
   window, and the user's answer to each; and the result codes of a run. */
#ifndef VURODOZ_FORMATTEST_H
#define VURODOZ_FORMATTEST_H

#include <windows.h>

#define TEST_WIDTH              720
#define TEST_HEIGHT             576

#define OVERLAY_RESULT_NONE         0
#define OVERLAY_RESULT_S3           1
#define OVERLAY_RESULT_RIVA         2
#define OVERLAY_RESULT_NO_WINDOW    101
#define OVERLAY_RESULT_UNSUPPORTED  105

extern int OverlayTestResult;

/* The caption the questions carry, the test window's own. */
void SetOverlayTestCaption(const char *caption);
const char *OverlayTestCaption(void);

int  TestOverlayFormat(HWND window, int width, int height, int format);
void RunOverlayFormatTests(HWND window);

#endif
