/* The main dialog: overlay status, machine facts, disk results and commands. */
#include "maindlg.h"
#include "app.h"
#include "machineinfo.h"
#include "resource.h"
#include "version.h"
#include "diskrun.h"
#include "diskengine.h"
#include "diskdisplay.h"
#include "drivecombo.h"
#include "overlaywnd.h"
#include "report.h"
#include "window.h"

int OverlayStateForScreen(int state, int width, int height)
{
    if (width < 800 || height < 600)
        return OVERLAY_LOW_RESOLUTION;
    if (state == OVERLAY_LOW_RESOLUTION)
        return OVERLAY_NOT_TESTED;
    return state;
}

void ApplyScreenCheck(void)
{
    OverlayState = OverlayStateForScreen(OverlayState,
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void RefreshFields(HWND dialog, int drive)
{
    char text[COMPUTER_MEMORY_TEXT_SIZE];
    double readRate, writeRate;

    ApplyScreenCheck();
    SetDlgItemTextA(dialog, IDC_OVERLAY_STATUS, LoadText(OverlayStateTextId()));
    EnableWindow(GetDlgItem(dialog, IDC_OVERLAY_TEST), OverlayState != OVERLAY_LOW_RESOLUTION);

    if (!MachineInfo.IsNtFamily)
        SetDlgItemTextA(dialog, IDC_PCI_BIOS, MachineInfo.PciBiosVersionText);
    SetDlgItemTextA(dialog, IDC_CHIPSET, MachineInfo.ChipSetText);
    SetDlgItemTextA(dialog, IDC_LATENCY, MachineInfo.PciLatencyTimerText);
    SetDlgItemTextA(dialog, IDC_WINDOWS, MachineInfo.WindowsNameTwoLines);
    FormatComputerAndMemory(text, MachineInfo.ComputerText, MachineInfo.TotalPhysicalMemory);
    SetDlgItemTextA(dialog, IDC_COMPUTER, text);

    RatesOfTest(ReadMsByDrive[drive], WriteMsByDrive[drive], &readRate, &writeRate);
    ShowDiskResults(dialog, readRate, writeRate);
}

void RunOverlayTestCommand(HWND dialog)
{
    switch (RunOverlayTest(dialog)) {
    case OVERLAY_RESULT_S3:          OverlayState = OVERLAY_S3; break;
    case OVERLAY_RESULT_RIVA:        OverlayState = OVERLAY_RIVA; break;
    case OVERLAY_RESULT_UNSUPPORTED: OverlayState = OVERLAY_UNSUPPORTED; break;
    default: break;
    }
}

static void ShowAbout(HWND dialog)
{
    char text[TEXT_BUFFER_SIZE + 16];

    wsprintfA(text, LoadText(IDS_ABOUT), VURODOZ_VERSION);
    MessageBoxA(dialog, text, APP_CAPTION, MB_OK);
}

static void TakeShowInfoChoice(HWND dialog)
{
    ShowInfoFile = IsDlgButtonChecked(dialog, IDC_SHOW_INFO) == BST_CHECKED ? 1 : 0;
}

static void CloseDialog(HWND dialog)
{
    TakeShowInfoChoice(dialog);
    EndDialog(dialog, IDOK);
}


static void OnDriveSelected(HWND dialog)
{
    int position = (int)SendDlgItemMessageA(dialog, IDC_DRIVE, CB_GETCURSEL, 0, 0);
    int drive = FixedDriveAtPosition(position);

    if (drive < 0 || drive == DriveSelector.SelectedDrive)
        return;
    PostMessageA(dialog, WM_REFRESH_FIELDS, 0, 0);
    DriveSelector.SelectedDrive = drive;
}

static INT_PTR OnCommand(HWND dialog, WORD id, WORD code)
{
    switch (id) {
    case IDOK:
        CloseDialog(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_ABOUT:
        ShowAbout(dialog);
        return TRUE;
    case IDC_OVERLAY_TEST:
        RunOverlayTestCommand(dialog);
        PostMessageA(dialog, WM_REFRESH_FIELDS, 0, 0);
        return TRUE;
    case IDC_HDD_TEST:
        RunDiskTestCommand(dialog, DriveSelector.SelectedDrive);
        PostMessageA(dialog, WM_REFRESH_FIELDS, 0, 0);
        return TRUE;
    case IDC_SAVE_INFO:
        SaveInfoReport(dialog);
        return TRUE;
    case IDC_DRIVE:
        if (code == CBN_SELCHANGE)
            OnDriveSelected(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    PAINTSTRUCT paint;

    switch (message) {
    case WM_INITDIALOG:
        CenterWindow(dialog, GetParent(dialog));
        FillDriveCombo(dialog, &DriveSelector);
        CheckDlgButton(dialog, IDC_SHOW_INFO, ShowInfoFile != 0 ? BST_CHECKED : BST_UNCHECKED);
        PostMessageA(dialog, WM_REFRESH_FIELDS, 0, 0);
        return TRUE;
    case WM_PAINT:
        BeginPaint(dialog, &paint);
        RefreshFields(dialog, DriveSelector.SelectedDrive);
        EndPaint(dialog, &paint);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_REFRESH_FIELDS:
        RefreshFields(dialog, DriveSelector.SelectedDrive);
        return TRUE;
    /* The process may be ended as soon as this returns: the setting is kept
       as Close would keep it. A running test's own window winds it up. */
    case WM_ENDSESSION:
        if (wParam) {
            TakeShowInfoChoice(dialog);
            StoreShowInfoSetting();
        }
        return FALSE;
    }
    return FALSE;
}
