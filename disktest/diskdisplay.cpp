/* The read and write rates of the selected drive. Until the bars are drawn,
   both rows show only whether the drive was measured. */
#include "diskdisplay.h"
#include "resource.h"

void ShowDiskResults(HWND dialog, double readRate, double writeRate)
{
    SetDlgItemTextA(dialog, IDC_WRITE_RATE, writeRate == 0.0 ? "Not tested" : "");
    SetDlgItemTextA(dialog, IDC_READ_RATE, readRate == 0.0 ? "Not tested" : "");
}
