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

std::string WinPath(const char *unixDir, const char *name)
{
    std::string path = std::string("Z:") + unixDir + "/" + name;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct Texts {
    std::string bios, chip, latency;
};

Texts Collect(int nt, DWORD major)
{
    MachineInfoRecord info;
    memset(&info, 0, sizeof(info));
    memset(info.ChipSetText, '#', 20);
    info.IsNtFamily = nt;
    OSVERSIONINFOA version{};
    version.dwPlatformId = nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    version.dwMajorVersion = major;
    CollectBridgeInfo(&info, &version);
    return {info.PciBiosVersionText, info.ChipSetText, info.PciLatencyTimerText};
}

void ExpectTexts(const Texts &got, const char *bios, const char *chip, const char *latency)
{
    EXPECT_EQ(bios, got.bios);
    EXPECT_EQ(chip, got.chip);
    EXPECT_EQ(latency, got.latency);
}

// A fresh current directory holding one file copied under the given name.
class InDirectory {
public:
    InDirectory(const char *name, const std::string &source, const char *as)
    {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "vurodoz-bridge-" + name;
        CreateDirectoryA(dir_.c_str(), nullptr);
        file_ = dir_ + "\\" + as;
        if (!source.empty()) {
            EXPECT_TRUE(CopyFileA(source.c_str(), file_.c_str(), FALSE)) << source;
        }
        SetCurrentDirectoryA(dir_.c_str());
    }
    ~InDirectory()
    {
        SetCurrentDirectoryA(previous_);
        DeleteFileA(file_.c_str());
        RemoveDirectoryA(dir_.c_str());
    }
private:
    char previous_[MAX_PATH];
    std::string dir_, file_;
};

const BYTE kBridgeReply[ZURO_REPLY_SIZE] = {0xEE, 0xEE, 0x86, 0x80, 0x90, 0x71, 0x40, 0xEE};

void ConfigureFakeDriver(const BYTE *reply, const char *device)
{
    HKEY key;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "System\\VurOdozFakeBridge");
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\VurOdozFakeBridge", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    if (reply)
        RegSetValueExA(key, "Reply", 0, REG_BINARY, reply, ZURO_REPLY_SIZE);
    RegSetValueExA(key, "Device", 0, REG_SZ, (const BYTE *)device, (DWORD)strlen(device) + 1);
    RegCloseKey(key);
}

// -1 no such service (waiting a little for a deletion to finish), else its state.
int ServiceState(bool waitGone)
{
    for (int tries = 0; tries < 50; tries++, Sleep(100)) {
        SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
        SC_HANDLE service = OpenServiceA(manager, BRIDGE_DRIVER_SERVICE, SERVICE_QUERY_STATUS);
        SERVICE_STATUS status{};
        int state = service && QueryServiceStatus(service, &status) ? (int)status.dwCurrentState : -1;
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
        if (state == -1 || !waitGone)
            return state;
    }
    return SERVICE_RUNNING;
}

