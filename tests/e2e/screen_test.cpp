// The screen check, run by ctest inside Wine virtual desktops of several
// sizes; VURODOZ_OVERLAY_OFFERED says whether the size is large enough.
#include "program.h"

using namespace e2e;

TEST_F(Program, ScreenSizeDecidesWhetherOverlayTestIsOffered)
{
    std::wstring offered = Env(L"VURODOZ_OVERLAY_OFFERED");
    if (offered.empty())
        GTEST_SKIP() << "run by ctest inside a sized desktop";
    bool large = offered == L"1";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, large ? kNotTested : kLowResolution))
        << "screen " << GetSystemMetrics(SM_CXSCREEN) << "x" << GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(large, IsWindowEnabled(GetDlgItem(dialog, IDC_OVERLAY_TEST)) != 0);
    CloseWithButton(dialog, IDOK);
}
