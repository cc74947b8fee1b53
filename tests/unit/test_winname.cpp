// Tests of the Windows names for the dialog and the report.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include "winname.h"

namespace {

struct WinverCase {
    DWORD       Platform;
    DWORD       Major, Minor, Build;
    const char *Csd;
    const char *TwoLines;
    const char *OneLine;
};

const DWORD NT = VER_PLATFORM_WIN32_NT;
const DWORD W9X = VER_PLATFORM_WIN32_WINDOWS;

// Catches wrong row choice (major/minor tests), a lost or misplaced line
// feed, blanks added or trimmed around the service-pack text, the 16-bit
// build mask applied on the wrong family, and %02d where %d belongs.
const WinverCase WinverCases[] = {
    { NT, 4, 0, 1381, "Service Pack 6",
      "Windows NT Version 4.0\n(Build 1381: Service Pack 6)",
      "Windows NT Version 4.0 (Build 1381: Service Pack 6)" },
    { NT, 4, 0, 1381, "",
      "Windows NT Version 4.0\n(Build 1381)", "Windows NT Version 4.0 (Build 1381)" },
    { NT, 3, 51, 1057, "",
      "Windows NT Version 3.51\n(Build 1057)", "Windows NT Version 3.51 (Build 1057)" },
    { NT, 5, 0, 2195, "", "Windows 2000 (Build 2195)", "Windows 2000 (Build 2195)" },
    { NT, 5, 0, 2195, "Service Pack 4",
      "Windows 2000\n(Build 2195: Service Pack 4)", "Windows 2000 (Build 2195: Service Pack 4)" },
    { NT, 5, 1, 2600, "Service Pack 1",
      "Windows XP\n(Build 2600: Service Pack 1)", "Windows XP (Build 2600: Service Pack 1)" },
    { NT, 5, 1, 2600, "", "Windows XP (Build 2600)", "Windows XP (Build 2600)" },
    { NT, 5, 2, 3790, "", "Windows XP (Build 3790)", "Windows XP (Build 3790)" },
    { NT, 6, 1, 7601, "Service Pack 1",
      "Windows XP\n(Build 7601: Service Pack 1)", "Windows XP (Build 7601: Service Pack 1)" },
    { NT, 6, 0, 6002, "", "Windows 2000 (Build 6002)", "Windows 2000 (Build 6002)" },
    // The whole 32-bit build on NT: no mask.
    { NT, 5, 1, 0x10000 + 5, "", "Windows XP (Build 65541)", "Windows XP (Build 65541)" },

    { W9X, 4, 0, 0x040003B6, "", "Windows 95\nVersion 4.00.950", "Windows 95 Version 4.00.950" },
    { W9X, 4, 0, 0x040003B6, " B", "Windows 95\nVersion 4.00.950 B", "Windows 95 Version 4.00.950 B" },
    { W9X, 4, 10, 0x040A08AE, " A ",
      "Windows 98 Second Edition \nVersion 4.10.2222 A ",
      "Windows 98 Second Edition Version 4.10.2222 A " },
    { W9X, 4, 10, 0x040A07CE, "",
      "Windows 98 \nVersion 4.10.1998", "Windows 98 Version 4.10.1998" },
    { W9X, 4, 90, 0x045A0BB8, " ", "Windows Millennium Edition\n ", "Windows Millennium Edition  " },
    { W9X, 4, 90, 0x045A0BB8, "", "Windows Millennium Edition", "Windows Millennium Edition" },
    { W9X, 4, 3, 0x04030457, "",
      "Windows 9x Unknown Version 4.3 Build 1111", "Windows 9x Unknown Version 4.3 Build 1111" },
    { W9X, 5, 0, 0x05000457, "",
      "Windows 9x Unknown Version 5.0 Build 1111", "Windows 9x Unknown Version 5.0 Build 1111" },
    // Win32s and unknown platform ids take the 9x branch.
    { 0, 4, 0, 950, "", "Windows 95\nVersion 4.00.950", "Windows 95 Version 4.00.950" },
    { 7, 3, 1, 0x0301FFFF, "",
      "Windows 9x Unknown Version 3.1 Build 65535", "Windows 9x Unknown Version 3.1 Build 65535" },
};

OSVERSIONINFOA MakeVersion(const WinverCase &c)
{
    OSVERSIONINFOA vi;
    memset(&vi, 0, sizeof vi);
    vi.dwOSVersionInfoSize = sizeof vi;
    vi.dwPlatformId = c.Platform;
    vi.dwMajorVersion = c.Major;
    vi.dwMinorVersion = c.Minor;
    vi.dwBuildNumber = c.Build;
    lstrcpynA(vi.szCSDVersion, c.Csd, sizeof vi.szCSDVersion);
    return vi;
}

}  // namespace