// A service left by an earlier failed run would change what every test sees.
void ForgetService()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, BRIDGE_DRIVER_SERVICE, SERVICE_ALL_ACCESS);
    SERVICE_STATUS status;
    if (service) {
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    ServiceState(true);
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

// Unmasked high bits, values used after a failed call, or a missing library
// or export taken for success show here; the real library must answer 0.
TEST(Bridge, LibraryPath)
{
    struct Case { const char *name, *source, *config, *bios, *chip, *latency; } cases[] = {
        {"ok", VURODOZ_DOUBLES_DIR, "1 FF0210 ABCD8086 12347190 1240", "2.16", "Intel 82443BX", "64"},
        {"failed", VURODOZ_DOUBLES_DIR, "0 0210 8086 7190 40", "N/A", "N/A", "N/A"},
        {"noexport", VURODOZ_DOUBLES_DIR "/noexport", "1 0210 8086 7190 40", "N/A", "N/A", "N/A"},
        {"missing", nullptr, "1 0210 8086 7190 40", "N/A", "N/A", "N/A"},
        {"real", VURODOZ_DIST_DIR, "", "N/A", "N/A", "N/A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        InDirectory dir(c.name, c.source ? WinPath(c.source, BRIDGE_LIBRARY) : "", BRIDGE_LIBRARY);
        SetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", c.config);
        ExpectTexts(Collect(0, 4), c.bios, c.chip, c.latency);
        EXPECT_EQ(nullptr, GetModuleHandleA(BRIDGE_LIBRARY)) << "the library stayed loaded";
    }
    SetEnvironmentVariableA("VURODOZ_FAKE_BRIDGE", nullptr);

    // Here the port instructions fault: the guard must turn that into 0.
    HMODULE real = LoadLibraryA(WinPath(VURODOZ_DIST_DIR, BRIDGE_LIBRARY).c_str());
    ASSERT_TRUE(real != nullptr) << GetLastError();
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
    ForgetService();
    InDirectory dir("inplace", "", "none");
    ConfigureFakeDriver(kBridgeReply, "ZURORIDE");
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    std::string path = WinPath(VURODOZ_DOUBLES_DIR, "fakebridge.sys");
    SC_HANDLE service = CreateServiceA(manager, BRIDGE_DRIVER_SERVICE, BRIDGE_DRIVER_SERVICE, SERVICE_ALL_ACCESS,
                                       SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(service != nullptr) << GetLastError();

    ExpectTexts(Collect(1, 4), "N/A", "N/A", "N/A");
    EXPECT_EQ(SERVICE_STOPPED, ServiceState(false)) << "a stopped service was started or removed";

    EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
    ExpectTexts(Collect(1, 4), "N/A", "Intel 82443BX", "64");
    ExpectTexts(Collect(1, 3), "N/A", "N/A", "N/A");
    EXPECT_EQ(SERVICE_RUNNING, ServiceState(false));

    SERVICE_STATUS status;
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    EXPECT_EQ(-1, ServiceState(true));
}

// The program's own install must leave nothing behind: after an answer,
// after a failed request, and when the started driver offers no device.
TEST(Bridge, DriverInstalledByTheProgram)
{
    struct Case { const char *name; const BYTE *reply; const char *device, *chip, *latency; } cases[] = {
        {"answers", kBridgeReply, "ZURORIDE", "Intel 82443BX", "64"},
        {"fails", nullptr, "ZURORIDE", "N/A", "N/A"},
        {"nodevice", kBridgeReply, "ZURORIDE_ASIDE", "N/A", "N/A"},
    };
    ForgetService();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ConfigureFakeDriver(c.reply, c.device);
        InDirectory dir(c.name, WinPath(VURODOZ_DOUBLES_DIR, "fakebridge.sys"), BRIDGE_DRIVER_FILE);
        ExpectTexts(Collect(1, 5), "N/A", c.chip, c.latency);
        EXPECT_EQ(-1, ServiceState(true)) << "the service stayed behind";
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "System\\VurOdozFakeBridge");
}

// The shipped driver really installs, starts, opens and is removed again;
// Wine's HAL has no PCI bus, so its honest answer is a failed request, and
// a reply buffer too small is refused before anything is written.
TEST(Bridge, RealDriverUnderWine)
{
    ForgetService();
    InDirectory dir("real", WinPath(VURODOZ_DIST_DIR, "zuroride.sys"), BRIDGE_DRIVER_FILE);
    ASSERT_EQ(0u, InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE));
    EXPECT_EQ(ERROR_SERVICE_EXISTS, InstallDriverService(BRIDGE_DRIVER_FILE, BRIDGE_DRIVER_SERVICE));
    HANDLE device = CreateFileA(ZURO_USER_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, device) << GetLastError();
    BYTE reply[ZURO_REPLY_SIZE + 1];
    memset(reply, 0xAB, sizeof(reply));
    DWORD returned = 77;
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, nullptr, 0, reply, ZURO_REPLY_SIZE, &returned,
                                 nullptr));
    EXPECT_NE(0xDEADBEEFu, GetLastError());
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(DeviceIoControl(device, ZURO_IOCTL_QUERY_BRIDGE, nullptr, 0, reply, 4, &returned, nullptr));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    for (BYTE b : reply)
        EXPECT_EQ(0xAB, b) << "the driver wrote into a failed reply";
    CloseHandle(device);
    RemoveDriverService(BRIDGE_DRIVER_SERVICE);
    EXPECT_EQ(-1, ServiceState(true));
}
