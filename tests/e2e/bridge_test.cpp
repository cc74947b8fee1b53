// The PCI fields of the real dialog through each family's path: the fake
// library and the shipped rudido32.dll as win98, no driver and the shipped
// zuroride.sys as winxp. No run may leave the driver's service behind.
#include "program.h"

using namespace e2e;

namespace {

bool ServiceGone()
{
    for (int tries = 0; tries < 50; tries++, Sleep(100)) {
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        SC_HANDLE service = OpenServiceW(manager, L"ZURORIDE", SERVICE_QUERY_STATUS);
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
        if (!service)
            return true;
    }
    return false;
}

}  // namespace

// Fields left unset or filled from the wrong path, a library that crashes
// under Wine's "no device" answers, or a service left installed show here.
TEST_F(Program, PciFieldsThroughEachPath)
{
    std::wstring doubles = L"Z:" + Env(L"VURODOZ_DOUBLES") + L"\\rudido32.dll";
    struct Case { const wchar_t *version, *file; std::wstring from; const wchar_t *bios, *chip, *latency; } cases[] = {
        {L"win98", L"rudido32.dll", doubles, L"2.16", L"Intel 82443BX", L"64"},
        {L"win98", L"rudido32.dll", DistPath(L"rudido32.dll"), L"N/A", L"N/A", L"N/A"},
        {L"winxp", nullptr, L"", nullptr, L"N/A", L"N/A"},
        {L"winxp", L"zuroride.sys", DistPath(L"zuroride.sys"), nullptr, L"N/A", L"N/A"},
    };
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", L"1 0210 8086 7190 40");
    for (Case &c : cases) {
        SCOPED_TRACE(c.version + (L" " + c.from));
        DeleteFileW((dir_ + L"\\rudido32.dll").c_str());
        DeleteFileW((dir_ + L"\\zuroride.sys").c_str());
        for (wchar_t &ch : c.from)
            if (ch == L'/')
                ch = L'\\';
        if (c.file) {
            ASSERT_TRUE(CopyFileW(c.from.c_str(), (dir_ + L"\\" + c.file).c_str(), FALSE));
        }
        App app;
        HWND dialog = StartAs(app, c.version);
        ASSERT_TRUE(dialog);
        if (c.bios) {
            EXPECT_TRUE(WaitControlText(dialog, IDC_PCI_BIOS, c.bios)) << ControlText(dialog, IDC_PCI_BIOS);
        }
        EXPECT_TRUE(WaitControlText(dialog, IDC_CHIPSET, c.chip)) << ControlText(dialog, IDC_CHIPSET);
        EXPECT_TRUE(WaitControlText(dialog, IDC_LATENCY, c.latency)) << ControlText(dialog, IDC_LATENCY);
        CloseWithButton(app, dialog, IDOK);
        EXPECT_TRUE(ServiceGone());
    }
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", nullptr);
}
