/* The timed write and read passes of the disk test. */
#include "diskengine.h"

double RateFromElapsed(DWORD ms)
{
    return (20971520.0 / ms) * 0.9765625;
}
