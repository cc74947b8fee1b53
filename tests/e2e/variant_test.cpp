// Runs only inside the prefix copy that has no fixed disk (ctest's
// e2e.NoFixedDrive): the program must end at once, silently, with code 0.
#include "program.h"

using namespace e2e;

TEST_F(Program, NoFixedDriveEndsSilently)
{
    if (Env(L"VURODOZ_VARIANT") != L"nofixed")
        GTEST_SKIP() << "run by ctest in the prefix without fixed drives";
    for (wchar_t c = L'A'; c <= L'Z'; c++) {
        wchar_t root[] = {c, L':', L'\\', 0};
        ASSERT_NE((UINT)DRIVE_FIXED, GetDriveTypeW(root)) << "drive " << (char)c << " is still fixed";
    }
    Options options;
    options.workDir = dir_;
    ASSERT_TRUE(app_.Start(options));
    EXPECT_FALSE(app_.AnyWindowWithin(8000)) << "a window appeared";
    ExpectExitCode(0);
    EXPECT_EQ(4u, RunSilent(L"/t report.txt")) << "the silent report has a code of its own";
}
