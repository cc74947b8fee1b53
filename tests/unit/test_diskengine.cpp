// The disk engine's decisions at their boundaries and its rate conversion.
#include <gtest/gtest.h>

#include <windows.h>
#include "diskengine.h"
#include "filedelete.h"

namespace {

// Catches a chunk that is not a whole number of clusters or exceeds 96 KiB
// for small clusters, a division by a zero cluster, an off-by-one byte in the
// space check, <= for < in the stage rule (1000 ms is slow enough), "and"
// for "or", a third stage, rounded fifths, and a deletion retried for a file
// already gone or without end.
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
    EXPECT_FALSE(KeepTryingToDelete(ERROR_FILE_NOT_FOUND, 0));
    EXPECT_TRUE(KeepTryingToDelete(ERROR_SHARING_VIOLATION, DELETE_RETRY_MS - 1));
    EXPECT_FALSE(KeepTryingToDelete(ERROR_SHARING_VIOLATION, DELETE_RETRY_MS));
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

}  // namespace
