// The screen check, run by ctest on X screens of several sizes;
// VURODOZ_OVERLAY_OFFERED says whether the size is large enough.
// Catches the check skipped by the dialog or by the silent report.
#include "program.h"

using namespace e2e;

TEST_F(Program, ScreenSizeDecidesWhetherOverlayTestIsOffered)
{
    std::wstring offered = Env(L"VURODOZ_OVERLAY_OFFERED");
    if (offered.empty())
        GTEST_SKIP() << "run by ctest on a sized screen";
    bool large = offered == L"1";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, large ? kNotTested : kLowResolution))
        << "screen " << GetSystemMetrics(SM_CXSCREEN) << "x" << GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(large, IsWindowEnabled(GetDlgItem(dialog, IDC_OVERLAY_TEST)) != 0);
    CloseWithButton(dialog, IDOK);

    // The silent report's overlay line says the same as the dialog.
    EXPECT_EQ(0u, RunSilent(L"/t r.txt"));
    std::string report = ReadFileBytes(dir_ + L"\\r.txt");
    EXPECT_NE(std::string::npos, report.find(large ? "Info\r\nNot tested\r\n" : "Info\r\nSet resolution to 800x600"))
        << report;
}
