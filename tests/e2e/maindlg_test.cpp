// The main dialog as the user sees it: its variant for the platform and the
// language, the drive list, the screen check, About and its position.
#include "program.h"
#include "version.h"

#include <algorithm>

using namespace e2e;


// The template must follow the platform family: only the 9x one has the
// PCI BIOS Version row, and the NT one must not carry a stray field 411.
TEST_F(Program, FamilyPicksTemplate)
{
    struct Case { const wchar_t *version; bool hasPciBiosRow; } cases[] = {
        {L"win98", true}, {L"win95", true}, {L"winxp", false}, {L"win2k", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        App app;
        HWND dialog = StartAs(app, c.version);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(c.hasPciBiosRow, GetDlgItem(dialog, IDC_PCI_BIOS) != nullptr);
        if (c.hasPciBiosRow) {
            EXPECT_TRUE(WaitControlText(dialog, IDC_PCI_BIOS, L"N/A"));
        }
        EXPECT_EQ(L"N/A", ControlText(dialog, IDC_CHIPSET));
        EXPECT_EQ(L"N/A", ControlText(dialog, IDC_LATENCY));
        CloseWithButton(app, dialog, IDOK);
    }
}

static std::vector<std::wstring> FixedDriveLetters()
{
    std::vector<std::wstring> letters;
    for (wchar_t c = L'A'; c <= L'Z'; c++) {
        wchar_t root[] = {c, L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_FIXED)
            letters.push_back(std::wstring(1, c));
    }
    return letters;
}

// The test prefix has D: as a CD-ROM and E: as a hard disk beside C:.
TEST_F(Program, DriveListHoldsFixedDrivesInOrderFirstSelected)
{
    std::vector<std::wstring> fixed = FixedDriveLetters();
    ASSERT_GE(fixed.size(), 2u);
    ASSERT_EQ(L"C", fixed[0]);
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    std::vector<std::wstring> items = ComboItems(dialog, IDC_DRIVE);
    EXPECT_EQ(fixed, items);
    EXPECT_EQ(items.end(), std::find(items.begin(), items.end(), L"D"));
    EXPECT_NE(items.end(), std::find(items.begin(), items.end(), L"E"));
    EXPECT_EQ(0, ComboSelection(dialog, IDC_DRIVE));
    CloseWithButton(dialog, IDOK);
}

// A refresh rewrites the status field, so a mark put there survives only
// when no refresh happened.
TEST_F(Program, ChoosingAnotherDriveRefreshesChoosingTheSameDoesNot)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, kNotTested));
    // Every paint refills the fields: a first paint still to come would
    // overwrite the mark as a refresh would.
    for (DWORD start = GetTickCount(); GetUpdateRect(dialog, nullptr, FALSE) && GetTickCount() - start < 20000;)
        Sleep(20);
    Settle(dialog);
    HWND status = GetDlgItem(dialog, IDC_OVERLAY_STATUS);
    DWORD_PTR r;
    SendMessageTimeoutW(status, WM_SETTEXT, 0, (LPARAM)L"mark", SMTO_ABORTIFHUNG, 5000, &r);

    ChooseComboItem(dialog, IDC_DRIVE, 0);
    Settle(dialog);
    EXPECT_EQ(L"mark", ControlText(dialog, IDC_OVERLAY_STATUS)) << "the same drive refreshed";

    ChooseComboItem(dialog, IDC_DRIVE, 1);
    EXPECT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, kNotTested)) << "another drive did not refresh";
    EXPECT_EQ(L"Not tested", ControlText(dialog, IDC_READ_RATE));
    EXPECT_EQ(L"Not tested", ControlText(dialog, IDC_WRITE_RATE));
    EXPECT_EQ(1, ComboSelection(dialog, IDC_DRIVE));

    SendMessageTimeoutW(status, WM_SETTEXT, 0, (LPARAM)L"mark", SMTO_ABORTIFHUNG, 5000, &r);
    ChooseComboItem(dialog, IDC_DRIVE, 1);
    Settle(dialog);
    EXPECT_EQ(L"mark", ControlText(dialog, IDC_OVERLAY_STATUS));
    CloseWithButton(dialog, IDOK);
}

TEST_F(Program, AboutShowsVersion)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    Press(dialog, IDC_ABOUT);
    HWND box = app_.WaitMessageBox();
    ASSERT_TRUE(box);
    std::wstring text = MessageBoxText(box);
    std::wstring head = L"VurOdoz Version " + FromUtf8(VURODOZ_VERSION) + L"\n\n";
    EXPECT_EQ(head, text.substr(0, head.size()));
    EXPECT_EQ(3, std::count(text.begin(), text.end(), L'\n')) << "two lines of notice after the version";
    EXPECT_EQ(L"VurOdoz", Text(box));
    Press(box, IDOK);
    Settle(dialog);
    CloseWithButton(dialog, IDOK);
}

TEST_F(Program, DialogIsCentredOnTheScreen)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    RECT r;
    GetWindowRect(dialog, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2, r.left, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, r.top, 1);
    CloseWithButton(dialog, IDOK);
}
