/* The HDD Test command, the drive combo box, window centring, and the
   per-drive results. */
#include "diskrun.h"
#include "app.h"

#include <commctrl.h>

DWORD ReadMsByDrive[DRIVE_COUNT];
DWORD WriteMsByDrive[DRIVE_COUNT];
int   HaveFreeSpaceEx;

int InitDiskTestSupport(void)
{
    HMODULE kernel;

    HaveFreeSpaceEx = 0;
    kernel = LoadLibraryA("kernel32.dll");
    if (kernel) {
        if (GetProcAddress(kernel, "GetDiskFreeSpaceExA"))
            HaveFreeSpaceEx = 1;
        FreeLibrary(kernel);
    }
    InitCommonControls();
    return 1;
}

void FillDriveCombo(HWND dialog, const DriveSelectorRecord *selector)
{
    HWND combo = GetDlgItem(dialog, selector->ControlId);
    int i, position = 0, selection = 0;

    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (i = 0; i < selector->ItemCount && i < DRIVE_COUNT; i++) {
        const DriveItem *item = &selector->Items[i];
        if (!item->IsFixed)
            continue;
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)item->Label[LanguageIndex()]);
        if (item->DriveIndex == selector->SelectedDrive)
            selection = position;
        position++;
    }
    SendMessageA(combo, CB_SETCURSEL, selection, 0);
}

POINT CenteredPosition(const RECT *reference, int width, int height)
{
    POINT at;

    at.x = reference->left + (reference->right - reference->left) / 2 - width / 2;
    at.y = reference->top + (reference->bottom - reference->top) / 2 - height / 2;
    return at;
}

void CenterWindow(HWND window, HWND reference)
{
    RECT own, over;
    POINT at;
    int width, height;

    if (reference == NULL)
        reference = GetDesktopWindow();
    GetWindowRect(window, &own);
    GetWindowRect(reference, &over);
    width = own.right - own.left;
    height = own.bottom - own.top;
    at = CenteredPosition(&over, width, height);
    MoveWindow(window, at.x, at.y, width, height, FALSE);
}

/* The disk test itself is not built yet: the command leaves every result as it is. */
void RunDiskTestCommand(HWND, int)
{
}
