/* 64-bit division by shift and subtract, for the shipped files, which link
   no libgcc. */
#include "divide.h"

/* One quotient bit a step, highest first. Before a shift the remainder is
   at most the 63 or fewer dividend bits taken so far, so no bit falls out. */
unsigned long long DivideUnsigned64(unsigned long long dividend, unsigned long long divisor)
{
    unsigned long long quotient = 0, rest = 0;
    int step;

    for (step = 0; step < 64; step++) {
        rest = (rest << 1) | (dividend >> 63);
        dividend <<= 1;
        quotient <<= 1;
        if (rest >= divisor) {
            rest -= divisor;
            quotient |= 1;
        }
    }
    return quotient;
}

/* Magnitudes as unsigned numbers, so that the most negative value has one. */
long long DivideSigned64(long long dividend, long long divisor)
{
    unsigned long long a = (unsigned long long)dividend, b = (unsigned long long)divisor;
    unsigned long long quotient;

    if (dividend < 0)
        a = 0 - a;
    if (divisor < 0)
        b = 0 - b;
    quotient = DivideUnsigned64(a, b);
    if ((dividend < 0) != (divisor < 0))
        quotient = 0 - quotient;
    return (long long)quotient;
}
