// The PCI fields of the real dialog through each family's path, the program
// started from a folder other than its own, as from a shortcut: as win98 the
// fake library (configured by VURODOZ_FAKE_BRIDGE), the one without the
// export, none, and the shipped rudido32.dll; as winxp no driver file, the
// shipped zuroride.sys, and the fake driver while the service's removal
// meets failures. The prefix searches the current directory for libraries
// first, as the old systems do, and that directory holds a planted
// ZURORIDE.SYS, rudido32.dll, ddraw.dll, winmm.dll and wined3d.dll (which
// Wine's ddraw.dll imports) that leave a mark when they load; no ZURORIDE
// service may be left.
#include "overlay.h"
#include "program.h"
#include "fakebridgectl.h"

#include <cstring>

using namespace e2e;

// Fields unset or filled on failure, unmasked high bits, a library that
// crashes on Wine's "no device" answers, a companion file or a system
// library or one it imports taken from the current directory, a DirectDraw
// beside the program not taken, or a service left behind when it cannot be opened a second time
// or will not stop, show here.
TEST_F(Program, PciFieldsThroughEachPath)
{
    const BYTE reply[8] = {0xEE, 0xEE, 0x86, 0x80, 0x90, 0x71, 0x40, 0xEE};
    const wchar_t *na = L"N/A";
    // overlay: 0 none; 1 with the DirectDraw double beside the program; 2 without.
    struct Case { const wchar_t *version; std::wstring from; const wchar_t *config, *bios, *chip, *latency;
                  const char *faults; int overlay; } cases[] = {
        {L"win98", DoublesPath(L"rudido32.dll"), L"1 FF0210 ABCD8086 12347190 1240", L"2.16", L"Intel 82443BX", L"64", "",
         1},
        {L"win98", DoublesPath(L"rudido32.dll"), L"0 0210 8086 7190 40", na, na, na, "", 0},
        {L"win98", DoublesPath(L"noexport\\rudido32.dll"), L"1 0210 8086 7190 40", na, na, na, "", 0},
        {L"win98", L"", L"1 0210 8086 7190 40", na, na, na, "", 2},
        {L"win98", DistPath(L"rudido32.dll"), L"", na, na, na, "", 0},
        {L"winxp", L"", L"", nullptr, na, na, "", 2},
        {L"winxp", DistPath(L"zuroride.sys"), L"", nullptr, na, na, "", 0},
        {L"winxp", DoublesPath(L"fakebridge.sys"), L"", nullptr, L"Intel 82443BX", L"64",
         "OpenSCManagerA 2 2\nOpenServiceA 1 9\n", 0},
        {L"winxp", DoublesPath(L"fakebridge.sys"), L"", nullptr, L"Intel 82443BX", L"64", "ControlService 1 9\n", 0},
    };
    Options options;
    options.exeDir = dir_ + L"\\program";
    options.workDir = dir_ + L"\\elsewhere";
    ASSERT_TRUE(MakeDirectory(options.exeDir) && MakeDirectory(options.workDir));
    ASSERT_TRUE(CopyDistFile(L"vurodoz.exe", options.exeDir));
    options.oldSearchOrder = true;
    ASSERT_TRUE(CopyFileW(DoublesPath(L"planted\\fakebridge.sys").c_str(),
                          (options.workDir + L"\\zuroride.sys").c_str(), FALSE));
    for (const wchar_t *name : {L"rudido32.dll", L"ddraw.dll", L"winmm.dll", L"wined3d.dll"})
        ASSERT_TRUE(CopyFileW(DoublesPath(L"planted\\planted.dll").c_str(),
                              (options.workDir + L"\\" + name).c_str(), FALSE));
    ServiceState(true);
    ConfigureFakeDriver(true, reply);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"System\\VurOdozPlanted");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version + (L" " + c.from) + L" " + FromUtf8(c.faults));
        DeleteFileW((options.exeDir + L"\\rudido32.dll").c_str());
        DeleteFileW((options.exeDir + L"\\zuroride.sys").c_str());
        DeleteFileW((options.exeDir + L"\\ddraw.dll").c_str());
        DeleteFileW((options.exeDir + L"\\fakeddraw.log").c_str());
        ASSERT_TRUE(c.overlay != 1 || PutFakeDdraw(options.exeDir, ""));
        std::wstring name = c.from.size() > 4 && c.from.substr(c.from.size() - 4) == L".sys" ? L"zuroride.sys"
                                                                                           : L"rudido32.dll";
        ASSERT_TRUE(c.from.empty() || CopyFileW(c.from.c_str(), (options.exeDir + L"\\" + name).c_str(), FALSE));
        SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", c.config);
        SetWindowsVersion(c.version);
        options.faults = c.faults;
        App app;
        ASSERT_TRUE(app.Start(options));
        HWND dialog = app.WaitMainDialog();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(!c.bios || WaitControlText(dialog, IDC_PCI_BIOS, c.bios)) << ControlText(dialog, IDC_PCI_BIOS);
        EXPECT_TRUE(WaitControlText(dialog, IDC_CHIPSET, c.chip)) << ControlText(dialog, IDC_CHIPSET);
        EXPECT_TRUE(WaitControlText(dialog, IDC_LATENCY, c.latency)) << ControlText(dialog, IDC_LATENCY);
        if (c.overlay) {
            EXPECT_EQ(L"Overlay not supported", RunOverlayTest(app, dialog, c.overlay == 1 ? "N" : "").status);
            EXPECT_EQ(c.overlay == 1, FakeDdrawLog(options.exeDir).find("DirectDrawCreate") != std::string::npos);
        }
        CloseWithButton(app, dialog, IDOK);
        EXPECT_FALSE(PlantedDriverLoaded()) << "a file in the current directory was loaded";
        // One that will not stop is marked for deletion, and goes when it stops.
        if (strstr(c.faults, "ControlService")) {
            EXPECT_TRUE(ServiceMarkedForDeletion());
            EXPECT_EQ(SERVICE_RUNNING, ServiceState(true));
        }
        EXPECT_EQ(-1, ServiceState()) << "the driver's service was left installed";
        ServiceState(true);
    }
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", nullptr);
    ConfigureFakeDriver(false, nullptr);
}
