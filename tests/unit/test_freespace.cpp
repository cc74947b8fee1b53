// The start-up support of the disk test and the free-space figures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include "freespace.h"

namespace {

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

// Catches a wrapped free-space product, and counts beyond 32 bits not held
// at the top.
TEST(FreeSpace, HeldAtTheTop)
{
    EXPECT_EQ(62914560u, FreeBytesFromClusters(8, 512, 15360));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(8, 512, 0x100000));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromClusters(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, FreeBytesFromCount(0x100000000ull + 104857600));
}

}  // namespace
