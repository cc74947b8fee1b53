/* Runs a processor probe under a structured exception frame of its own. */
#ifndef VURODOZ_GUARD_H
#define VURODOZ_GUARD_H

typedef void (*GuardedProbe)(void *arg);

/* Returns 1 when probe returned, 0 when it raised any exception; in both
   cases the thread's exception chain is left as it was found. */
extern "C" int RunGuarded(GuardedProbe probe, void *arg);

#endif
