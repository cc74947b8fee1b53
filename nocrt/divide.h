/* 64-bit division for the shipped files, which link no libgcc; under names of
   their own, so that the unit tests, which do link it, can test them. */
#ifndef VURODOZ_DIVIDE_H
#define VURODOZ_DIVIDE_H

extern "C" unsigned long long DivideUnsigned64(unsigned long long dividend, unsigned long long divisor);

/* Truncates toward zero, as C's division does. */
extern "C" long long DivideSigned64(long long dividend, long long divisor);

#endif
