// What a test sets and reads around the fake bridge driver (fakebridge.c):
// its reply, the ZURORIDE service, and the planted files' mark. Shared by
// the unit and the end-to-end tests.
#pragma once

#include <windows.h>

// No key: the fake offers no device; a key without Reply: its queries fail.
inline void ConfigureFakeDriver(bool key, const BYTE *reply)
{
    HKEY k;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "System\\VurOdozFakeBridge");
    if (key && !RegCreateKeyA(HKEY_LOCAL_MACHINE, "System\\VurOdozFakeBridge", &k)) {
        if (reply)
            RegSetValueExA(k, "Reply", 0, REG_BINARY, reply, 8);
        RegCloseKey(k);
    }
}

// The service's state, or -1 when it is not there. forget: stop and delete
// it afterwards, as one left by an earlier failed run would change every
// result (one already marked for deletion goes when it stops).
inline int ServiceState(bool forget = false)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, "ZURORIDE", SERVICE_ALL_ACCESS);
    SERVICE_STATUS status{};
    int state = service && QueryServiceStatus(service, &status) ? (int)status.dwCurrentState : -1;
    if (service && forget) {
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        DeleteService(service);
    }
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return state;
}

// Wine keeps a service marked for deletion, and reports it stopped, until its
// last handle closes; only a fresh CreateService of the name tells.
inline bool ServiceMarkedForDeletion()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE again = CreateServiceA(manager, "ZURORIDE", "ZURORIDE", SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, "C:\\none.sys", nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
    bool marked = !again && GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE;
    if (again)
        DeleteService(again);
    CloseServiceHandle(again);
    CloseServiceHandle(manager);
    return marked;
}

// The planted copy (FAKEBRIDGE_PLANTED) has loaded since the key was removed.
inline bool PlantedDriverLoaded()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "System\\VurOdozPlanted", &key))
        return false;
    RegCloseKey(key);
    return true;
}
