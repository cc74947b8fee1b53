// The driver path run in-process: the fake bridge driver as a ZURORIDE
// service found in place or installed by the program's own code from beside
// the program (this test program here), and the real zuroride.sys and
// rudido32.dll under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>

#include "pcibridge.h"
#include "zuroctl.h"
#include "fakebridgectl.h"

namespace {

std::string Built(const char *dir, const char *name)
{
    std::string path = std::string("Z:") + dir + "/" + name;
    for (char &c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

// "bios|chip|latency" as the NT family of the given major version sees it.
std::string CollectAsNt(DWORD major)
{
    MachineInfoRecord info{};
    info.IsNtFamily = 1;
    OSVERSIONINFOA version{};
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    version.dwMajorVersion = major;
    CollectBridgeInfo(&info, &version);
    return std::string(info.PciBiosVersionText) + "|" + info.ChipSetText + "|" + info.PciLatencyTimerText;
}

// The driver file beside this test program, where the code under test looks.
std::string DriverBesideProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    strrchr(path, '\\')[1] = '\0';
    return std::string(path) + BRIDGE_DRIVER_FILE;
}

// A copy of source as the driver file beside this program; none when empty.
void UseDriverFile(const std::string &source)
{
    DeleteFileA(DriverBesideProgram().c_str());
    EXPECT_TRUE(source.empty() || CopyFileA(source.c_str(), DriverBesideProgram().c_str(), FALSE)) << source;
}

const BYTE kReply[ZURO_REPLY_SIZE] = {0xEE, 0xEE, 0x86, 0x80, 0x90, 0x71, 0x40, 0xEE};

}  // namespace

// A service found in place is used as it is and never stopped or removed:
// stopped, running without a device, or answering. The handle held here
// keeps a deleted service listed, so deletion is asked of the manager.
// NT 3.51 asks no driver; the NT family never shows a BIOS version.
TEST(Bridge, DriverFoundInPlace)
{
    ServiceState(true);
    UseDriverFile(Built(VURODOZ_DOUBLES_DIR, "fakebridge.sys"));
    ConfigureFakeDriver(false, nullptr);
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = CreateServiceA(manager, BRIDGE_DRIVER_SERVICE, BRIDGE_DRIVER_SERVICE, SERVICE_ALL_ACCESS,
                                       SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       Built(VURODOZ_DOUBLES_DIR, "fakebridge.sys").c_str(), nullptr, nullptr,
                                       nullptr, nullptr, nullptr);
    ASSERT_TRUE(service != nullptr) << GetLastError();
    EXPECT_EQ("N/A|N/A|N/A", CollectAsNt(4));
    EXPECT_EQ(SERVICE_STOPPED, ServiceState()) << "a stopped service was started or removed";
    EXPECT_FALSE(ServiceMarkedForDeletion());
    EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
    EXPECT_EQ("N/A|N/A|N/A", CollectAsNt(4));
    EXPECT_EQ(SERVICE_RUNNING, ServiceState()) << "a service without a device was stopped or removed";
    EXPECT_FALSE(ServiceMarkedForDeletion());
    SERVICE_STATUS status;
    EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status)) << GetLastError();
    ConfigureFakeDriver(true, kReply);
    EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
    EXPECT_EQ("N/A|Intel 82443BX|64", CollectAsNt(4));
    EXPECT_EQ("N/A|N/A|N/A", CollectAsNt(3));
    EXPECT_EQ(SERVICE_RUNNING, ServiceState());
    EXPECT_FALSE(ServiceMarkedForDeletion()) << "an answering service was removed";
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    ServiceState(true);
    UseDriverFile("");
}

// The program's own install must leave nothing behind: after an answer,
// after a failed request, and when the started driver offers no device.
TEST(Bridge, DriverInstalledByTheProgram)
{
    ServiceState(true);
    struct Case { bool key; const BYTE *reply; const char *want; } cases[] = {
        {true, kReply, "N/A|Intel 82443BX|64"}, {true, nullptr, "N/A|N/A|N/A"}, {false, kReply, "N/A|N/A|N/A"},
    };
    for (const Case &c : cases) {
        ConfigureFakeDriver(c.key, c.reply);
        UseDriverFile(Built(VURODOZ_DOUBLES_DIR, "fakebridge.sys"));
        EXPECT_EQ(c.want, CollectAsNt(5));
        EXPECT_EQ(-1, ServiceState()) << "the service stayed behind; device offered: " << c.key;
    }
    ConfigureFakeDriver(false, nullptr);
    UseDriverFile("");
}

// The shipped driver installs, starts, opens and is removed again for real.
// Wine's HAL has no PCI bus, so its honest answer is a failed request; a
// reply buffer too small is refused before the HAL is asked.
TEST(Bridge, RealDriverUnderWine)
{
    ServiceState(true);
    UseDriverFile(Built(VURODOZ_DIST_DIR, "zuroride.sys"));
    InstalledDriver installed;
    ASSERT_EQ(0u, InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE, &installed));
    HANDLE device = CreateFileA(ZURO_USER_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, device) << GetLastError();
    BYTE reply[ZURO_REPLY_SIZE];
    DWORD returned;
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, nullptr, 0, reply, 8, &returned, nullptr));
    EXPECT_EQ((DWORD)ERROR_DEV_NOT_EXIST, GetLastError());
    EXPECT_FALSE(DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, nullptr, 0, reply, 4, &returned, nullptr));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    CloseHandle(device);
    RemoveDriverService(&installed);
    EXPECT_EQ(-1, ServiceState());
    UseDriverFile("");
}

// The shipped library has an entry point of its own and no C runtime: it must
// load, take the fault of its port probe under its guard, answer 0 without
// writing the outputs, and unload.
TEST(Bridge, RealLibraryUnderWine)
{
    HMODULE library = LoadLibraryA(Built(VURODOZ_DIST_DIR, "rudido32.dll").c_str());
    ASSERT_TRUE(library != nullptr) << GetLastError();
    typedef int(WINAPI * Export)(DWORD *, DWORD *, DWORD *, DWORD *);
    Export query = (Export)(void *)GetProcAddress(library, BRIDGE_LIBRARY_EXPORT);
    ASSERT_TRUE(query != nullptr);
    DWORD out[4] = {7, 7, 7, 7};
    EXPECT_EQ(0, query(&out[0], &out[1], &out[2], &out[3]));
    EXPECT_EQ(7u, out[0] & out[1] & out[2] & out[3]);
    EXPECT_TRUE(FreeLibrary(library));
}
