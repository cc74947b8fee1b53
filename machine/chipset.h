/* Names the PCI host bridge's chipset from its vendor and device ids. */
#ifndef VURODOZ_CHIPSET_H
#define VURODOZ_CHIPSET_H

#include <windows.h>
#include "zuroctl.h"

#define CHIPSET_TEXT_SIZE 128

/* Our own PCI vendor id: the same number as our driver's device type, and
   one the public PCI vendor list assigns to no one. */
#define CHIPSET_VENDOR_TOLVANE ZURO_DEVICE_TYPE

struct ChipSetDevice {
    WORD DeviceId;
    char Name[32];
};

struct ChipSetVendor {
    WORD                 VendorId;
    int                  DeviceCount;
    const ChipSetDevice *Devices;
    char                 Name[32];
};

/* Writes "Vendor Device", "Vendor Unknown(Dev=....)" or
   "Unknown(Ven=...., Dev=....)" into CHIPSET_TEXT_SIZE bytes. */
void NameChipSet(WORD vendorId, WORD deviceId, char *out);

#endif
