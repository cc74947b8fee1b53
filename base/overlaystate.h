/* What the main dialog and the report say about the overlay: the state of
   the last overlay test, kept for the whole run. */
#ifndef VURODOZ_OVERLAYSTATE_H
#define VURODOZ_OVERLAYSTATE_H

#include <windows.h>

#define OVERLAY_S3              1
#define OVERLAY_RIVA            2
#define OVERLAY_NOT_TESTED      3
#define OVERLAY_UNSUPPORTED     4
#define OVERLAY_LOW_RESOLUTION  5

extern int OverlayState;

UINT OverlayStateTextId(void);

#endif
