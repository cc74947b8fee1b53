/* The drive combo box: the fixed drives' labels in the interface language,
   with the selected drive chosen. */
#include "drivecombo.h"
#include "text.h"

void FillDriveCombo(HWND dialog, const DriveSelectorRecord *selector)
{
    HWND combo = GetDlgItem(dialog, selector->ControlId);
    const DriveItem *item;
    int position, selection = 0;

    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (position = 0; (item = FixedDriveItem(selector, position)) != NULL; position++) {
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)item->Label[LanguageIndex()]);
        if (item->DriveIndex == selector->SelectedDrive)
            selection = position;
    }
    SendMessageA(combo, CB_SETCURSEL, selection, 0);
}
