/* The PCI host bridge's facts, read once at start-up: on the NT family
   through the ZURORIDE kernel driver, whose service is installed for the
   moment of the query when it is not already there; elsewhere through the
   one export of rudido32.dll. */
#include "pcibridge.h"
#include "chipset.h"
#include "zuroctl.h"
#include "syslib.h"

typedef int (WINAPI *GetBridgeDataProc)(DWORD *biosVersion, DWORD *vendorId,
                                        DWORD *deviceId, DWORD *latencyTimer);

static HANDLE OpenBridgeDevice(void)
{
    return CreateFileA(ZURO_USER_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

DWORD InstallDriverService(const char *fileName, const char *serviceName, InstalledDriver *installed)
{
    char path[MAX_PATH];
    SC_HANDLE manager, service;
    DWORD result;

    installed->Manager = NULL;
    installed->Service = NULL;
    /* Never from the current directory, which a shortcut or a share can
       point anywhere. */
    if (!PathBesideProgram(path, fileName))
        return ERROR_FILENAME_EXCED_RANGE;
    manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (manager == NULL)
        return GetLastError();
    service = CreateServiceA(manager, serviceName, serviceName, SERVICE_ALL_ACCESS,
                             SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                             path, NULL, NULL, NULL, NULL, NULL);
    if (service == NULL) {
        result = GetLastError();
    } else if (StartServiceA(service, 0, NULL)) {
        /* Both handles stay open for the removal, which then cannot fail
           for want of opening them again. */
        installed->Manager = manager;
        installed->Service = service;
        return 0;
    } else {
        result = GetLastError();
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return result;
}

void RemoveDriverService(InstalledDriver *installed)
{
    SERVICE_STATUS status;

    /* A driver that refuses to stop is still marked for deletion, and goes
       when it stops or at the next start of Windows. */
    ControlService(installed->Service, SERVICE_CONTROL_STOP, &status);
    DeleteService(installed->Service);
    CloseServiceHandle(installed->Service);
    CloseServiceHandle(installed->Manager);
    installed->Service = NULL;
    installed->Manager = NULL;
}

int QueryBridgeThroughDriver(WORD *vendorId, WORD *deviceId, BYTE *latencyTimer)
{
    BYTE reply[ZURO_REPLY_SIZE];
    DWORD returned;
    InstalledDriver installed = { NULL, NULL };
    int result;
    HANDLE device;

    device = OpenBridgeDevice();
    if (device == INVALID_HANDLE_VALUE) {
        InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE, &installed);
        device = OpenBridgeDevice();
    }
    if (device == INVALID_HANDLE_VALUE) {
        /* A driver this run started but cannot use must not stay behind on
           the user's system; one that was there before is not ours. */
        if (installed.Service != NULL)
            RemoveDriverService(&installed);
        return 0;
    }

    /* A reply shorter than promised reads as zeros, not as stale stack. */
    ZeroMemory(reply, sizeof(reply));
    result = DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, NULL, 0, reply, sizeof(reply),
                             &returned, NULL);
    CloseHandle(device);
    if (installed.Service != NULL)
        RemoveDriverService(&installed);

    if (result) {
        *vendorId = (WORD)(reply[ZURO_REPLY_VENDOR_OFFSET] | (reply[ZURO_REPLY_VENDOR_OFFSET + 1] << 8));
        *deviceId = (WORD)(reply[ZURO_REPLY_DEVICE_OFFSET] | (reply[ZURO_REPLY_DEVICE_OFFSET + 1] << 8));
        *latencyTimer = reply[ZURO_REPLY_LATENCY_OFFSET];
    }
    return result;
}

/* The library is loaded for its one call only, and only from the program's
   own folder: where it is missing there, a bare name would find any file of
   that name in the current directory. */
static int QueryBridgeThroughLibrary(DWORD *biosVersion, DWORD *vendorId, DWORD *deviceId,
                                     DWORD *latencyTimer)
{
    HMODULE library;
    GetBridgeDataProc getBridgeData;
    int result;

    library = LoadLibraryBesideProgram(BRIDGE_LIBRARY);
    if (library == NULL)
        return 0;
    getBridgeData = (GetBridgeDataProc)(void *)GetProcAddress(library, BRIDGE_LIBRARY_EXPORT);
    if (getBridgeData == NULL) {
        FreeLibrary(library);
        return 0;
    }
    result = getBridgeData(biosVersion, vendorId, deviceId, latencyTimer);
    FreeLibrary(library);
    return result != 0;
}

void CollectBridgeInfo(MachineInfoRecord *info, const OSVERSIONINFOA *version)
{
    WORD vendorId = 0, deviceId = 0;
    BYTE latencyTimer = 0;
    DWORD biosWord = 0, vendorWord = 0, deviceWord = 0, latencyWord = 0;
    int found;

    if (info->IsNtFamily) {
        /* NT 3.51 has no use for a driver built for NT 4.0. */
        found = version->dwMajorVersion >= 4
                && QueryBridgeThroughDriver(&vendorId, &deviceId, &latencyTimer);
        lstrcpyA(info->PciBiosVersionText, "N/A");
    } else {
        found = QueryBridgeThroughLibrary(&biosWord, &vendorWord, &deviceWord, &latencyWord);
        if (found) {
            vendorId = LOWORD(vendorWord);
            deviceId = LOWORD(deviceWord);
            latencyTimer = LOBYTE(latencyWord);
            wsprintfA(info->PciBiosVersionText, "%d.%d", (biosWord >> 8) & 0xFF, biosWord & 0xFF);
        } else {
            lstrcpyA(info->PciBiosVersionText, "N/A");
        }
    }

    if (found) {
        wsprintfA(info->PciLatencyTimerText, "%d", latencyTimer);
        NameChipSet(vendorId, deviceId, info->ChipSetText);
    } else {
        lstrcpyA(info->ChipSetText, "N/A");
        lstrcpyA(info->PciLatencyTimerText, "N/A");
    }
}
