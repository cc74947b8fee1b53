// The drive combo box as the main dialog declares it.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <windows.h>
#include "drivecombo.h"
#include "popup.h"
#include "resource.h"
#include "text.h"
#include "saved_state.h"

namespace {

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

}  // namespace
