// Tests of the machine texts, the fixed-drive list, window centring, the
// drive combo box, the start-up support of the disk test, the overlay test
// window class and the rate conversion.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <windows.h>
#include <commctrl.h>

#include "app.h"
#include "diskengine.h"
#include "diskrun.h"
#include "drivecombo.h"
#include "freespace.h"
#include "window.h"
#include "machineinfo.h"
#include "overlaywnd.h"
#include "resource.h"
#include "saved_state.h"

namespace {

// Catches "Dual" for the wrong count, a missing blank after the number, an
// unterminated empty prefix, and counts above 9 cut to one digit.
TEST(MachineText, ProcessorCountPrefix)
{
    const struct { DWORD Count; const char *Prefix; } cases[] = {
        { 1, "" }, { 2, "Dual " }, { 3, "3 " }, { 4, "4 " }, { 16, "16 " }, { 32, "32 " },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Count);
        char out[16];
        memset(out, '#', sizeof out);
        FormatProcessorCountPrefix(out, c.Count);
        EXPECT_STREQ(c.Prefix, out);
    }
}

// Catches rounding up instead of down, a signed shift (2 GiB and more turn
// negative), dividing by 1,000,000, a lost blank or unit, and a full
// processor text cut short or overrunning the field.
TEST(MachineText, ComputerAndMemory)
{
    const struct { DWORD Bytes; const char *Text; } cases[] = {
        { 536281088u, "Dual Pentium III 933MHz 511MBytes" },
        { 536870912u, "Dual Pentium III 933MHz 512MBytes" },
        { 536870911u, "Dual Pentium III 933MHz 511MBytes" },
        { 0u, "Dual Pentium III 933MHz 0MBytes" },
        { 1048575u, "Dual Pentium III 933MHz 0MBytes" },
        { 0x80000000u, "Dual Pentium III 933MHz 2048MBytes" },
        { 0xFFFFFFFFu, "Dual Pentium III 933MHz 4095MBytes" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Bytes);
        char out[COMPUTER_MEMORY_TEXT_SIZE];
        FormatComputerAndMemory(out, "Dual Pentium III 933MHz", c.Bytes);
        EXPECT_STREQ(c.Text, out);
    }

    // The longest processor text the record holds still gets its memory.
    char computer[128];
    memset(computer, 'c', sizeof computer - 1);
    computer[sizeof computer - 1] = '\0';
    char out[COMPUTER_MEMORY_TEXT_SIZE + 16];
    memset(out, '#', sizeof out);
    FormatComputerAndMemory(out, computer, 0xFFFFFFFFu);
    EXPECT_EQ(std::string(computer) + " 4095MBytes", std::string(out));
    for (size_t i = COMPUTER_MEMORY_TEXT_SIZE; i < sizeof out; ++i)
        ASSERT_EQ('#', out[i]) << "written past the field at " << i;
}

// On the real drives of the prefix. Catches a drive type other than
// DRIVE_FIXED accepted, letters skipped (A and B included), a selection that
// is not the lowest fixed letter, and a selector left half filled.
TEST(DriveList, BuiltFromTheRealDrives)
{
    SavedState keep;
    DriveSelector.SelectedDrive = -7;
    DriveSelector.ControlId = 0;
    DriveSelector.ItemCount = 0;
    DriveSelector.Items = NULL;
    for (int i = 0; i < DRIVE_COUNT; ++i)
        DriveItems[i].IsFixed = 5;

    int lowest = -1;
    for (int i = 0; i < DRIVE_COUNT && lowest < 0; ++i) {
        char root[4] = { (char)('A' + i), ':', '\\', '\0' };
        if (GetDriveTypeA(root) == DRIVE_FIXED)
            lowest = i;
    }
    ASSERT_GE(lowest, 0) << "the prefix has no fixed drive";

    ASSERT_EQ(1, BuildFixedDriveList());
    for (int i = 0; i < DRIVE_COUNT; ++i) {
        char root[4] = { (char)('A' + i), ':', '\\', '\0' };
        char letter[2] = { (char)('A' + i), '\0' };
        SCOPED_TRACE(root);
        EXPECT_EQ(GetDriveTypeA(root) == DRIVE_FIXED ? 1 : 0, DriveItems[i].IsFixed);
        EXPECT_EQ(i, DriveItems[i].DriveIndex);
        EXPECT_STREQ(letter, DriveItems[i].Label[0]);
        EXPECT_STREQ(letter, DriveItems[i].Label[1]);
    }
    EXPECT_EQ(lowest, DriveSelector.SelectedDrive);
    EXPECT_EQ(IDC_DRIVE, DriveSelector.ControlId);
    EXPECT_EQ(DRIVE_COUNT, DriveSelector.ItemCount);
    EXPECT_EQ(DriveItems, DriveSelector.Items);
}

