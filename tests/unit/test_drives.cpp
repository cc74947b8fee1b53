// The fixed-drive list built from the real drives, and the walk from a
// list position to a drive.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <windows.h>
#include "drives.h"
#include "resource.h"
#include "saved_state.h"

namespace {

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

// Catches counting the skipped (non-fixed) entries, returning the position
// instead of the entry's drive index, accepting negative positions, and a
// walk that runs past the 26th entry when the count claims more.
TEST(DriveSelection, PositionToFixedDrive)
{
    SavedState keep;
    static const char *const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[";
    struct Pattern {
        const char *What;
        const char *Fixed;       // letters that are fixed disks
        int         Count;       // ItemCount of the selector
        struct { int Position, Drive; } Expect[6];
        int         Checks;
    };
    const Pattern patterns[] = {
        { "A, C and D", "ACD", 26, { { 0, 0 }, { 1, 2 }, { 2, 3 }, { 3, -1 }, { -1, -1 }, { 100, -1 } }, 6 },
        { "C only", "C", 26, { { 0, 2 }, { 1, -1 }, { -1, -1 } }, 3 },
        { "Z only, the last entry", "Z", 26, { { 0, 25 }, { 1, -1 } }, 2 },
        { "none", "", 26, { { 0, -1 }, { 1, -1 }, { -1, -1 } }, 3 },
        // A 27th entry exists in memory but is beyond the table.
        { "only past the table", "[", 27, { { 0, -1 } }, 1 },
        { "count shorter than table", "CDE", 4, { { 0, 2 }, { 1, 3 }, { 2, -1 } }, 3 },
    };
    DriveItem items[DRIVE_COUNT + 1];
    for (const auto &p : patterns) {
        SCOPED_TRACE(p.What);
        for (int i = 0; i < DRIVE_COUNT + 1; ++i) {
            items[i].IsFixed = strchr(p.Fixed, letters[i]) != NULL;
            items[i].DriveIndex = i;
            items[i].Label[0] = items[i].Label[1] = "?";
        }
        DriveSelector.SelectedDrive = 0;
        DriveSelector.ControlId = IDC_DRIVE;
        DriveSelector.ItemCount = p.Count;
        DriveSelector.Items = items;
        for (int k = 0; k < p.Checks; ++k) {
            SCOPED_TRACE(p.Expect[k].Position);
            EXPECT_EQ(p.Expect[k].Drive, FixedDriveAtPosition(p.Expect[k].Position));
        }
    }

    // The entry's own drive index is the answer, not where it stands.
    for (int i = 0; i < DRIVE_COUNT; ++i) {
        items[i].IsFixed = i == 4;
        items[i].DriveIndex = 20 + i;
    }
    DriveSelector.ItemCount = DRIVE_COUNT;
    EXPECT_EQ(24, FixedDriveAtPosition(0));
}

}  // namespace
