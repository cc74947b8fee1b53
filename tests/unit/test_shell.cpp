// Tests of the application shell: overlay status, the drive-position walk,
// localised texts, the setting writer, the readme path and the language
// choice on Japanese, Chinese and Korean systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include <windows.h>

#include "app.h"
#include "maindlg.h"
#include "machineinfo.h"
#include "resource.h"
#include "version.h"
#include "saved_state.h"
#include "report.h"

namespace {

// Catches a range test that is off by one at either end (0 or 6 mapped into
// the table, 1 or 5 left out) and a wrong base for the text ids.
TEST(OverlayStatus, TextIdForEveryState)
{
    SavedState keep;
    const struct { int State; UINT Id; } cases[] = {
        { -1, 504 }, { 0, 504 }, { 1, 502 }, { 2, 503 }, { 3, 504 },
        { 4, 505 }, { 5, 506 }, { 6, 504 }, { 105, 504 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.State);
        OverlayState = c.State;
        EXPECT_EQ(c.Id, OverlayStateTextId());
    }
}

// Catches "and" where "or" belongs in the small-screen test, <= where <
// belongs (800 x 600 itself is large enough), a verdict kept on a small
// screen, and 5 not falling back to "not tested" (or other states being
// reset) once the screen is large enough.
TEST(OverlayStatus, ScreenSizeMovesTheState)
{
    const struct { int Width, Height; bool Small; } screens[] = {
        { 640, 480, true }, { 799, 600, true }, { 800, 599, true }, { 0, 0, true },
        { 799, 1200, true }, { 1600, 599, true },
        { 800, 600, false }, { 1024, 768, false }, { 1600, 1200, false },
    };
    const struct { int State, OnLarge; } states[] = {
        { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 }, { 5, 3 },
    };
    for (const auto &s : screens) {
        for (const auto &st : states) {
            SCOPED_TRACE(std::to_string(s.Width) + "x" + std::to_string(s.Height) +
                         " from state " + std::to_string(st.State));
            EXPECT_EQ(s.Small ? OVERLAY_LOW_RESOLUTION : st.OnLarge,
                      OverlayStateForScreen(st.State, s.Width, s.Height));
        }
    }
}

// Catches counting the skipped (non-fixed) entries, returning the position
// instead of the entry's drive index, accepting negative positions, and a
// walk that runs past the 26th entry when the count claims more.
TEST(DriveSelection, PositionToFixedDrive)
{
    SavedState keep;
    static const char *const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[";
    struct Pattern {
        const char *What;
        const char *Fixed;       // letters that are fixed disks
        int         Count;       // ItemCount of the selector
        struct { int Position, Drive; } Expect[6];
        int         Checks;
    };
    const Pattern patterns[] = {
        { "A, C and D", "ACD", 26, { { 0, 0 }, { 1, 2 }, { 2, 3 }, { 3, -1 }, { -1, -1 }, { 100, -1 } }, 6 },
        { "C only", "C", 26, { { 0, 2 }, { 1, -1 }, { -1, -1 } }, 3 },
        { "Z only, the last entry", "Z", 26, { { 0, 25 }, { 1, -1 } }, 2 },
        { "none", "", 26, { { 0, -1 }, { 1, -1 }, { -1, -1 } }, 3 },
        // A 27th entry exists in memory but is beyond the table.
        { "only past the table", "[", 27, { { 0, -1 } }, 1 },
        { "count shorter than table", "CDE", 4, { { 0, 2 }, { 1, 3 }, { 2, -1 } }, 3 },
    };
    DriveItem items[DRIVE_COUNT + 1];
    for (const auto &p : patterns) {
        SCOPED_TRACE(p.What);
        for (int i = 0; i < DRIVE_COUNT + 1; ++i) {
            items[i].IsFixed = strchr(p.Fixed, letters[i]) != NULL;
            items[i].DriveIndex = i;
            items[i].Label[0] = items[i].Label[1] = "?";
        }
        DriveSelector.SelectedDrive = 0;
        DriveSelector.ControlId = IDC_DRIVE;
        DriveSelector.ItemCount = p.Count;
        DriveSelector.Items = items;
        for (int k = 0; k < p.Checks; ++k) {
            SCOPED_TRACE(p.Expect[k].Position);
            EXPECT_EQ(p.Expect[k].Drive, FixedDriveAtPosition(p.Expect[k].Position));
        }
    }

    // The entry's own drive index is the answer, not where it stands.
    for (int i = 0; i < DRIVE_COUNT; ++i) {
        items[i].IsFixed = i == 4;
        items[i].DriveIndex = 20 + i;
    }
    DriveSelector.ItemCount = DRIVE_COUNT;
    EXPECT_EQ(24, FixedDriveAtPosition(0));
}

// Catches a missing or mis-numbered string in either language, the offset
// not being added, and a lookup that does not use the one shared buffer.
TEST(LocalisedText, EnglishStringsLoad)
{
    SavedState keep;
    AppInstance = GetModuleHandleA(NULL);
    LanguageOffset = LANG_OFFSET_ENGLISH;

    EXPECT_STREQ("Not tested", LoadText(IDS_STATUS_NOT_TESTED));
    EXPECT_STREQ("Overlay supported (S3 Type)", LoadText(IDS_STATUS_S3));
    EXPECT_STREQ("Set resolution to 800x600 or higher", LoadText(IDS_STATUS_LOW_RES));

    const char *first = LoadText(IDS_STATUS_NOT_TESTED);
    const char *second = LoadText(IDS_STATUS_UNSUPPORTED);
    EXPECT_EQ(first, second);
    EXPECT_STREQ("Overlay not supported", first);

    const UINT ids[] = { 501, 502, 503, 504, 505, 506, 511, 512, 513 };
    for (UINT offset : { 0u, (UINT)LANG_OFFSET_ENGLISH }) {
        LanguageOffset = offset;
        for (UINT id : ids) {
            SCOPED_TRACE(std::to_string(id + offset));
            EXPECT_STRNE("", LoadText(id));
        }
    }

    // An id without a string gives an empty text, not the previous one.
    LanguageOffset = LANG_OFFSET_ENGLISH;
    LoadText(IDS_STATUS_NOT_TESTED);
    EXPECT_STREQ("", LoadText(599));
}

// Catches a second conversion or a stray percent sign in the About format,
// a version that differs from the version record's, and the notice not
// being two lines after an empty one.
TEST(LocalisedText, AboutFormatTakesTheVersion)
{
    SavedState keep;
    AppInstance = GetModuleHandleA(NULL);
    for (UINT offset : { 0u, (UINT)LANG_OFFSET_ENGLISH }) {
        SCOPED_TRACE(offset);
        LanguageOffset = offset;
        std::string format = LoadText(IDS_ABOUT);
        ASSERT_EQ(1, (int)std::count(format.begin(), format.end(), '%'));
        ASSERT_NE(std::string::npos, format.find("%s"));

        char text[TEXT_BUFFER_SIZE + 16];
        wsprintfA(text, format.c_str(), VURODOZ_VERSION);
        const std::string head = "VurOdoz Version 2.11.000\n\n";
        std::string about = text;
        ASSERT_EQ(0u, about.compare(0, head.size(), head)) << about;
        std::string notice = about.substr(head.size());
        size_t feed = notice.find('\n');
        ASSERT_NE(std::string::npos, feed) << "the notice is one line";
        EXPECT_GT(feed, 0u);
        EXPECT_LT(feed + 1, notice.size());
        EXPECT_EQ(std::string::npos, notice.find('\n', feed + 1)) << "the notice has more than two lines";
    }
    EXPECT_STREQ("2.11.000", VURODOZ_VERSION);
}

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

// The language as Wine's locale sets it for this run, or "" when unset.
std::string TestLanguage()
{
    const char *lang = getenv("VURODOZ_TEST_LANG");
    return lang ? lang : "";
}

class SystemLanguage : public ::testing::Test {
protected:
    void SetUp() override
    {
        lang_ = TestLanguage();
        if (lang_.empty())
            GTEST_SKIP() << "VURODOZ_TEST_LANG is not set";
        AppInstance = GetModuleHandleA(NULL);
    }

    std::string lang_;
    SavedState  keep_;
};

// Catches the user default read instead of the system default, the
// sub-language compared along with the primary language, and every
// far-eastern language taken for Japanese.
TEST_F(SystemLanguage, OnlyJapaneseGetsJapanese)
{
    const struct { const char *Lang; WORD Primary; UINT Offset; int Index; } cases[] = {
        { "ja_JP", LANG_JAPANESE, 0, 0 },
        { "zh_CN", LANG_CHINESE, LANG_OFFSET_ENGLISH, 1 },
        { "ko_KR", LANG_KOREAN, LANG_OFFSET_ENGLISH, 1 },
    };
    for (const auto &c : cases) {
        if (lang_ != c.Lang)
            continue;
        LanguageOffset = 12345;
        EXPECT_EQ(c.Primary, SelectLanguage());
        EXPECT_EQ(c.Offset, LanguageOffset);
        EXPECT_EQ(c.Index, LanguageIndex());
        return;
    }
    FAIL() << "no expectation for VURODOZ_TEST_LANG=" << lang_;
}

std::string Bytes(const std::initializer_list<unsigned char> &list)
{
    return std::string(list.begin(), list.end());
}

std::string Hex(const std::string &s)
{
    std::string out;
    char two[4];
    for (unsigned char ch : s) {
        wsprintfA(two, "%02X ", ch);
        out += two;
    }
    return out;
}

// Catches the Japanese strings stored in some other encoding than UTF-16
// (so the system code page turns them into mojibake) and texts cut short.
TEST_F(SystemLanguage, JapaneseTextsInCodePage932)
{
    if (lang_ != "ja_JP")
        GTEST_SKIP() << "Japanese texts only on a Japanese system";
    ASSERT_EQ(932u, GetACP());
    SelectLanguage();
    ASSERT_EQ(0u, LanguageOffset);

    // テストされていません。
    const std::string notTested = Bytes({
        0x83, 0x65, 0x83, 0x58, 0x83, 0x67, 0x82, 0xB3, 0x82, 0xEA, 0x82, 0xC4,
        0x82, 0xA2, 0x82, 0xDC, 0x82, 0xB9, 0x82, 0xF1, 0x81, 0x42 });
    std::string text = LoadText(IDS_STATUS_NOT_TESTED);
    EXPECT_EQ(notTested, text) << Hex(text);

    // 下記のファイルを同じフォルダにコピーしてください。
    const std::string copyFiles = Bytes({
        0x89, 0xBA, 0x8B, 0x4C, 0x82, 0xCC, 0x83, 0x74, 0x83, 0x40, 0x83, 0x43,
        0x83, 0x8B, 0x82, 0xF0, 0x93, 0xAF, 0x82, 0xB6, 0x83, 0x74, 0x83, 0x48,
        0x83, 0x8B, 0x83, 0x5F, 0x82, 0xC9, 0x83, 0x52, 0x83, 0x73, 0x81, 0x5B,
        0x82, 0xB5, 0x82, 0xC4, 0x82, 0xAD, 0x82, 0xBE, 0x82, 0xB3, 0x82, 0xA2,
        0x81, 0x42 });
    std::string readme = LoadText(IDS_NO_README);
    std::string firstLine = readme.substr(0, readme.find('\n'));
    EXPECT_EQ(copyFiles, firstLine) << Hex(firstLine);
    EXPECT_NE(std::string::npos, readme.find("\n    vurodoz.exe\n"));
    EXPECT_EQ(readme.size() - 15, readme.rfind("\n    readme.txt"));
}

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The Japanese dialog created the way the program creates it, as an ANSI
// dialog, on a Japanese system. Catches a caption that does not survive the
// trip through code page 932.
TEST_F(SystemLanguage, JapaneseDialogCaptionAsShown)
{
    if (lang_ != "ja_JP")
        GTEST_SKIP() << "Japanese dialogs only on a Japanese system";
    for (int id : { IDD_MAIN_9X, IDD_MAIN_NT }) {
        SCOPED_TRACE(id);
        HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), NULL,
                                         IgnoreEverything, 0);
        ASSERT_TRUE(dialog);
        wchar_t text[64] = L"";
        SendMessageW(GetDlgItem(dialog, IDC_SHOW_INFO), WM_GETTEXT, 64, (LPARAM)text);
        EXPECT_TRUE(std::wstring(text) == L"起動時に情報ファイルを表示する");
        DestroyWindow(dialog);
    }
}

