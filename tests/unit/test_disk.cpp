// Tests of the disk test's decisions at their boundaries, its name search on
// a real drive, and one bar as it appears on the screen.
#include <gtest/gtest.h>

#include <string>
#include <windows.h>

#include "diskdisplay.h"
#include "diskengine.h"
#include "diskrun.h"
#include "resource.h"

namespace {

// Catches a chunk that is not a whole number of clusters, one above 96 KiB
// for small clusters, a large cluster cut down, and a division by a zero cluster.
TEST(DiskEngine, ChunkSizeFromCluster)
{
    const struct { DWORD Sectors, Bytes, Chunk; } cases[] = {
        { 1, 512, 98304 }, { 8, 512, 98304 }, { 32, 512, 98304 }, { 64, 512, 98304 },
        { 3, 512, 98304 }, { 80, 512, 81920 }, { 128, 512, 65536 }, { 192, 512, 98304 },
        { 256, 512, 131072 }, { 0, 512, 0 }, { 0x10000, 0x10000, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Sectors * c.Bytes);
        EXPECT_EQ(c.Chunk, ChunkSizeForCluster(c.Sectors, c.Bytes));
    }
    EXPECT_EQ(104792064u, RequiredFreeSpace(98304));
    EXPECT_TRUE(HasRoomForTest(104792064u, 98304));
    EXPECT_FALSE(HasRoomForTest(104792063u, 98304));
    EXPECT_TRUE(HasRoomForTest(104857600u, 65536));
    EXPECT_FALSE(HasRoomForTest(104857599u, 65536));
}

// Catches <= where < belongs (1000 ms is slow enough), "and" for "or", a
// third stage, and fifths rounded instead of truncated.
TEST(DiskEngine, StageRule)
{
    const struct { DWORD Size, Write, Read; int Again; DWORD WriteOut, ReadOut; } cases[] = {
        { SMALL_FILE_SIZE, 1500, 1200, 0, 1500, 1200 }, { SMALL_FILE_SIZE, 1000, 1000, 0, 1000, 1000 },
        { SMALL_FILE_SIZE, 800, 1200, 1, 800, 1200 },   { SMALL_FILE_SIZE, 1200, 999, 1, 1200, 999 },
        { LARGE_FILE_SIZE, 4003, 6001, 0, 800, 1200 },  { LARGE_FILE_SIZE, 4, 999, 0, 0, 199 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.Write) + "/" + std::to_string(c.Read));
        DiskTestParams p = {};
        p.FileSize = c.Size;
        p.WriteMs = c.Write;
        p.ReadMs = c.Read;
        EXPECT_EQ(c.Again, AdvanceStage(&p));
        EXPECT_EQ(c.Again ? LARGE_FILE_SIZE : c.Size, p.FileSize);
        EXPECT_EQ(c.WriteOut, p.WriteMs);
        EXPECT_EQ(c.ReadOut, p.ReadMs);
    }
    const struct { DWORD Index, Count; int Position; } steps[] = {
        { 0, 213, 0 }, { 3, 213, 1 }, { 212, 213, 99 }, { 1065, 1066, 99 }, { 1, 3, 33 }, { 2, 3, 66 },
    };
    for (const auto &s : steps)
        EXPECT_EQ(s.Position, ProgressPosition(s.Index, s.Count)) << s.Index << " of " << s.Count;
}

// Catches a wrapped free-space product (which would refuse a roomy drive)
// and a 64-bit count cut to its low half.
TEST(DiskRun, FreeSpaceSaturates)
{
    EXPECT_EQ(62914560u, FreeBytesFromClusters(8, 512, 15360));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(8, 512, 0x100000));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(1, 1, 0xFFFFFFFF));
    EXPECT_EQ(0u, FreeBytesFromClusters(0, 512, 1000));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromCount(0x100000000ull));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromCount(0x100000000ull + 104857600));
    EXPECT_EQ(104857600u, FreeBytesFromCount(104857600));
}

