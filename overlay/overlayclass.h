/* The overlay test window's class, registered once at start-up: the one
   entry the machine facts' collection calls into this folder. */
#ifndef VURODOZ_OVERLAYCLASS_H
#define VURODOZ_OVERLAYCLASS_H

#include <windows.h>

#define OVERLAY_TEST_CLASS          "WC:VKTEST"

WORD RegisterOverlayTestClass(HINSTANCE instance, const char *caption);

#endif
