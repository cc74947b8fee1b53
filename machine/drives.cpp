/* The fixed-drive list, built once at start-up, and the drives' root paths. */
#include "drives.h"
#include "textfmt.h"

DriveSelectorRecord DriveSelector;

#define DRIVE_ITEM(i, letter) { 0, i, { letter, letter } }
DriveItem DriveItems[DRIVE_COUNT] = {
    DRIVE_ITEM(0, "A"),  DRIVE_ITEM(1, "B"),  DRIVE_ITEM(2, "C"),  DRIVE_ITEM(3, "D"),
    DRIVE_ITEM(4, "E"),  DRIVE_ITEM(5, "F"),  DRIVE_ITEM(6, "G"),  DRIVE_ITEM(7, "H"),
    DRIVE_ITEM(8, "I"),  DRIVE_ITEM(9, "J"),  DRIVE_ITEM(10, "K"), DRIVE_ITEM(11, "L"),
    DRIVE_ITEM(12, "M"), DRIVE_ITEM(13, "N"), DRIVE_ITEM(14, "O"), DRIVE_ITEM(15, "P"),
    DRIVE_ITEM(16, "Q"), DRIVE_ITEM(17, "R"), DRIVE_ITEM(18, "S"), DRIVE_ITEM(19, "T"),
    DRIVE_ITEM(20, "U"), DRIVE_ITEM(21, "V"), DRIVE_ITEM(22, "W"), DRIVE_ITEM(23, "X"),
    DRIVE_ITEM(24, "Y"), DRIVE_ITEM(25, "Z"),
};

void FormatRootPath(char *root, int drive)
{
    FormatBounded(root, 4, "%c:\\", 'A' + drive);
}

int BuildFixedDriveList(void)
{
    char root[4];
    int i;

    for (i = 0; i < DRIVE_COUNT; i++) {
        FormatRootPath(root, i);
        DriveItems[i].IsFixed = GetDriveTypeA(root) == DRIVE_FIXED ? 1 : 0;
    }
    for (i = 0; i < DRIVE_COUNT; i++) {
        if (DriveItems[i].IsFixed) {
            DriveSelector.SelectedDrive = i;
            DriveSelector.ControlId = 301;
            DriveSelector.ItemCount = DRIVE_COUNT;
            DriveSelector.Items = DriveItems;
            return 1;
        }
    }
    return 0;
}

const DriveItem *FixedDriveItem(const DriveSelectorRecord *selector, int position)
{
    int i, seen = 0;

    if (position < 0)
        return NULL;
    for (i = 0; i < selector->ItemCount && i < DRIVE_COUNT; i++) {
        if (!selector->Items[i].IsFixed)
            continue;
        if (seen == position)
            return &selector->Items[i];
        seen++;
    }
    return NULL;
}

int FixedDriveAtPosition(int position)
{
    const DriveItem *item = FixedDriveItem(&DriveSelector, position);

    return item != NULL ? item->DriveIndex : -1;
}
