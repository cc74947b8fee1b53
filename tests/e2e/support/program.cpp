// The shared fixture of the end-to-end tests.
#include "program.h"

namespace e2e {

const wchar_t kNotTested[] = L"Not tested";
const wchar_t kNotTestedJa[] = L"\u30c6\u30b9\u30c8\u3055\u308c\u3066\u3044\u307e\u305b\u3093\u3002";
const wchar_t kLowResolution[] = L"Set resolution to 800x600 or higher";
const wchar_t kNoReadme[] =
    L"Please copy the following files into the same folder\n    vurodoz.exe\n    rudido32.dll\n"
    L"    revaze16.dll\n    zuroride.sys\n    readme.txt";
const char kIniOff[] = "[VurOdoz]\r\nShowInfoFile=0\r\n";

void Program::SetUp()
{
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    CloseNotepads();
    SetWindowsVersion(L"winxp");
    dir_ = FreshDirectory(FromUtf8(name.c_str()));
    ASSERT_TRUE(CopyDistFile(L"vurodoz.exe", dir_));
    ASSERT_TRUE(CopyDistFile(L"readme.txt", dir_));
    WriteIni(kIniOff);
}

void Program::TearDown()
{
    app_.Kill();
    CloseNotepads();
    DeleteIni();
}

static HWND StartIn(App &app, const Options &options)
{
    if (!app.Start(options)) {
        ADD_FAILURE() << "vurodoz.exe did not start, error " << GetLastError();
        return nullptr;
    }
    HWND dialog = app.WaitMainDialog();
    EXPECT_TRUE(dialog != nullptr) << "no main dialog";
    return dialog;
}

HWND Program::StartToDialog(Options options)
{
    if (options.workDir.empty())
        options.workDir = dir_;
    return StartIn(app_, options);
}

HWND Program::StartAs(App &app, const wchar_t *version)
{
    SetWindowsVersion(version);
    Options options;
    options.workDir = dir_;
    return StartIn(app, options);
}

HWND Program::StartThroughReadmeMessage(App &app, const Options &options, const wchar_t *message)
{
    if (!app.Start(options)) {
        ADD_FAILURE() << "vurodoz.exe did not start, error " << GetLastError();
        return nullptr;
    }
    HWND box = app.WaitMessageBox();
    if (!box) {
        ADD_FAILURE() << "no message about the readme";
        return nullptr;
    }
    EXPECT_EQ(message, MessageBoxText(box));
    Press(box, IDOK);
    HWND dialog = app.WaitMainDialog();
    EXPECT_TRUE(dialog != nullptr) << "no main dialog after the message";
    EXPECT_FALSE(WaitReadmeWindow(500)) << "a readme opened after all";
    return dialog;
}

void Program::CloseWithButton(App &app, HWND dialog, int id)
{
    if (id == IDCANCEL)
        PressKey(dialog, VK_ESCAPE);
    else
        Press(dialog, id);
    ExpectExitCode(app, 0);
}

void Program::ExpectExitCode(App &app, DWORD want)
{
    DWORD code = 12345;
    ASSERT_TRUE(app.WaitExit(15000, &code)) << "the program did not end";
    EXPECT_EQ(want, code);
}

Options Program::Run(const std::wstring &args, const std::string &faults)
{
    Options options;
    options.workDir = dir_;
    options.faults = faults;
    options.args = args;
    return options;
}

DWORD Program::RunSilent(const std::wstring &args, const std::string &faults)
{
    return RunSilent(Run(args, faults));
}

DWORD Program::RunSilent(const Options &options)
{
    App app;
    DWORD code = 12345;
    EXPECT_TRUE(app.Start(options) && !app.AnyWindowWithin(30000)) << "not started, or a window";
    EXPECT_TRUE(app.WaitExit(15000, &code)) << "the program did not end";
    return code;
}

std::string ReportValue(const std::string &report, const std::string &label)
{
    size_t at = report.find("\n" + label);
    if (at == std::string::npos)
        return "<no " + label + ">";
    size_t from = report.find_first_not_of(' ', at + 1 + label.size());
    return report.substr(from, report.find("\r\n", from) - from);
}

}  // namespace e2e