// Catches centring on the corner instead of the centre, clamping to the
// reference or the screen, halving the sum of the edges (which rounds
// differently for negative coordinates), and halving the difference of the
// sizes instead of each size.
TEST(Centring, PositionOverTheReference)
{
    const struct { const char *What; RECT Ref; int Width, Height; int X, Y; } cases[] = {
        { "larger reference", { 0, 0, 800, 600 }, 200, 100, 300, 250 },
        { "offset reference", { 100, 80, 500, 380 }, 200, 100, 200, 180 },
        { "smaller reference", { 0, 0, 200, 100 }, 400, 300, -100, -100 },
        { "smaller offset reference", { 50, 40, 150, 90 }, 300, 250, -50, -60 },
        { "odd window", { 0, 0, 100, 50 }, 31, 21, 35, 15 },
        { "odd reference", { 0, 0, 101, 51 }, 30, 20, 35, 15 },
        { "negative reference", { -301, -200, 0, 0 }, 100, 50, -201, -125 },
        { "negative odd both", { -301, -201, -100, -100 }, 31, 21, -216, -161 },
        { "same size", { 10, 20, 110, 70 }, 100, 50, 10, 20 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        POINT at = CenteredPosition(&c.Ref, c.Width, c.Height);
        EXPECT_EQ(c.X, at.x);
        EXPECT_EQ(c.Y, at.y);
    }
}

HWND MakePopup(int x, int y, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

// Real windows. Catches a resize, the client rectangle used instead of the
// window rectangle, a null reference not taken as the desktop, and a
// position clamped onto the screen.
TEST(Centring, MovesRealWindows)
{
    HWND reference = MakePopup(100, 80, 400, 300);
    HWND offScreen = MakePopup(-500, -400, 100, 100);
    HWND window = MakePopup(0, 0, 201, 101);
    ASSERT_TRUE(reference && offScreen && window);

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const struct { const char *What; HWND Ref; LONG X, Y; } cases[] = {
        { "over a window", reference, 200, 180 },
        { "over a window off the screen", offScreen, -550, -400 },
        { "over the desktop", NULL,
          desktop.left + (desktop.right - desktop.left) / 2 - 100,
          desktop.top + (desktop.bottom - desktop.top) / 2 - 50 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        CenterWindow(window, c.Ref);
        RECT now;
        GetWindowRect(window, &now);
        EXPECT_EQ(c.X, now.left);
        EXPECT_EQ(c.Y, now.top);
        EXPECT_EQ(201, now.right - now.left);
        EXPECT_EQ(101, now.bottom - now.top);
    }

    DestroyWindow(window);
    DestroyWindow(offScreen);
    DestroyWindow(reference);
}

std::string ComboItem(HWND combo, int index)
{
    char text[64] = "";
    LRESULT n = SendMessageA(combo, CB_GETLBTEXT, index, (LPARAM)text);
    return n == CB_ERR ? std::string("<error>") : std::string(text);
}

// A real combo box as the main dialog declares it. Catches listing drives
// that are not fixed, a selection by drive index instead of list position,
// no selection when the selected drive is not listed, a refill that adds to
// the old items, and the label taken from the wrong language column.
TEST(DriveCombo, ListsTheFixedDrives)
{
    SavedState keep;
    HWND parent = MakePopup(0, 0, 200, 200);
    ASSERT_TRUE(parent);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_SORT | WS_VSCROLL,
                                 10, 10, 60, 120, parent, (HMENU)(INT_PTR)IDC_DRIVE,
                                 GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(combo);

    static const char *const japanese[DRIVE_COUNT] = {
        "jA", "jB", "jC", "jD", "jE", "jF", "jG", "jH", "jI", "jJ", "jK", "jL", "jM",
        "jN", "jO", "jP", "jQ", "jR", "jS", "jT", "jU", "jV", "jW", "jX", "jY", "jZ",
    };
    static const char *const english[DRIVE_COUNT] = {
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
        "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    };
    struct Case {
        const char *What;
        const char *Fixed;
        int         Selected;
        UINT        Offset;
        const char *Items[4];
        int         Count;
        int         Selection;
    };
    const Case cases[] = {
        { "C and E, E selected", "CE", 4, LANG_OFFSET_ENGLISH, { "C", "E" }, 2, 1 },
        { "again, nothing doubled", "CE", 4, LANG_OFFSET_ENGLISH, { "C", "E" }, 2, 1 },
        { "C and E, C selected", "CE", 2, LANG_OFFSET_ENGLISH, { "C", "E" }, 2, 0 },
        { "only D", "D", 3, LANG_OFFSET_ENGLISH, { "D" }, 1, 0 },
        { "A, Y and Z, Z selected", "AYZ", 25, LANG_OFFSET_ENGLISH, { "A", "Y", "Z" }, 3, 2 },
        { "selected drive not listed", "CD", 10, LANG_OFFSET_ENGLISH, { "C", "D" }, 2, 0 },
        { "Japanese column", "CE", 4, 0, { "jC", "jE" }, 2, 1 },
    };
    DriveItem items[DRIVE_COUNT];
    DriveSelectorRecord selector;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        for (int i = 0; i < DRIVE_COUNT; ++i) {
            items[i].IsFixed = strchr(c.Fixed, 'A' + i) != NULL;
            items[i].DriveIndex = i;
            items[i].Label[0] = japanese[i];
            items[i].Label[1] = english[i];
        }
        selector.SelectedDrive = c.Selected;
        selector.ControlId = IDC_DRIVE;
        selector.ItemCount = DRIVE_COUNT;
        selector.Items = items;
        LanguageOffset = c.Offset;

        FillDriveCombo(parent, &selector);
        ASSERT_EQ(c.Count, (int)SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int k = 0; k < c.Count; ++k)
            EXPECT_EQ(c.Items[k], ComboItem(combo, k)) << "item " << k;
        EXPECT_EQ(c.Selection, (int)SendMessageA(combo, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(c.Selected, selector.SelectedDrive) << "the selector was changed";
    }
    DestroyWindow(parent);
}

// Catches the free-space probe left at 0 although kernel32 exports the call,
// and the common controls not initialised (the progress dialog cannot be
// created without the progress bar class).
TEST(DiskTestSupport, ProbesAndRegistersTheProgressBar)
{
    HaveFreeSpaceEx = 7;
    EXPECT_EQ(1, InitDiskTestSupport());
    EXPECT_EQ(1, HaveFreeSpaceEx);
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(NULL, PROGRESS_CLASSA, &wc));
    EXPECT_TRUE(GetClassInfoA(NULL, "msctls_progress32", &wc));
}

// Catches a class with the wrong name or style, no cursor (the hourglass
// or none would show over the test window), and a failed second
// registration not reported as such.
TEST(OverlayWindowClass, RegisteredOnce)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    UnregisterClassA(OVERLAY_TEST_CLASS, instance);

    SetLastError(0xdeadbeef);
    WORD atom = RegisterOverlayTestClass(instance, APP_CAPTION);
    ASSERT_NE(0, atom) << "error " << GetLastError();

    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    ASSERT_TRUE(GetClassInfoA(instance, "WC:VKTEST", &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(LoadCursorA(NULL, IDC_ARROW), wc.hCursor);
    EXPECT_EQ(NULL, wc.hIcon);
    EXPECT_EQ(NULL, wc.lpszMenuName);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ((HBRUSH)(COLOR_WINDOW + 1), wc.hbrBackground);
    EXPECT_EQ(instance, wc.hInstance);

    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, RegisterOverlayTestClass(instance, APP_CAPTION));
    EXPECT_EQ((DWORD)ERROR_CLASS_ALREADY_EXISTS, GetLastError());

    EXPECT_TRUE(UnregisterClassA(OVERLAY_TEST_CLASS, instance));
}

// Catches a rate in bytes or in units of 1,000, integer division, and a
// file size other than 20 MiB.
TEST(DiskRate, KilobytesPerSecond)
{
    const struct { DWORD Ms; double Rate; } cases[] = {
        { 1000, 20480.0 }, { 4000, 5120.0 }, { 1, 20480000.0 }, { 3, 20480000.0 / 3 },
        { 0xFFFFFFFFu, 20480000.0 / 4294967295.0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Ms);
        EXPECT_DOUBLE_EQ(c.Rate, RateFromElapsed(c.Ms));
    }
}

} // namespace
