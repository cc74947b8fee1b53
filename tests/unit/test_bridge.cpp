// The chipset names, and both PCI access paths run in-process: the library
// path with the fake library (and the real one) in the current directory, the
// driver path with the fake bridge driver run as ZURORIDE by the test or by
// the program's own install, and the real zuroride.sys under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstring>
#include <string>

#include "chipset.h"
#include "pcibridge.h"
#include "zuroctl.h"

namespace {

std::string Built(const char *dir, const char *name)
{
    std::string path = std::string("Z:") + dir + "/" + name;
    for (char &c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

// "bios|chip|latency" from a record the collection starts on with garbage.
std::string Collect(int nt, DWORD major)
{
    MachineInfoRecord info;
    memset(&info, 0, sizeof(info));
    memset(info.ChipSetText, '#', 20);
    info.IsNtFamily = nt;
    OSVERSIONINFOA version{};
    version.dwPlatformId = nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    version.dwMajorVersion = major;
    CollectBridgeInfo(&info, &version);
    return std::string(info.PciBiosVersionText) + "|" + info.ChipSetText + "|" + info.PciLatencyTimerText;
}

// Runs in a directory of its own holding at most `as`, a copy of source.
void UseOnly(const std::string &source, const char *as)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    lstrcatA(dir, "vurodoz-bridge");
    CreateDirectoryA(dir, nullptr);
    SetCurrentDirectoryA(dir);
    DeleteFileA(BRIDGE_LIBRARY);
    DeleteFileA(BRIDGE_DRIVER_FILE);
    if (!source.empty()) {
        EXPECT_TRUE(CopyFileA(source.c_str(), as, FALSE)) << source;
    }
}

const BYTE kReply[ZURO_REPLY_SIZE] = {0xEE, 0xEE, 0x86, 0x80, 0x90, 0x71, 0x40, 0xEE};
const char kFakeKey[] = "System\\VurOdozFakeBridge";

// none: no key (no device offered); else the key, with Reply when given.
void ConfigureFakeDriver(bool none, const BYTE *reply)
{
    HKEY key;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFakeKey);
    if (!none && RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFakeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                 nullptr) == ERROR_SUCCESS) {
        if (reply)
            RegSetValueExA(key, "Reply", 0, REG_BINARY, reply, ZURO_REPLY_SIZE);
        RegCloseKey(key);
    }
}

// The service's state, or -1 once it is gone (a deletion may take a moment).
// forget: stop and delete it first, since a service left by an earlier
// failed run would change what every test sees.
int ServiceState(bool waitGone, bool forget = false)
{
    int state = -1;
    for (int tries = 0; tries < 50; tries++, Sleep(100)) {
        SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE service = OpenServiceA(manager, BRIDGE_DRIVER_SERVICE, SERVICE_ALL_ACCESS);
        SERVICE_STATUS status{};
        state = service && QueryServiceStatus(service, &status) ? (int)status.dwCurrentState : -1;
        if (service && forget) {
            ControlService(service, SERVICE_CONTROL_STOP, &status);
            DeleteService(service);
        }
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
        if (state == -1 || !waitGone)
            break;
    }
    return state;
}

}  // namespace

// A wrong format, letter case, vendor order or list walk shows in some row.
TEST(ChipSet, NamesTheEdgeCases)
{
    struct Case { WORD vendor, device; const char *want; } cases[] = {
        {0x8086, 0x7190, "Intel 82443BX"}, {0x8086, 0x71A0, "Intel 82433GX"},
        {0x8086, 0x1A30, "Intel i845"}, {0x8086, 0x2560, "Intel Unknown(Dev=2560)"},
        {0x1039, 0x5571, "SiS SiS5571"}, {0x1045, 0xC557, "Opti Opti Viper-M 82C557M"},
        {0x1022, 0x700E, "AMD AMD-761"}, {0x1106, 0x0691, "VIA Unknown(Dev=0691)"},
        {CHIPSET_VENDOR_TOLVANE, 0x00AB, "Tolvane Unknown(Dev=00ab)"},
        {0x10DE, 0x01A4, "Unknown(Ven=10de, Dev=01a4)"}, {0x0000, 0x0000, "Unknown(Ven=0000, Dev=0000)"},
    };
    for (const Case &c : cases) {
        char out[CHIPSET_TEXT_SIZE];
        memset(out, '#', sizeof(out));
        NameChipSet(c.vendor, c.device, out);
        EXPECT_STREQ(c.want, out);
    }
}

