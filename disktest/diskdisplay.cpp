/* The read and write rates of the selected drive, as text and as bars with
   red, yellow and green bands painted on the main dialog itself. */
#include "diskdisplay.h"
#include "resource.h"
#include "window.h"

static const COLORREF BAND_COLOURS[3] = { RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0) };

void ShowRateText(HWND dialog, double rate, int controlId)
{
    char text[RATE_TEXT_SIZE];

    FormatRateText(text, rate);
    SetDlgItemTextA(dialog, controlId, text);
}

static void FillWithColour(HDC dc, const RECT *area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);

    if (brush == NULL)
        return;
    FillRect(dc, area, brush);
    DeleteObject(brush);
}

void DrawRateBar(HWND dialog, double scale, double rate, int controlId)
{
    RECT bar;
    HDC dc;
    int bands[3], i;

    GetWindowRect(GetDlgItem(dialog, controlId), &bar);
    MapRectCorners(dialog, &bar, ScreenToClient);
    InflateRect(&bar, -2, -2);

    dc = GetDC(dialog);
    if (dc == NULL)
        return;
    FillWithColour(dc, &bar, GetSysColor(COLOR_BTNFACE));
    if (rate != 0.0) {
        BarBandWidths((double)(bar.right - bar.left), scale, rate, bands);
        for (i = 0; i < 3; i++) {
            if (bands[i] <= 0)
                continue;
            bar.right = bar.left + bands[i];
            FillWithColour(dc, &bar, BAND_COLOURS[i]);
            bar.left = bar.right;
        }
    }
    ReleaseDC(dialog, dc);
}

void ShowDiskResults(HWND dialog, double readRate, double writeRate)
{
    double scale = BarScale(readRate, writeRate);

    ShowRateText(dialog, writeRate, IDC_WRITE_RATE);
    DrawRateBar(dialog, scale, writeRate, IDC_WRITE_BAR);
    ShowRateText(dialog, readRate, IDC_READ_RATE);
    DrawRateBar(dialog, scale, readRate, IDC_READ_BAR);
}
