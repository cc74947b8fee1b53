// Keeps the program's process-wide records as they were before a test
// touched them, and puts them back when it ends.
#pragma once

#include <cstring>

#include "drives.h"
#include "overlaystate.h"
#include "text.h"

class SavedState {
public:
    SavedState()
        : instance_(AppInstance), offset_(LanguageOffset), overlay_(OverlayState),
          selector_(DriveSelector)
    {
        memcpy(items_, DriveItems, sizeof items_);
    }
    ~SavedState()
    {
        AppInstance = instance_;
        LanguageOffset = offset_;
        OverlayState = overlay_;
        DriveSelector = selector_;
        memcpy(DriveItems, items_, sizeof items_);
    }
    SavedState(const SavedState &) = delete;
    SavedState &operator=(const SavedState &) = delete;

private:
    HINSTANCE           instance_;
    UINT                offset_;
    int                 overlay_;
    DriveSelectorRecord selector_;
    DriveItem           items_[DRIVE_COUNT];
};
