// The whole program as a user meets it, each run on a fresh copy of the
// prefix with the disk rig's drives: Overlay Test through the DirectDraw
// double, an HDD Test, Save Info, every field and the report, Close.
#include "overlay.h"
#include "program.h"

#include <algorithm>

using namespace e2e;

namespace {

class Scenario : public Program {
protected:
    void SetUp() override
    {
        if (Env(L"VURODOZ_SCENARIO").empty() || RigPath(L"").empty())
            GTEST_SKIP() << "run by ctest on a fresh prefix with tests/wine/with-test-disks";
        Program::SetUp();
    }
    void Run(const wchar_t *version, bool ninetyEight);
};

}  // namespace

void Scenario::Run(const wchar_t *version, bool ninetyEight)
{
    bool japanese = Env(L"VURODOZ_TEST_LANG") == L"ja_JP";
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    if (ninetyEight) {
        std::wstring fake = L"Z:" + Env(L"VURODOZ_DOUBLES") + L"/rudido32.dll";
        std::replace(fake.begin(), fake.end(), L'/', L'\\');
        ASSERT_TRUE(CopyFileW(fake.c_str(), (dir_ + L"\\rudido32.dll").c_str(), FALSE));
        SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", L"1 0210 8086 7190 40");
    }
    SetWindowsVersion(version);
    EXPECT_EQ(0u, RunSilent(L"/t \"silent report.txt\""));
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", nullptr);
    ASSERT_TRUE(dialog);
    auto withoutClock = [](std::string r) {    // the silent report is Save Info's at start, but for the clock
        size_t memory = r.rfind(' ', r.find("MBytes\r\n")), clock = r.rfind(' ', memory - 1);
        return memory == std::string::npos ? r : r.erase(clock, memory - clock); };
    EXPECT_EQ(withoutClock(SaveAndRead(app_, dialog, dir_, L"start.txt")),
              withoutClock(ReadFileBytes(dir_ + L"\\silent report.txt")));

    OverlayRun overlay = RunOverlayTest(app_, dialog, "YY");
    EXPECT_EQ(2, overlay.questions);
    EXPECT_EQ(japanese ? ProgramString(IDS_STATUS_S3) : L"Overlay supported (S3 Type)", overlay.status);

    ChooseDrive(dialog, L"G");
    ASSERT_TRUE(RunHddTest(app_, dialog));
    EXPECT_TRUE(IsRateText(ControlText(dialog, IDC_READ_RATE))) << ControlText(dialog, IDC_READ_RATE);
    EXPECT_TRUE(IsRateText(ControlText(dialog, IDC_WRITE_RATE))) << ControlText(dialog, IDC_WRITE_RATE);

    EXPECT_EQ(0u, ControlText(dialog, IDC_WINDOWS).find(ninetyEight ? L"Windows 98" : L"Windows XP"));
    EXPECT_EQ(ninetyEight ? L"2.16" : L"<no control>", ControlText(dialog, IDC_PCI_BIOS));
    EXPECT_EQ(ninetyEight ? L"Intel 82443BX" : L"N/A", ControlText(dialog, IDC_CHIPSET));
    EXPECT_EQ(ninetyEight ? L"64" : L"N/A", ControlText(dialog, IDC_LATENCY));

    std::string expected = ExpectedReport(dialog, !ninetyEight, japanese ? 932 : CP_ACP);
    std::string report = SaveAndRead(app_, dialog, dir_, L"report.txt");
    EXPECT_EQ(expected, report);
    EXPECT_EQ(ninetyEight, report.find("PCI BIOS Version:   2.16\r\n") != std::string::npos);
    EXPECT_EQ(std::string::npos, report.find("B/S")) << "disk results in the report";

    // A drive that is full: "I/O Error", and the partial file is closed.
    ASSERT_TRUE(PaceDrive(L"g", "full=1"));
    HWND save = SaveAs(app_, dialog, L"G:\\report.txt");
    ASSERT_TRUE(save);
    WaitGone(save);
    HWND box = app_.WaitMessageBox(10000);
    ASSERT_TRUE(box) << "no message for the full drive";
    EXPECT_EQ(L"I/O Error", MessageBoxText(box));
    Press(box, IDOK);
    Settle(dialog);
    EXPECT_FALSE(FileExists(L"G:\\report.txt")) << "a part of a report left";

    EXPECT_EQ(overlay.status, ControlText(dialog, IDC_OVERLAY_STATUS));
    CloseWithButton(dialog, IDOK);
}

// A part that works alone but not beside the others (a state lost between
// commands, the report taking the wrong status or family, a double's
// success path not reaching the fields) shows here.
TEST_F(Scenario, EnglishOnXp)
{
    Run(L"winxp", false);
}

TEST_F(Scenario, JapaneseOn98)
{
    Run(L"win98", true);
}
