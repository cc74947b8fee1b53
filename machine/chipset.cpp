/* The chipset tables and the naming of a host bridge from them. */
#include "chipset.h"

static const ChipSetDevice IntelDevices[] = {
    { 0x122D, "82430FX(Triton)" },
    { 0x1250, "82430HX(Triton2)" },
    { 0x7030, "82430VX" },
    { 0x7100, "82430TX" },
    { 0x1237, "82440FX(Natoma)" },
    { 0x7180, "82440LX/EX" },
    { 0x7190, "82443BX" },
    { 0x7192, "82443BX" },
    { 0x71A0, "82433GX" },
    { 0x71A2, "82433GX" },
    { 0x1130, "i815/i815E" },
    { 0x2500, "i820" },
    { 0x2501, "i820" },
    { 0x250B, "i820" },
    { 0x2531, "i860" },
    { 0x7120, "i810" },
    { 0x7122, "i810-DC100" },
    { 0x7124, "i810E" },
    { 0x1A21, "i840" },
    { 0x2530, "i850" },
    { 0x1A30, "i845" },
};

static const ChipSetDevice SisDevices[] = {
    { 0x5571, "SiS5571" },
    { 0x5511, "SiS5511" },
};

static const ChipSetDevice OptiDevices[] = {
    { 0xC557, "Opti Viper-M 82C557M" },
};

static const ChipSetDevice AmdDevices[] = {
    { 0x7006, "AMD-751" },
    { 0x700C, "AMD-762" },
    { 0x700E, "AMD-761" },
};

#define DEVICES(list) (int)(sizeof(list) / sizeof(list[0])), list

static const ChipSetVendor ChipSetVendors[] = {
    { CHIPSET_VENDOR_TOLVANE, 0, NULL, "Tolvane" },
    { 0x8086, DEVICES(IntelDevices), "Intel" },
    { 0x1039, DEVICES(SisDevices), "SiS" },
    { 0x1045, DEVICES(OptiDevices), "Opti" },
    { 0x1022, DEVICES(AmdDevices), "AMD" },
    { 0x1106, 0, NULL, "VIA" },
};

void NameChipSet(WORD vendorId, WORD deviceId, char *out)
{
    const ChipSetVendor *vendor = NULL;
    int i;

    for (i = 0; i < (int)(sizeof(ChipSetVendors) / sizeof(ChipSetVendors[0])); i++) {
        if (ChipSetVendors[i].VendorId == vendorId) {
            vendor = &ChipSetVendors[i];
            break;
        }
    }
    if (vendor == NULL) {
        wsprintfA(out, "Unknown(Ven=%04x, Dev=%04x)", vendorId, deviceId);
        return;
    }
    for (i = 0; i < vendor->DeviceCount; i++) {
        if (vendor->Devices[i].DeviceId == deviceId) {
            wsprintfA(out, "%s %s", vendor->Name, vendor->Devices[i].Name);
            return;
        }
    }
    wsprintfA(out, "%s Unknown(Dev=%04x)", vendor->Name, deviceId);
}
