// Tests of the disk test's decisions at their boundaries, and one bar as it
// appears on the screen.
#include <gtest/gtest.h>
#include <vector>
#include <windows.h>

#include "diskdisplay.h"
#include "diskengine.h"
#include "diskrun.h"
#include "freespace.h"
#include "resource.h"

namespace {

// Catches a chunk that is not a whole number of clusters or exceeds 96 KiB
// for small clusters, a division by a zero cluster, an off-by-one byte in the
// space check, <= for < in the stage rule (1000 ms is slow enough), "and"
// for "or", a third stage, rounded fifths, and a wrapped free-space product.
TEST(DiskEngine, Decisions)
{
    const DWORD chunks[][3] = { { 1, 512, 98304 }, { 3, 512, 98304 }, { 80, 512, 81920 }, { 128, 512, 65536 },
                                { 192, 512, 98304 }, { 256, 512, 131072 }, { 0, 512, 0 }, { 0x10000, 0x10000, 0 } };
    for (const auto &c : chunks)
        EXPECT_EQ(c[2], ChunkSizeForCluster(c[0], c[1])) << c[0] * c[1];
    EXPECT_TRUE(HasRoomForTest(104792064u, 98304));
    EXPECT_FALSE(HasRoomForTest(104792063u, 98304));
    const DWORD stages[][6] = { { SMALL_FILE_SIZE, 1000, 1000, 0, 1000, 1000 }, { SMALL_FILE_SIZE, 800, 1200, 1, 800, 1200 },
                                { SMALL_FILE_SIZE, 1200, 999, 1, 1200, 999 }, { LARGE_FILE_SIZE, 4003, 6001, 0, 800, 1200 },
                                { LARGE_FILE_SIZE, 4, 999, 0, 0, 199 } };
    for (const auto &s : stages) {
        DiskTestParams p = {};
        p.FileSize = s[0], p.WriteMs = s[1], p.ReadMs = s[2];
        EXPECT_EQ((int)s[3], AdvanceStage(&p)) << s[1] << "/" << s[2];
        EXPECT_EQ(s[3] ? LARGE_FILE_SIZE : s[0], p.FileSize);
        EXPECT_EQ(s[4], p.WriteMs);
        EXPECT_EQ(s[5], p.ReadMs);
    }
    EXPECT_EQ(99, ProgressPosition(212, 213));
    EXPECT_EQ(99, ProgressPosition(1065, 1066));
    EXPECT_EQ(33, ProgressPosition(1, 3));
    EXPECT_EQ(62914560u, FreeBytesFromClusters(8, 512, 15360));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(8, 512, 0x100000));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromCount(0x100000000ull + 104857600));
}

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
