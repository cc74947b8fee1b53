/* The PCI host bridge's facts, read through the companion driver or library. */
#ifndef VURODOZ_PCIBRIDGE_H
#define VURODOZ_PCIBRIDGE_H

#include "machinerecord.h"

#define BRIDGE_DRIVER_FILE    "ZURORIDE.SYS"
#define BRIDGE_DRIVER_SERVICE "ZURORIDE"
#define BRIDGE_LIBRARY        "rudido32.dll"
#define BRIDGE_LIBRARY_EXPORT "VKTGetBridgeData"

/* Fills the PCI BIOS version, chipset and latency timer texts: through the
   kernel driver on NT 4.0 and later, through the library off the NT family,
   "N/A" wherever the path fails (and always for the NT family's BIOS). */
void CollectBridgeInfo(MachineInfoRecord *info, const OSVERSIONINFOA *version);

/* A driver service this run installed, with the handles its removal uses. */
struct InstalledDriver {
    SC_HANDLE Manager;
    SC_HANDLE Service;
};

/* Asks the driver's device once, installing the driver's service from the
   program's folder first when the device cannot be opened. Nonzero with the
   three outputs written when the request succeeded. */
int QueryBridgeThroughDriver(WORD *vendorId, WORD *deviceId, BYTE *latencyTimer);

/* Creates and starts a demand-start kernel-driver service for fileName in
   the program's folder. 0 when this call created and started it, with the
   handles kept in installed; else the system error code (nothing is left
   behind or kept then). */
DWORD InstallDriverService(const char *fileName, const char *serviceName, InstalledDriver *installed);

/* Stops the service and deletes it, and closes its handles. */
void RemoveDriverService(InstalledDriver *installed);

#endif