TEST(WindowsName, EveryRowGivesBothTexts)
{
    for (const WinverCase &c : WinverCases) {
        SCOPED_TRACE(c.OneLine);
        OSVERSIONINFOA vi = MakeVersion(c);
        char twoLines[WINDOWS_NAME_SIZE];
        char oneLine[WINDOWS_NAME_SIZE];
        memset(twoLines, '#', sizeof twoLines);
        memset(oneLine, '#', sizeof oneLine);
        FormatWindowsName(&vi, twoLines, oneLine);
        EXPECT_STREQ(c.TwoLines, twoLines);
        EXPECT_STREQ(c.OneLine, oneLine);
    }
}

// Catches reading past a service-pack field that holds no terminator, and
// writing past the 256-byte outputs when the numbers are at their widest.
TEST(WindowsName, UnterminatedServicePackStaysInsideItsField)
{
    struct {
        OSVERSIONINFOA Vi;
        char           After[64];
    } block;
    memset(&block, 0, sizeof block);
    memset(block.Vi.szCSDVersion, 'q', sizeof block.Vi.szCSDVersion);
    memset(block.After, 'z', sizeof block.After - 1);

    const DWORD platforms[] = { NT, W9X };
    const DWORD majors[] = { 4, 5 };
    const DWORD minors[] = { 0, 10, 90 };
    for (DWORD platform : platforms)
        for (DWORD major : majors)
            for (DWORD minor : minors) {
                block.Vi.dwPlatformId = platform;
                block.Vi.dwMajorVersion = major;
                block.Vi.dwMinorVersion = minor;
                block.Vi.dwBuildNumber = 0xFFFFFFFF;
                char out[2][WINDOWS_NAME_SIZE + 32];
                memset(out, '#', sizeof out);
                FormatWindowsName(&block.Vi, out[0], out[1]);
                for (int i = 0; i < 2; ++i) {
                    SCOPED_TRACE(testing::Message() << platform << " " << major << "." << minor << " text " << i);
                    const char *end = (const char *)memchr(out[i], '\0', WINDOWS_NAME_SIZE);
                    ASSERT_TRUE(end != NULL);
                    EXPECT_EQ(NULL, strchr(out[i], 'z'));
                    for (int k = WINDOWS_NAME_SIZE; k < WINDOWS_NAME_SIZE + 32; ++k)
                        EXPECT_EQ('#', out[i][k]);
                    const char *q = strchr(out[i], 'q');
                    if (q != NULL) {
                        EXPECT_EQ(127u, strspn(q, "q"));
                    }
                }
            }
}

// The running system: whatever Wine reports must name something.
TEST(WindowsName, RealVersionIsNamed)
{
    OSVERSIONINFOA vi;
    memset(&vi, 0, sizeof vi);
    vi.dwOSVersionInfoSize = 148;
    GetVersionExA(&vi);
    char twoLines[WINDOWS_NAME_SIZE];
    char oneLine[WINDOWS_NAME_SIZE];
    FormatWindowsName(&vi, twoLines, oneLine);
    EXPECT_EQ(0, strncmp(oneLine, "Windows ", 8)) << oneLine;
    EXPECT_EQ(0, strncmp(twoLines, "Windows ", 8)) << twoLines;
}