// Unmasked high bits, values used after a failed call, a missing library or
// export taken for success, or a library kept loaded show here; the real
// library, whose port instructions fault here, must answer 0 untouched.
TEST(Bridge, LibraryPath)
{
    const char *na = "N/A|N/A|N/A";
    struct Case { const char *dir, *config, *want; } cases[] = {
        {VURODOZ_DOUBLES_DIR, "1 FF0210 ABCD8086 12347190 1240", "2.16|Intel 82443BX|64"},
        {VURODOZ_DOUBLES_DIR, "0 0210 8086 7190 40", na},
        {VURODOZ_DOUBLES_DIR "/noexport", "1 0210 8086 7190 40", na},
        {nullptr, "1 0210 8086 7190 40", na},
        {VURODOZ_DIST_DIR, "", na},
    };
    for (const Case &c : cases) {
        UseOnly(c.dir ? Built(c.dir, BRIDGE_LIBRARY) : "", BRIDGE_LIBRARY);
        SetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", c.config);
        EXPECT_EQ(c.want, Collect(0, 4)) << (c.dir ? c.dir : "no library");
        EXPECT_EQ(nullptr, GetModuleHandleA(BRIDGE_LIBRARY));
    }
    SetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", nullptr);
    HMODULE real = LoadLibraryA(BRIDGE_LIBRARY);  // the last case's copy
    auto get = (int(WINAPI *)(DWORD *, DWORD *, DWORD *, DWORD *))(void *)GetProcAddress(real, BRIDGE_LIBRARY_EXPORT);
    ASSERT_TRUE(get != nullptr);
    DWORD v[4] = {7, 7, 7, 7};
    EXPECT_EQ(0, get(&v[0], &v[1], &v[2], &v[3]));
    EXPECT_EQ(0, get(nullptr, &v[1], &v[2], &v[3]));
    EXPECT_EQ(7u, v[0] & v[1] & v[2] & v[3]) << "outputs written on failure";
    FreeLibrary(real);
}

// A service found in place (stopped, or running) is used as it is and never
// removed; NT 3.51 asks no driver; the NT family never shows a BIOS version.
TEST(Bridge, DriverFoundInPlace)
{
    ServiceState(true, true);
    UseOnly("", "");
    ConfigureFakeDriver(false, kReply);
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    std::string path = Built(VURODOZ_DOUBLES_DIR, "fakebridge.sys");
    SC_HANDLE service = CreateServiceA(manager, BRIDGE_DRIVER_SERVICE, BRIDGE_DRIVER_SERVICE, SERVICE_ALL_ACCESS,
                                       SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(service != nullptr) << GetLastError();
    EXPECT_EQ("N/A|N/A|N/A", Collect(1, 4));
    EXPECT_EQ(SERVICE_STOPPED, ServiceState(false)) << "a stopped service was started or removed";
    EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
    EXPECT_EQ("N/A|Intel 82443BX|64", Collect(1, 4));
    EXPECT_EQ("N/A|N/A|N/A", Collect(1, 3));
    EXPECT_EQ(SERVICE_RUNNING, ServiceState(false));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    EXPECT_EQ(-1, ServiceState(true, true));
}

// The program's own install must leave nothing behind: after an answer,
// after a failed request, and when the started driver offers no device.
TEST(Bridge, DriverInstalledByTheProgram)
{
    ServiceState(true, true);
    struct Case { bool none; const BYTE *reply; const char *want; } cases[] = {
        {false, kReply, "N/A|Intel 82443BX|64"}, {false, nullptr, "N/A|N/A|N/A"}, {true, kReply, "N/A|N/A|N/A"},
    };
    for (const Case &c : cases) {
        ConfigureFakeDriver(c.none, c.reply);
        UseOnly(Built(VURODOZ_DOUBLES_DIR, "fakebridge.sys"), BRIDGE_DRIVER_FILE);
        EXPECT_EQ(c.want, Collect(1, 5));
        EXPECT_EQ(-1, ServiceState(true)) << "the service stayed behind; no device: " << c.none;
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFakeKey);
}

// The shipped driver installs, starts, opens and is removed again for real;
// Wine's HAL has no PCI bus, so its honest answer is a failed request, and a
// reply buffer too small is refused; neither writes into the buffer.
TEST(Bridge, RealDriverUnderWine)
{
    ServiceState(true, true);
    UseOnly(Built(VURODOZ_DIST_DIR, "zuroride.sys"), BRIDGE_DRIVER_FILE);
    ASSERT_EQ(0u, InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE));
    EXPECT_EQ(ERROR_SERVICE_EXISTS, InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE));
    HANDLE device = CreateFileA(ZURO_USER_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, device) << GetLastError();
    BYTE reply[ZURO_REPLY_SIZE];
    memset(reply, 0xAB, sizeof(reply));
    DWORD returned, sizes[] = {ZURO_REPLY_SIZE, 4}, errors[] = {ERROR_DEV_NOT_EXIST, ERROR_INSUFFICIENT_BUFFER};
    for (int i = 0; i < 2; i++) {
        SetLastError(0xDEADBEEF);
        EXPECT_FALSE(DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, nullptr, 0, reply, sizes[i], &returned, nullptr));
        EXPECT_EQ(errors[i], GetLastError());
    }
    EXPECT_EQ(0xABABABABu, *(DWORD *)reply & *(DWORD *)(reply + 4));
    CloseHandle(device);
    RemoveDriverService(BRIDGE_DRIVER_SERVICE);
    EXPECT_EQ(-1, ServiceState(true));
}
