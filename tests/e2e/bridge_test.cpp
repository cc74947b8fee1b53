// The PCI fields of the real dialog through each family's path: as win98 the
// fake library (configured by VURODOZ_FAKE_BRIDGE), the one without the
// export, none, and the shipped rudido32.dll; as winxp no driver file and the
// shipped zuroride.sys, after which no ZURORIDE service may be left.
#include "program.h"

#include <algorithm>

using namespace e2e;

// Fields unset or filled on failure, unmasked high bits, a library that
// crashes on Wine's "no device" answers, or a service left behind show here.
TEST_F(Program, PciFieldsThroughEachPath)
{
    std::wstring doubles = L"Z:" + Env(L"VURODOZ_DOUBLES");
    std::replace(doubles.begin(), doubles.end(), L'/', L'\\');
    const wchar_t *na = L"N/A";
    struct Case { const wchar_t *version; std::wstring from; const wchar_t *config, *bios, *chip, *latency; } cases[] = {
        {L"win98", doubles + L"\\rudido32.dll", L"1 FF0210 ABCD8086 12347190 1240", L"2.16", L"Intel 82443BX", L"64"},
        {L"win98", doubles + L"\\rudido32.dll", L"0 0210 8086 7190 40", na, na, na},
        {L"win98", doubles + L"\\noexport\\rudido32.dll", L"1 0210 8086 7190 40", na, na, na},
        {L"win98", L"", L"1 0210 8086 7190 40", na, na, na},
        {L"win98", DistPath(L"rudido32.dll"), L"", na, na, na},
        {L"winxp", L"", L"", nullptr, na, na},
        {L"winxp", DistPath(L"zuroride.sys"), L"", nullptr, na, na},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version + (L" " + c.from));
        DeleteFileW((dir_ + L"\\rudido32.dll").c_str());
        DeleteFileW((dir_ + L"\\zuroride.sys").c_str());
        std::wstring name = c.from.substr(c.from.rfind(L'\\') + 1);
        ASSERT_TRUE(c.from.empty() || CopyFileW(c.from.c_str(), (dir_ + L"\\" + name).c_str(), FALSE));
        SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", c.config);
        App app;
        HWND dialog = StartAs(app, c.version);
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(!c.bios || WaitControlText(dialog, IDC_PCI_BIOS, c.bios)) << ControlText(dialog, IDC_PCI_BIOS);
        EXPECT_TRUE(WaitControlText(dialog, IDC_CHIPSET, c.chip)) << ControlText(dialog, IDC_CHIPSET);
        EXPECT_TRUE(WaitControlText(dialog, IDC_LATENCY, c.latency)) << ControlText(dialog, IDC_LATENCY);
        CloseWithButton(app, dialog, IDOK);
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        SC_HANDLE service = OpenServiceW(manager, L"ZURORIDE", SERVICE_QUERY_STATUS);
        EXPECT_EQ(nullptr, service) << "the driver's service was left installed";
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
    }
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", nullptr);
}
