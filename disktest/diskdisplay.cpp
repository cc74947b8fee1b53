/* The read and write rates of the selected drive, as text and as bars with
   red, yellow and green bands painted on the main dialog itself. */
#include "diskdisplay.h"
#include "resource.h"
#include "textfmt.h"
#include "window.h"

#define RATE_STEP       10240.0
#define RED_BAND_RATE   4608.0
#define YELLOW_BAND_RATE 2560.0

static const COLORREF BAND_COLOURS[3] = { RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0) };

double BarScale(double a, double b)
{
    double m = a > b ? a : b;
    double step = 1.0 / RATE_STEP;

    /* Truncation is floor for a rate, which is never negative; floor itself
       would be a call into the C runtime when not inlined. */
    return ((DWORD)(m * step) + 1.0) * RATE_STEP;
}

void FormatRateText(char *text, double rate)
{
    if (rate == 0.0)
        FormatBounded(text, RATE_TEXT_SIZE, "Not tested");
    else if (rate < RATE_STEP)
        FormatBounded(text, RATE_TEXT_SIZE, "%4dKB/S", (int)rate);
    else
        FormatBounded(text, RATE_TEXT_SIZE, "%4dMB/S", (int)(rate * 0.0009765625));
}

void ShowRateText(HWND dialog, double rate, int controlId)
{
    char text[RATE_TEXT_SIZE];

    FormatRateText(text, rate);
    SetDlgItemTextA(dialog, controlId, text);
}

/* Each band is cut to whole pixels on its own; the band limits are rates,
   the scale only says how many pixels a rate takes. */
void BarBandWidths(double width, double scale, double rate, int bands[3])
{
    double red = rate < RED_BAND_RATE ? rate : RED_BAND_RATE;
    double rest = rate >= RED_BAND_RATE ? rate - RED_BAND_RATE : 0.0;
    double yellow = rest < YELLOW_BAND_RATE ? rest : YELLOW_BAND_RATE;

    bands[0] = (int)(width * red / scale);
    bands[1] = rest == 0.0 ? 0 : (int)(width * yellow / scale);
    rest = rest >= YELLOW_BAND_RATE ? rest - YELLOW_BAND_RATE : 0.0;
    bands[2] = rest == 0.0 ? 0 : (int)(width * rest / scale);
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
