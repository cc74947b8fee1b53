// The setting writer and the readme path.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include <windows.h>
#include "app.h"

namespace {

std::string TempPath(const char *name)
{
    char dir[MAX_PATH];
    DWORD n = GetTempPathA(sizeof dir, dir);
    EXPECT_GT(n, 0u);
    return std::string(dir) + name;
}

// Catches a format other than plain decimal (lost sign, unsigned, padding),
// a buffer too small for the widest value, and the value written under
// another section or key.
TEST(Setting, WrittenAsDecimalText)
{
    std::string ini = TempPath("vurodoz-unit-setting.ini");
    DeleteFileA(ini.c_str());
    const struct { int Value; const char *Text; } cases[] = {
        { 1, "1" }, { 0, "0" }, { 7, "7" }, { -5, "-5" },
        { 2147483647, "2147483647" }, { (int)0x80000000, "-2147483648" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        WriteSettingInt(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, c.Value, ini.c_str());
        char text[64] = "";
        GetPrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, "missing", text,
                                 sizeof text, ini.c_str());
        EXPECT_STREQ(c.Text, text);
        EXPECT_EQ(c.Value, (int)GetPrivateProfileIntA(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO,
                                                      12345, ini.c_str()));
    }

    // What lands in the file itself, after the profile cache is flushed.
    WriteSettingInt(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, 7, ini.c_str());
    WritePrivateProfileStringA(NULL, NULL, NULL, ini.c_str());
    HANDLE file = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char bytes[256] = "";
    DWORD got = 0;
    ReadFile(file, bytes, sizeof bytes - 1, &got, NULL);
    CloseHandle(file);
    bytes[got] = '\0';
    EXPECT_NE(nullptr, strstr(bytes, "[VurOdoz]")) << bytes;
    EXPECT_NE(nullptr, strstr(bytes, "ShowInfoFile=7")) << bytes;
    EXPECT_EQ(nullptr, strstr(bytes, "ShowInfoFile=-5")) << bytes;
    DeleteFileA(ini.c_str());
}

// A directory of exactly the wanted full length under base, made of nested
// parts; the created directories, deepest last, go to made.
std::string MakeDirectoryOfLength(const std::string &base, size_t length,
                                  std::vector<std::string> *made)
{
    std::string path = base;
    while (path.size() + 1 < length) {
        size_t take = length - path.size() - 1;
        if (take > 100)
            take = take - 100 == 1 ? 98 : 100;
        path += "\\" + std::string(take, 'd');
        std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
        if (!CreateDirectoryW(wide.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
        made->push_back(path);
    }
    return path;
}

// Catches a limit one too tight or one too loose at the buffer's edge
// (252 + 11 = 263 characters fit the 264 bytes, 253 does not), a cut-off
// path returned as usable, a non-empty path on failure, and any write past
// the 264 bytes.
TEST(ReadmePath, CurrentDirectoryPlusName)
{
    char previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);

    char tempDir[MAX_PATH];
    GetTempPathA(sizeof tempDir, tempDir);
    std::string base = std::string(tempDir) + "vurodoz-readme-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);

    std::vector<std::string> made;
    const struct { size_t Length; int Fits; } cases[] = {
        { 0, 1 },      // the base directory itself, a short one
        { 240, 1 },
        { 252, 1 },
        { 253, 0 },
        { 258, 0 },
    };
    for (const auto &c : cases) {
        std::string dir = c.Length == 0 ? base : MakeDirectoryOfLength(base, c.Length, &made);
        SCOPED_TRACE(std::to_string(dir.size()) + " characters: " + dir);
        ASSERT_FALSE(dir.empty()) << "could not create a directory of " << c.Length << " characters";
        if (c.Length != 0) {
            ASSERT_EQ(c.Length, dir.size());
        }
        if (!SetCurrentDirectoryA(dir.c_str())) {
            ADD_FAILURE() << "Wine refused SetCurrentDirectoryA for " << dir.size()
                          << " characters (error " << GetLastError() << "); not tested";
            continue;
        }
        char check[MAX_PATH + 16] = "";
        DWORD now = GetCurrentDirectoryA(sizeof check, check);
        ASSERT_EQ(dir.size(), (size_t)now) << "the current directory reads back as " << check;

        char path[README_PATH_SIZE + 32];
        memset(path, '#', sizeof path);
        int fits = BuildReadmePath(path);
        EXPECT_EQ(c.Fits, fits);
        if (c.Fits) {
            EXPECT_EQ(dir + "\\readme.txt", std::string(path));
            EXPECT_EQ(dir.size() + 11, strlen(path));
        } else {
            EXPECT_STREQ("", path);
        }
        for (size_t i = README_PATH_SIZE; i < sizeof path; ++i)
            ASSERT_EQ('#', path[i]) << "written past the buffer at " << i;
    }

    SetCurrentDirectoryA(previous);
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        std::wstring wide = L"\\\\?\\" + std::wstring(it->begin(), it->end());
        RemoveDirectoryW(wide.c_str());
    }
    RemoveDirectoryA(base.c_str());
}

}  // namespace
