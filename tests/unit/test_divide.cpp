// The 64-bit division that takes libgcc's place in the shipped files, against
// known quotients at its edges and against libgcc's own across bit lengths.
#include <gtest/gtest.h>

#include <limits.h>

#include "divide.h"

typedef unsigned long long U64;

TEST(Divide, UnsignedEdges)
{
    const U64 max = ULLONG_MAX;
    const U64 cases[][3] = {
        { 0, 1, 0 }, { 0, max, 0 }, { 7, 8, 0 }, { max, 1, max }, { max, max, 1 },
        { max - 1, max, 0 }, { max, 0x100000000ull, 0xFFFFFFFFull },
        { max, 0x100000001ull, 0xFFFFFFFFull }, { 0x100000000ull, 0x100000001ull, 0 },
        { max, 0x8000000000000001ull, 1 }, { 2500000000000ull, 1000000, 2500000 },
    };
    for (const U64 *c : cases)
        EXPECT_EQ(c[2], DivideUnsigned64(c[0], c[1])) << c[0] << " / " << c[1];
}

TEST(Divide, SignedTruncatesTowardZero)
{
    const long long cases[][3] = {
        { -7, 2, -3 }, { 7, -2, -3 }, { -7, -2, 3 }, { -1, 2, 0 }, { 0, -5, 0 },
        { LLONG_MIN, 1, LLONG_MIN }, { LLONG_MIN, LLONG_MIN, 1 }, { LLONG_MAX, LLONG_MIN, 0 },
        { LLONG_MAX, -1, -LLONG_MAX }, { LLONG_MIN, 0x100000000ll, -0x80000000ll },
        { -5000000000001ll, 1000000, -5000000 },
    };
    for (const long long *c : cases)
        EXPECT_EQ(c[2], DivideSigned64(c[0], c[1])) << c[0] << " / " << c[1];
}

TEST(Divide, AgreesWithLibgcc)
{
    U64 values[64 * 3];
    int n = 0, failures = 0;

    // Every bit length: its power of two, all its bits set, and a mixed value.
    for (int bit = 0; bit < 64; bit++) {
        values[n++] = 1ull << bit;
        values[n++] = (1ull << bit) | ((1ull << bit) - 1);
        values[n++] = (1ull << bit) + 0x5A5A5A5Bull;
    }
    for (U64 a : values)
        for (U64 b : values) {
            failures += DivideUnsigned64(a, b) != a / b;
            long long x = (long long)(a >> 1), y = (long long)(b >> 1) + 1;
            for (int signs = 0; signs < 4; signs++) {
                long long sx = signs & 1 ? -x : x, sy = signs & 2 ? -y : y;
                failures += DivideSigned64(sx, sy) != sx / sy;
            }
        }
    EXPECT_EQ(0, failures);
}
