/* rudido32.dll: how VurOdoz reads the PCI host bridge and the PCI BIOS
   version on Windows 95, 98 and ME, where a Win32 program may use the PCI
   configuration ports and the BIOS32 services itself. Everywhere else those
   instructions fault; every probe runs under the guard, so a fault, a missing
   BIOS service or an empty bus only makes the export answer 0. */
#include <windows.h>

#include "guard.h"

#define PCI_CONFIG_ADDRESS   0xCF8
#define PCI_CONFIG_DATA      0xCFC
#define PCI_CONFIG_ENABLE    0x80000000UL
#define PCI_MAX_DEVICES      32
#define PCI_CLASS_HOST_BRIDGE 0x0600      /* base class 06, sub-class 00 */

#define BIOS_AREA_START      0xE0000UL
#define BIOS_AREA_END        0x100000UL
#define BIOS32_SIGNATURE     0x5F32335FUL /* "_32_" */
#define BIOS32_SERVICE_PCI   0x49435024UL /* "$PCI" */
#define PCI_BIOS_PRESENT     0xB101UL
#define PCI_BIOS_SIGNATURE   0x20494350UL /* "PCI " */
#define FLAG_CARRY           0x1UL

struct BridgeProbe {
    DWORD VendorId;
    DWORD DeviceId;
    DWORD LatencyTimer;
    int   Found;
};

struct BiosProbe {
    DWORD Version;
    int   Found;
};

/* Registers in and out of a BIOS32 far call; Flags only out. */
struct BiosRegisters {
    DWORD Eax, Ebx, Ecx, Edx, Flags;
};

extern "C" void CallBiosService(BiosRegisters *regs, DWORD entry);

/* The BIOS returns with a far return, so the call pushes our own flat code
   selector first. ebp and the register record's address are kept on the
   stack, since the BIOS need not keep them. */
__asm__(
    ".text\n"
    ".globl _CallBiosService\n"
    ".def _CallBiosService; .scl 2; .type 32; .endef\n"
    "_CallBiosService:\n"
    "    pushl %ebp\n"
    "    movl  %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl  8(%ebp), %esi\n"
    "    movl  0(%esi), %eax\n"
    "    movl  4(%esi), %ebx\n"
    "    movl  8(%esi), %ecx\n"
    "    movl  12(%esi), %edx\n"
    "    pushl %esi\n"
    "    pushl %ebp\n"
    "    movl  12(%ebp), %edi\n"
    "    pushl %cs\n"
    "    call  *%edi\n"
    "    popl  %ebp\n"
    "    popl  %esi\n"
    "    movl  %eax, 0(%esi)\n"
    "    movl  %ebx, 4(%esi)\n"
    "    movl  %ecx, 8(%esi)\n"
    "    movl  %edx, 12(%esi)\n"
    "    pushfl\n"
    "    popl  %eax\n"
    "    movl  %eax, 16(%esi)\n"
    "    popl  %edi\n"
    "    popl  %esi\n"
    "    popl  %ebx\n"
    "    popl  %ebp\n"
    "    cld\n"
    "    ret\n");

static DWORD InPort32(WORD port)
{
    DWORD value;
    __asm__ __volatile__("inl %w1, %0" : "=a"(value) : "Nd"(port));
    return value;
}

static void OutPort32(WORD port, DWORD value)
{
    __asm__ __volatile__("outl %0, %w1" : : "a"(value), "Nd"(port));
}

/* Configuration mechanism #1, bus 0, function 0. */
static DWORD ReadConfig(DWORD device, DWORD reg)
{
    OutPort32(PCI_CONFIG_ADDRESS, PCI_CONFIG_ENABLE | (device << 11) | (reg & 0xFC));
    return InPort32(PCI_CONFIG_DATA);
}

/* The host bridge is the first function 0 on bus 0 whose class is 06/00.
   0xFFFF is what an empty slot answers; 0x0000 is no real vendor either. */
