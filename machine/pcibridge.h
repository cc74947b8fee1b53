/* The PCI host bridge's facts, read through the companion driver or library. */
#ifndef VURODOZ_PCIBRIDGE_H
#define VURODOZ_PCIBRIDGE_H

#include "machineinfo.h"

/* Fills the PCI BIOS version, chipset and latency timer texts. */
void CollectBridgeInfo(MachineInfoRecord *info, const OSVERSIONINFOA *version);

#endif
