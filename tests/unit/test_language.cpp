// The language choice on Japanese, Chinese and Korean systems: run by ctest
// once per system language (VURODOZ_TEST_LANG), never on its own.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <string>
#include <windows.h>
#include "text.h"
#include "resource.h"
#include "saved_state.h"
#include "report.h"

namespace {

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
        { "en_US", LANG_ENGLISH, LANG_OFFSET_ENGLISH, 1 },
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

// Catches a report folder cut at the trail byte of a double-byte character
// that equals '\\' (0x95 0x5C is the kanji for "table").
TEST_F(SystemLanguage, ReportFolderSkipsTrailBytes)
{
    if (lang_ != "ja_JP")
        GTEST_SKIP() << "code page 932 only on a Japanese system";
    char folder[REPORT_FOLDER_SIZE];
    ASSERT_TRUE(ReportFolder("C:\\\x95\x5C\\r.txt", folder));
    EXPECT_STREQ("C:\\\x95\x5C\\", folder);
    ASSERT_TRUE(ReportFolder("C:\\\x95\x5Cr.txt", folder));
    EXPECT_STREQ("C:\\", folder);
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

}  // namespace