// Catches a Chinese or Korean system shown the Japanese strings.
TEST_F(SystemLanguage, OthersGetEnglishTexts)
{
    if (lang_ == "ja_JP")
        GTEST_SKIP() << "English texts only on a non-Japanese system";
    SelectLanguage();
    EXPECT_STREQ("Not tested", LoadText(IDS_STATUS_NOT_TESTED));
    std::string readme = LoadText(IDS_NO_README);
    EXPECT_EQ(0u, readme.find("Please copy the following files into the same folder\n")) << readme;
}

} // namespace

namespace {

std::string FormatRow(const char *format, ...)
{
    char row[REPORT_ROW_SIZE + 8];
    memset(row, '#', sizeof(row));
    va_list args;
    va_start(args, format);
    FormatReportRow(row, format, args);
    va_end(args);
    EXPECT_EQ('#', row[REPORT_ROW_SIZE]) << "wrote past the row buffer";
    return row;
}

}  // namespace

// Catches a report row that overruns its buffer, or one cut short that
// loses its line end and runs into the next row.
TEST(ReportRow, LongRowsAreCutAndKeepTheirLineEnd)
{
    std::string fits(REPORT_ROW_SIZE - 1 - 20 - 2, 'a');
    EXPECT_EQ("Chip Set:           " + fits + "\r\n", FormatRow("Chip Set:           %s\r\n", fits.c_str()));
    std::string longer(600, 'b');
    std::string cut = FormatRow("Windows:            %s\r\n", longer.c_str());
    ASSERT_EQ((size_t)REPORT_ROW_SIZE - 1, cut.size());
    EXPECT_EQ("\r\n", cut.substr(cut.size() - 2));
    EXPECT_EQ("Windows:            bbb", cut.substr(0, 23));
}
