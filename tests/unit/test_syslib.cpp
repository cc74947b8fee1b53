// Libraries by full path: the placement beside the program, and the real
// loader with a library of the name lying in the current directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>

#include "syslib.h"
#include "pathname.h"

// Catches a driver path cut to fit (naming some other file), a program
// without a folder, a result of MAX_PATH characters (which LoadLibraryA and
// CreateServiceA refuse), and an off-by-one at either end.
TEST(SystemLibraries, PathBesideTheProgram)
{
    const struct { std::string module; DWORD length; const char *want; } cases[] = {
        {"C:\\dir\\vurodoz.exe", 18, "C:\\dir\\ZURORIDE.SYS"},
        {"C:\\vurodoz.exe", 14, "C:\\ZURORIDE.SYS"},
        {"vurodoz.exe", 11, nullptr},
        {"C:\\dir\\vurodoz.exe", 0, nullptr},
        {std::string(246, 'd') + "\\x.exe", 253, "fits"},
        {std::string(247, 'd') + "\\x.exe", 254, nullptr},
        {"C:\\" + std::string(256, 'x'), 259, "C:\\ZURORIDE.SYS"},
        {"C:\\" + std::string(257, 'x'), 260, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.module.substr(0, 20) + " " + std::to_string(c.length));
        char path[MAX_PATH + 8];
        memset(path, '#', sizeof(path));
        memcpy(path, c.module.c_str(), std::min(c.module.size(), sizeof(path)));
        int placed = PlaceBesideModule(path, c.length, "ZURORIDE.SYS");
        EXPECT_EQ(c.want != nullptr, placed == 1);
        if (placed) {
            EXPECT_TRUE(strcmp(c.want, "fits") == 0 || strcmp(c.want, path) == 0) << path;
            EXPECT_LT(strlen(path), (size_t)MAX_PATH);
        }
    }
}

// Catches a library taken by a bare name: one of that name in the current
// directory and none beside the program or in the system directory is not
// loaded, while Windows' own are.
TEST(SystemLibraries, NeverFromTheCurrentDirectory)
{
    char saved[MAX_PATH], temp[MAX_PATH], dll[MAX_PATH + 16];
    GetCurrentDirectoryA(MAX_PATH, saved);
    GetTempPathA(MAX_PATH, temp);
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    wsprintfA(dll, "%sPlanted.dll", temp);
    ASSERT_TRUE(CopyFileA("Z:" VURODOZ_DOUBLES_DIR "/noexport/rudido32.dll", dll, FALSE));
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(nullptr, LoadLibraryBesideProgram("Planted.dll"));
    EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError());
    HMODULE planted = LoadLibraryA("Planted.dll");
    EXPECT_NE(nullptr, planted) << "the bare name does not find it either: nothing shown";
    FreeLibrary(planted);
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(nullptr, LoadSystemLibrary("Planted.dll"));
    EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_NE(nullptr, LoadSystemLibrary("winmm.dll"));
    SetCurrentDirectoryA(saved);
    DeleteFileA(dll);
}