// Catches the KB/S to MB/S switch at the wrong rate, rounding instead of
// truncating, a field narrower than four, and a scale equal to the rate.
TEST(DiskDisplay, RateTextAndScale)
{
    const struct { double Rate; const char *Text; } texts[] = {
        { 0.0, "Not tested" }, { 512, " 512KB/S" }, { 5120, "5120KB/S" }, { 10239.9, "10239KB/S" },
        { 10240, "  10MB/S" }, { 25000, "  24MB/S" }, { 20480000, "20000MB/S" }, { 0.5, "   0KB/S" },
    };
    for (const auto &t : texts) {
        char text[RATE_TEXT_SIZE];
        FormatRateText(text, t.Rate);
        EXPECT_STREQ(t.Text, text) << t.Rate;
    }
    const struct { double A, B, Scale; } scales[] = {
        { 15000, 15000, 20480 }, { 20480, 5120, 30720 }, { 5120, 20480, 30720 },
        { 10240, 0, 20480 }, { 10239.9, 0, 10240 }, { 0, 0, 10240 },
    };
    for (const auto &s : scales)
        EXPECT_DOUBLE_EQ(s.Scale, BarScale(s.A, s.B)) << s.A << ", " << s.B;
}

// Catches bands measured from 0 instead of from the previous band, limits
// scaled with the bar, and green drawn at exactly 7,168 KB/s.
TEST(DiskDisplay, BandWidths)
{
    const struct { double Rate; int Red, Yellow, Green; } cases[] = {
        { 20480, 46, 25, 133 }, { 5120, 46, 5, 0 }, { 4608, 46, 0, 0 }, { 7168, 46, 25, 0 }, { 100, 0, 0, 0 },
    };
    for (const auto &c : cases) {
        int bands[3];
        BarBandWidths(307.0, 30720.0, c.Rate, bands);
        EXPECT_EQ(c.Red, bands[0]) << c.Rate;
        EXPECT_EQ(c.Yellow, bands[1]) << c.Rate;
        EXPECT_EQ(c.Green, bands[2]) << c.Rate;
    }
}

// Catches a name search that takes a file it cannot open (held by another
// handle, or a directory) for a free name and would then overwrite it.
TEST(DiskEngine, NameSearchSkipsEveryExistingName)
{
    HANDLE held = CreateFileA("C:\\VKT00.dat", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, CREATE_NEW, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(CreateDirectoryA("C:\\VKT01.dat", NULL));
    char path[TEST_FILE_PATH_SIZE] = "";
    SetLastError(0xBADC0DE);
    EXPECT_EQ(RESULT_OK, FindFreeTestFileName(2, path));
    EXPECT_STREQ("C:\\VKT02.dat", path);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
    CloseHandle(held);
    DeleteFileA("C:\\VKT00.dat");
    RemoveDirectoryA("C:\\VKT01.dat");

    void *buffer = NULL;
    DWORD chunk = 0;
    ASSERT_EQ(RESULT_OK, PrepareTransferBuffer(2, &buffer, &chunk));
    EXPECT_EQ(98304u, chunk);
    EXPECT_EQ(0u, (ULONG_PTR)buffer & 0xFFF);
    EXPECT_EQ(0, ((const char *)buffer)[chunk - 1]);
    ReleaseTransferBuffer(buffer);
    SetLastError(0xBADC0DE);
    EXPECT_EQ(RESULT_IO_ERROR, PrepareTransferBuffer(16, &buffer, &chunk)) << "Q: is not a drive";
    EXPECT_NE(0xBADC0DEu, GetLastError());
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Catches bands painted at the wrong place or colour, drawn on the control
// instead of the dialog, and an earlier, longer bar not cleared.
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
    HDC screen = GetDC(NULL);
    const struct { int X; COLORREF Colour; } probes[] = {
        { r.left, RGB(255, 0, 0) }, { r.left + bands[0] - 1, RGB(255, 0, 0) },
        { r.left + bands[0], RGB(255, 255, 0) }, { r.left + bands[0] + bands[1] - 1, RGB(255, 255, 0) },
        { r.left + bands[0] + bands[1], GetSysColor(COLOR_BTNFACE) }, { r.right - 1, GetSysColor(COLOR_BTNFACE) },
    };
    for (const auto &p : probes)
        EXPECT_EQ(p.Colour, GetPixel(screen, p.X, y)) << "x " << p.X - r.left;
    ReleaseDC(NULL, screen);
    char text[RATE_TEXT_SIZE];
    GetDlgItemTextA(dialog, IDC_WRITE_RATE, text, sizeof text);
    EXPECT_STREQ("5120KB/S", text);
    DestroyWindow(dialog);
}

}  // namespace
