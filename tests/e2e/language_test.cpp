// The interface language as the system's default language picks it. ctest
// runs these once per system language, with LANG set for the whole run.
#include "overlay.h"
#include "program.h"

using namespace e2e;

namespace {

const wchar_t kOptionJa[] =
    L"\u8d77\u52d5\u6642\u306b\u60c5\u5831\u30d5\u30a1\u30a4\u30eb\u3092\u8868\u793a\u3059\u308b";
const wchar_t kOptionEn[] = L"Show Information file at startup";
const wchar_t kUnsupportedJa[] = L"\u30aa\u30fc\u30d0\u30fc\u30ec\u30a4\u304c\u4f7f\u7528\u3067\u304d\u307e\u305b\u3093\u3002";
const wchar_t kNoReadmeJa[] =
    L"\u4e0b\u8a18\u306e\u30d5\u30a1\u30a4\u30eb\u3092\u540c\u3058\u30d5\u30a9\u30eb\u30c0\u306b"
    L"\u30b3\u30d4\u30fc\u3057\u3066\u304f\u3060\u3055\u3044\u3002\n    vurodoz.exe\n    rudido32.dll\n"
    L"    revaze16.dll\n    zuroride.sys\n    readme.txt";

bool ExpectJapanese()
{
    return Env(L"VURODOZ_TEST_LANG") == L"ja_JP";
}

class SystemLanguage : public Program {
protected:
    void SetUp() override
    {
        if (Env(L"VURODOZ_TEST_LANG").empty())
            GTEST_SKIP() << "run by ctest with a system language";
        Program::SetUp();
    }
};

}  // namespace

// Japanese templates carry the Japanese option text; the status and the
// message come from the string table of the same language.
TEST_F(SystemLanguage, TemplatesAndTextsFollowTheLanguage)
{
    for (const wchar_t *version : {L"winxp", L"win98"}) {
        SCOPED_TRACE(version);
        App app;
        HWND dialog = StartAs(app, version);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(ExpectJapanese() ? kOptionJa : kOptionEn, ControlText(dialog, IDC_SHOW_INFO));
        EXPECT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, ExpectJapanese() ? kNotTestedJa : kNotTested));
        EXPECT_EQ(wcscmp(version, L"win98") == 0, GetDlgItem(dialog, IDC_PCI_BIOS) != nullptr);
        OverlayRun run = RunOverlayTest(app, dialog, "");  // Wine's DirectDraw: no overlay
        EXPECT_EQ(0, run.questions);
        EXPECT_EQ(ExpectJapanese() ? kUnsupportedJa : L"Overlay not supported", run.status);
        // The report's status row is in the interface language, in the ANSI code page.
        std::string expected = ExpectedReport(dialog, wcscmp(version, L"win98") != 0,
                                              ExpectJapanese() ? 932 : CP_ACP);
        EXPECT_EQ(expected, SaveAndRead(app, dialog, dir_, std::wstring(version) + L".txt"));
        CloseWithButton(app, dialog, IDOK);
    }
}

TEST_F(SystemLanguage, MissingReadmeMessage)
{
    DeleteIni();
    Options options;
    options.workDir = FreshDirectory(L"SystemLanguage.cwd");
    options.exeDir = dir_;
    HWND dialog = StartThroughReadmeMessage(app_, options, ExpectJapanese() ? kNoReadmeJa : kNoReadme);
    ASSERT_TRUE(dialog);
    CloseWithButton(dialog, IDOK);
}

// Catches a table written in another code page than the system's (a
// Japanese desk's spreadsheet would show the status as garbage) or with a
// status other than the report's.
TEST_F(SystemLanguage, TableInTheSystemCodePage)
{
    ASSERT_EQ(0u, RunSilent(L"/t r.txt /a t.csv"));
    std::vector<std::vector<std::string>> rows = ReadCsv(ReadFileBytes(dir_ + L"\\t.csv"));
    ASSERT_EQ(2u, rows.size());
    char want[64] = "";
    WideCharToMultiByte(ExpectJapanese() ? 932 : CP_ACP, 0, ExpectJapanese() ? kNotTestedJa : kNotTested, -1, want,
                        sizeof want, nullptr, nullptr);
    EXPECT_EQ(want, rows[1][11]);
    ExpectRowIsReport(rows[1], ReadFileBytes(dir_ + L"\\r.txt"), false);
}
