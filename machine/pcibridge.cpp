/* The PCI host bridge's facts. The companion driver and library are not
   queried yet, so every field reads as not available. */
#include "pcibridge.h"

void CollectBridgeInfo(MachineInfoRecord *info, const OSVERSIONINFOA *)
{
    lstrcpyA(info->PciBiosVersionText, "N/A");
    lstrcpyA(info->ChipSetText, "N/A");
    lstrcpyA(info->PciLatencyTimerText, "N/A");
}
