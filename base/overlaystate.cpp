/* The overlay state and the text that names it. */
#include "overlaystate.h"
#include "resource.h"

int OverlayState;

UINT OverlayStateTextId(void)
{
    if (OverlayState >= OVERLAY_S3 && OverlayState <= OVERLAY_LOW_RESOLUTION)
        return IDS_OVERLAY_QUESTION + OverlayState;
    return IDS_STATUS_NOT_TESTED;
}
