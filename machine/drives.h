/* The fixed-drive list the main dialog and the drive combo box show, and
   the root path of a drive. */
#ifndef VURODOZ_DRIVES_H
#define VURODOZ_DRIVES_H

#include <windows.h>

struct DriveItem {
    int         IsFixed;
    int         DriveIndex;
    const char *Label[2];   /* by LanguageIndex: 0 Japanese, 1 English */
};

#define DRIVE_COUNT 26

struct DriveSelectorRecord {
    int        SelectedDrive;
    WORD       ControlId;
    int        ItemCount;
    DriveItem *Items;
};

extern DriveSelectorRecord DriveSelector;
extern DriveItem           DriveItems[DRIVE_COUNT];

int  BuildFixedDriveList(void);
/* The n-th fixed drive of the selector's list, or NULL. */
const DriveItem *FixedDriveItem(const DriveSelectorRecord *selector, int position);
/* The drive index of the n-th fixed drive in the list, or -1. */
int  FixedDriveAtPosition(int position);

/* The root path of drive 0 to 25, such as C:\ for 2, into 4 bytes. */
void FormatRootPath(char *root, int drive);

#endif
