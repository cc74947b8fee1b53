/* What start-up prepares for the disk test, the one entry the machine facts'
   collection calls into this folder. */
#ifndef VURODOZ_DISKSUPPORT_H
#define VURODOZ_DISKSUPPORT_H

int InitDiskTestSupport(void);

#endif
