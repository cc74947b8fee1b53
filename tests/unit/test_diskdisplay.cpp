// The disk display's decisions, and one bar as it appears on the screen.
#include <gtest/gtest.h>

#include <vector>
#include <windows.h>
#include "diskdisplay.h"
#include "resource.h"

namespace {

// Catches the KB/S to MB/S switch at the wrong rate, rounding for
// truncation, a field narrower than four, a scale equal to the larger rate,
// bands measured from 0 rather than from the band before, and green at 7,168.
TEST(DiskDisplay, Decisions)
{
    const struct { double Rate; const char *Text; } texts[] = {
        { 0.0, "Not tested" }, { 512, " 512KB/S" }, { 10239.9, "10239KB/S" }, { 10240, "  10MB/S" },
        { 25000, "  24MB/S" }, { 20480000, "20000MB/S" },
    };
    for (const auto &t : texts) {
        char text[RATE_TEXT_SIZE];
        FormatRateText(text, t.Rate);
        EXPECT_STREQ(t.Text, text);
    }
    EXPECT_EQ(20480.0, BarScale(15000, 15000));
    EXPECT_EQ(30720.0, BarScale(5120, 20480));
    EXPECT_EQ(20480.0, BarScale(10240, 0));
    const struct { double Rate; int Bands[3]; } bars[] = {
        { 20480, { 46, 25, 133 } }, { 5120, { 46, 5, 0 } }, { 4608, { 46, 0, 0 } }, { 7168, { 46, 25, 0 } },
    };
    for (const auto &b : bars) {
        int bands[3];
        BarBandWidths(307.0, 30720.0, b.Rate, bands);
        EXPECT_EQ(std::vector<int>(b.Bands, b.Bands + 3), std::vector<int>(bands, bands + 3)) << b.Rate;
    }
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Catches bands at the wrong place or colour, drawn on the control instead
// of the dialog, and an earlier, longer bar left standing.
TEST(DiskDisplay, BarOnTheScreen)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN_NT + LANG_OFFSET_ENGLISH),
                                     NULL, PlainDialog, 0);
    ASSERT_TRUE(dialog);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
    ShowDiskResults(dialog, 20480, 20480);
    ShowDiskResults(dialog, 20480, 5120);
    // Wine paints into a surface of its own and shows it when the thread next waits.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 300;)
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDC_WRITE_BAR), &r);
    InflateRect(&r, -2, -2);
    int bands[3], y = (r.top + r.bottom) / 2;
    BarBandWidths(r.right - r.left, 30720, 5120, bands);
    int yellow = r.left + bands[0];
    HDC screen = GetDC(NULL);
    const struct { int X; COLORREF Colour; } probes[] = {
        { r.left, RGB(255, 0, 0) }, { yellow - 1, RGB(255, 0, 0) }, { yellow, RGB(255, 255, 0) },
        { yellow + bands[1] - 1, RGB(255, 255, 0) }, { yellow + bands[1], GetSysColor(COLOR_BTNFACE) },
        { r.right - 1, GetSysColor(COLOR_BTNFACE) },
    };
    for (const auto &p : probes)
        EXPECT_EQ(p.Colour, GetPixel(screen, p.X, y)) << "x " << p.X - r.left;
    ReleaseDC(NULL, screen);
    DestroyWindow(dialog);
}

}  // namespace
