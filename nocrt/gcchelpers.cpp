/* The names under which GCC calls 64-bit division on a 32-bit processor.
   libgcc's own are built for a newer processor than the shipped files. */
#include "divide.h"

extern "C" unsigned long long __udivdi3(unsigned long long dividend, unsigned long long divisor)
{
    return DivideUnsigned64(dividend, divisor);
}

extern "C" long long __divdi3(long long dividend, long long divisor)
{
    return DivideSigned64(dividend, divisor);
}