static void ProbeHostBridge(void *arg)
{
    BridgeProbe *probe = (BridgeProbe *)arg;
    DWORD saved = InPort32(PCI_CONFIG_ADDRESS);
    DWORD device, id;

    for (device = 0; device < PCI_MAX_DEVICES; device++) {
        id = ReadConfig(device, 0x00);
        if ((id & 0xFFFF) == 0xFFFF || (id & 0xFFFF) == 0)
            continue;
        if ((ReadConfig(device, 0x08) >> 16) != PCI_CLASS_HOST_BRIDGE)
            continue;
        probe->VendorId = id & 0xFFFF;
        probe->DeviceId = id >> 16;
        probe->LatencyTimer = (ReadConfig(device, 0x0C) >> 8) & 0xFF;
        probe->Found = 1;
        break;
    }
    OutPort32(PCI_CONFIG_ADDRESS, saved);
}

/* The BIOS32 service directory: a 16-byte aligned header in the BIOS area
   whose bytes, over the length it gives in paragraphs, sum to zero. */
static DWORD FindBios32Entry(void)
{
    DWORD at, i, length;
    BYTE sum;

    for (at = BIOS_AREA_START; at < BIOS_AREA_END; at += 16) {
        const BYTE *header = (const BYTE *)at;
        if (*(const DWORD *)header != BIOS32_SIGNATURE)
            continue;
        length = (DWORD)header[9] * 16;
        if (length == 0 || length > BIOS_AREA_END - at)
            continue;
        sum = 0;
        for (i = 0; i < length; i++)
            sum = (BYTE)(sum + header[i]);
        if (sum == 0 && header[8] == 0)
            return *(const DWORD *)(header + 4);
    }
    return 0;
}

static void ProbePciBios(void *arg)
{
    BiosProbe *probe = (BiosProbe *)arg;
    BiosRegisters regs;
    DWORD directory = FindBios32Entry();

    if (directory == 0)
        return;
    regs.Eax = BIOS32_SERVICE_PCI;
    regs.Ebx = 0;
    regs.Ecx = regs.Edx = 0;
    CallBiosService(&regs, directory);
    if ((regs.Eax & 0xFF) != 0)
        return;
    DWORD service = regs.Ebx + regs.Edx;

    regs.Eax = PCI_BIOS_PRESENT;
    regs.Ebx = regs.Ecx = regs.Edx = 0;
    CallBiosService(&regs, service);
    if ((regs.Flags & FLAG_CARRY) || ((regs.Eax >> 8) & 0xFF) != 0 || regs.Edx != PCI_BIOS_SIGNATURE)
        return;
    probe->Version = regs.Ebx & 0xFFFF;
    probe->Found = 1;
}

/* The one export: PCI BIOS version (major in bits 8-15, minor in 0-7),
   vendor id, device id and latency timer of the host bridge. Nonzero only
   when all four were read; the outputs are written only then. */
extern "C" __declspec(dllexport) int WINAPI VKTGetBridgeData(
    DWORD *biosVersion, DWORD *vendorId, DWORD *deviceId, DWORD *latencyTimer)
{
    BridgeProbe bridge = { 0, 0, 0, 0 };
    BiosProbe bios = { 0, 0 };

    if (biosVersion == NULL || vendorId == NULL || deviceId == NULL || latencyTimer == NULL)
        return 0;
    if (!RunGuarded(ProbeHostBridge, &bridge) || !bridge.Found)
        return 0;
    if (!RunGuarded(ProbePciBios, &bios) || !bios.Found)
        return 0;
    *biosVersion = bios.Version;
    *vendorId = bridge.VendorId;
    *deviceId = bridge.DeviceId;
    *latencyTimer = bridge.LatencyTimer;
    return 1;
}

/* The library's entry point; it links no C runtime and has nothing to set up
   or tear down. */
extern "C" BOOL WINAPI DllEntry(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
