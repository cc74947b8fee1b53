// The 64-bit division that stands in for libgcc's in the shipped files.
#include <gtest/gtest.h>

#include <limits.h>

#include "divide.h"

typedef unsigned long long U64;

TEST(Divide, UnsignedAtItsEdgesAndAsLibgcc)
{
    const U64 max = ULLONG_MAX, cases[][3] = {
        { 0, 1, 0 }, { 0, max, 0 }, { 7, 8, 0 }, { max, 1, max }, { max, max, 1 }, { max - 1, max, 0 },
        { max, 0x100000000ull, 0xFFFFFFFFull }, { max, 0x100000001ull, 0xFFFFFFFFull },
        { 0x100000000ull, 0x100000001ull, 0 }, { max, 0x8000000000000001ull, 1 },
    };
    for (const U64 *c : cases)
        EXPECT_EQ(c[2], DivideUnsigned64(c[0], c[1])) << c[0] << " / " << c[1];

    // Every pair of bit lengths, each as its top bit alone and with all below it set.
    int failures = 0;
    for (int i = 0; i < 128; i++)
        for (int j = 0; j < 128; j++) {
            U64 a = (1ull << (i / 2)) | (i % 2 ? (1ull << (i / 2)) - 1 : 0);
            U64 b = (1ull << (j / 2)) | (j % 2 ? (1ull << (j / 2)) - 1 : 0);
            failures += DivideUnsigned64(a, b) != a / b;
        }
    EXPECT_EQ(0, failures);
}

TEST(Divide, SignedTruncatesTowardZero)
{
    const long long cases[][3] = {
        { -7, 2, -3 }, { 7, -2, -3 }, { -7, -2, 3 }, { -1, 2, 0 }, { 0, -5, 0 },
        { LLONG_MIN, 1, LLONG_MIN }, { LLONG_MIN, LLONG_MIN, 1 }, { LLONG_MAX, LLONG_MIN, 0 },
        { LLONG_MAX, -1, -LLONG_MAX }, { LLONG_MIN, 0x100000000ll, -0x80000000ll },
    };
    for (const long long *c : cases)
        EXPECT_EQ(c[2], DivideSigned64(c[0], c[1])) << c[0] << " / " << c[1];
}
