// Start-up as the user meets it: the setting in tolvane.ini, the readme, and
// what Close and Esc leave behind.
#include "program.h"

#include <shellapi.h>

using namespace e2e;

// A setting that is written although unchanged, or lost on Close, or written
// on Esc, would show in the file the program leaves in the Windows directory.
TEST_F(Program, NoIniOpensReadmeAndCloseWithBoxTickedCreatesNoIni)
{
    DeleteIni();
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitReadmeWindow(10000)) << "the readme did not open";
    EXPECT_TRUE(IsChecked(dialog, IDC_SHOW_INFO));
    CloseWithButton(dialog, IDOK);
    EXPECT_EQ("<missing>", ReadIni());
}

TEST_F(Program, StoredSevenCountsAsOnAndCloseWritesOne)
{
    WriteIni("[VurOdoz]\r\nShowInfoFile=7\r\n");
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitReadmeWindow(10000));
    EXPECT_TRUE(IsChecked(dialog, IDC_SHOW_INFO));
    CloseWithButton(dialog, IDOK);
    EXPECT_NE(std::string::npos, ReadIni().find("ShowInfoFile=1")) << ReadIni();
}

TEST_F(Program, StoredZeroOpensNoReadmeAndTickThenCloseWritesOne)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsChecked(dialog, IDC_SHOW_INFO));
    EXPECT_FALSE(WaitReadmeWindow(1500)) << "the readme opened although the setting is 0";
    ClickCheckBox(dialog, IDC_SHOW_INFO);
    EXPECT_TRUE(IsChecked(dialog, IDC_SHOW_INFO));
    CloseWithButton(dialog, IDOK);
    EXPECT_NE(std::string::npos, ReadIni().find("ShowInfoFile=1")) << ReadIni();
}

TEST_F(Program, UntickThenCloseWritesZero)
{
    WriteIni("[VurOdoz]\r\nShowInfoFile=1\r\n");
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitReadmeWindow(10000));
    ClickCheckBox(dialog, IDC_SHOW_INFO);
    CloseWithButton(dialog, IDOK);
    EXPECT_NE(std::string::npos, ReadIni().find("ShowInfoFile=0")) << ReadIni();
}

TEST_F(Program, EscapeLeavesTheSettingAsRead)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ClickCheckBox(dialog, IDC_SHOW_INFO);
    CloseWithButton(dialog, IDCANCEL);
    EXPECT_EQ(kIniOff, ReadIni());
}

// The readme is looked for in the working directory, not beside the program.
TEST_F(Program, MissingReadmeShowsMessageThenDialog)
{
    DeleteIni();
    std::wstring elsewhere = FreshDirectory(L"Program.MissingReadme.cwd");
    Options options;
    options.workDir = elsewhere;
    options.exeDir = dir_;
    HWND dialog = StartThroughReadmeMessage(app_, options, kNoReadme);
    ASSERT_TRUE(dialog);
    CloseWithButton(dialog, IDOK);
}

// A working directory of exactly the given length, holding a readme.
static std::wstring DirectoryOfLength(size_t length)
{
    std::wstring base = WorkPath(L"long");
    RemoveTree(base);
    MakeDirectory(base);
    std::wstring path = base;
    while (path.size() + 1 < length) {
        size_t take = length - path.size() - 1;
        if (take > 100)
            take = take - 100 == 1 ? 98 : 100;   // never leave a remainder of one
        path += L"\\" + std::wstring(take, L'd');
        MakeDirectory(path);
    }
    CopyFileW(DistPath(L"readme.txt").c_str(), (path + L"\\readme.txt").c_str(), FALSE);
    return path;
}

// A long working directory still opens its readme (Wine's shell gives up a
// little below MAX_PATH, so this stays at 240 characters).
TEST_F(Program, LongReadmePathOpens)
{
    DeleteIni();
    std::wstring fits = DirectoryOfLength(240);
    ASSERT_EQ((size_t)240, fits.size());
    ASSERT_TRUE(FileExists(fits + L"\\readme.txt"));
    Options options;
    options.workDir = fits;
    options.exeDir = dir_;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitReadmeWindow(10000)) << "a readme path of 251 characters did not open";
    CloseWithButton(dialog, IDOK);
}

// Directories up to the longest that fits the buffer with the name go to the
// shell whole: the readme opens exactly when the shell opens that path for
// anyone (Wine 8 refuses a path of 256 characters, Wine 10 opens it). Longer
// ones must neither overrun the buffer nor open a cut-off path: the message.
TEST_F(Program, ReadmePathGoesWholeToTheShellOrShowsTheMessage)
{
    DeleteIni();
    for (size_t length : {249u, 252u, 253u, 258u}) {
        SCOPED_TRACE(length);
        std::wstring directory = DirectoryOfLength(length);
        ASSERT_EQ(length, directory.size());
        std::wstring readme = directory + L"\\readme.txt";
        ASSERT_TRUE(FileExists(readme));
        bool opens = length + 11 < 264
                     && (INT_PTR)ShellExecuteW(nullptr, nullptr, readme.c_str(), nullptr, nullptr, SW_SHOW) > 32;
        if (opens) {
            ASSERT_TRUE(WaitReadmeWindow(10000)) << "the shell said it opened the readme";
            CloseNotepads();
        }
        App app;
        Options options;
        options.workDir = directory;
        options.exeDir = dir_;
        HWND dialog = nullptr;
        if (opens) {
            ASSERT_TRUE(app.Start(options));
            dialog = app.WaitMainDialog();
            EXPECT_TRUE(WaitReadmeWindow(10000)) << "the shell opens this readme, the program did not";
        } else {
            dialog = StartThroughReadmeMessage(app, options, kNoReadme);
        }
        ASSERT_TRUE(dialog);
        CloseWithButton(app, dialog, IDOK);
        CloseNotepads();
    }
}
