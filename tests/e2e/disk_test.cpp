// The HDD Test on paced drives of its own (tests/wine/with-test-disks):
// F: reports 60 MiB, too little for a test; G: reports 140 MiB and writes at
// 20 MiB/s and reads at 40 MiB/s unless a test paces it otherwise. A test
// that acts in the middle of a pass holds the pass there instead of racing
// it, however fast or busy the machine.
#include "program.h"

#include <algorithm>
#include <commctrl.h>
#include <stdio.h>

using namespace e2e;

// A whole pass of 213 or 1066 chunks of 96 KiB, the chunk for 4 KiB clusters.
static const DWORD kChunk = 98304, kSmallPeak = 20938752, kLargePeak = 104792064;
// A pass held where it reaches kHoldAt, and stopped there, has written the
// held chunk and none after it.
static const DWORD kHoldAt = 4u << 20, kHeldPeak = (kHoldAt / kChunk + 1) * kChunk;
// Logged by the fault double when the program begins to wait for a worker
// it has told to stop.
static const char kWaitsForWorker[] = "MsgWaitForMultipleObjects 1";

bool e2e::IsRateText(const std::wstring &t)
{
    return t.size() >= 8 && t.compare(t.size() - 3, 3, L"B/S") == 0;
}

static std::vector<std::wstring> TestFiles()
{
    return FilesLike(L"G:\\VKT*");
}

void e2e::ChooseDrive(HWND dialog, const wchar_t *letter)
{
    std::vector<std::wstring> items = ComboItems(dialog, IDC_DRIVE);
    ChooseComboItem(dialog, IDC_DRIVE, (int)(std::find(items.begin(), items.end(), letter) - items.begin()));
    Settle(dialog);
}

HWND e2e::RunHddTest(App &app, HWND dialog, DWORD appearMs)
{
    if (!Press(dialog, IDC_HDD_TEST))
        return nullptr;
    HWND progress = app.WaitProgressDialog(appearMs);
    if (progress && !WaitGone(progress, 120000))
        return nullptr;
    Settle(dialog);
    return progress;
}

namespace {

class Disk : public Program {
protected:
    void SetUp() override
    {
        if (RigPath(L"").empty())
            GTEST_SKIP() << "needs tests/wine/with-test-disks";
        Program::SetUp();
    }
    HWND StartOnDrive(const wchar_t *letter, const char *faults = "")
    {
        Options options;
        options.faults = faults;
        HWND dialog = StartToDialog(options);
        if (dialog)
            ChooseDrive(dialog, letter);
        return dialog;
    }
};

}  // namespace

// Starts a test on G: and returns its progress dialog once the write pass runs.
static HWND StartWritePass(App &app, HWND dialog)
{
    if (!Press(dialog, IDC_HDD_TEST))
        return nullptr;
    HWND progress = app.WaitProgressDialog();
    return progress && WaitControlText(progress, IDC_STATUS, L"Testing Write performance", 20000) ? progress : nullptr;
}

// Catches a test started without room for its large stage, a wrong or
// missing message 511, and a name search that reuses one of 100 taken names.
TEST_F(Disk, NoRoomOrNoNameChangesNothing)
{
    HWND dialog = StartOnDrive(L"F");
    ASSERT_TRUE(dialog);
    Press(dialog, IDC_HDD_TEST);
    HWND box = app_.WaitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(L"You need more than 100MB of free disk space for testing", MessageBoxText(box));
    EXPECT_FALSE(app_.WaitProgressDialog(0));
    Press(box, IDOK);

    ChooseDrive(dialog, L"G");
    for (int n = 0; n < 100; n++) {
        wchar_t name[16];
        wsprintfW(name, L"G:\\VKT%02d.dat", n);
        HANDLE f = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        CloseHandle(f);
    }
    ASSERT_TRUE(Press(dialog, IDC_HDD_TEST));
    EXPECT_FALSE(app_.WaitProgressDialog(1500)) << "a test ran with every name taken";
    std::vector<std::wstring> names = TestFiles();
    EXPECT_EQ(100u, names.size()) << "a taken name was used and deleted";
    for (const std::wstring &name : names)
        DeleteFileW((L"G:\\" + name).c_str());
    CloseWithButton(dialog, IDOK);
}

static double MiBPerSecond(const std::wstring &rate)
{
    return rate.find(L"MB/S") != std::wstring::npos ? _wtoi(rate.c_str()) : _wtoi(rate.c_str()) / 1024.0;
}

// The engine's passes alone (diskbench.exe) over the large stage's bytes on
// G:, as the dialog would show their rates: whole MB/S (both are above 10).
static bool EngineShownRates(int *write, int *read)
{
    std::wstring bench = L"Z:" + Env(L"VURODOZ_DISKBENCH");
    std::replace(bench.begin(), bench.end(), L'/', L'\\');
    FILE *out = _wpopen((bench + L" G 104857600").c_str(), L"r");
    char text[256] = "";
    if (!out || !fgets(text, sizeof text, out))
        return false;
    _pclose(out);
    unsigned long chunk, moved, writeMs, readMs;
    if (sscanf(text, "chunk %lu moved %lu write %lu %*f read %lu", &chunk, &moved, &writeMs, &readMs) != 4
        || writeMs < 5 || readMs < 5)
        return false;
    // As the program stores and shows a large stage's times: per 20 MiB.
    *write = (int)(20480000.0 / (writeMs / 5) / 1024);
    *read = (int)(20480000.0 / (readMs / 5) / 1024);
    return true;
}

// Catches rates below what the engine alone measures on the drive (what the
// dialog costs the passes), a stage rule that
// takes the wrong branch, a file of someone else's replaced (held before the
// test, or made between its stages), a progress dialog that closes on Escape
// or has a close box, rates not kept per drive, a file or handle left
// behind, STOP that does not stop, a failed write taken for success, a
// failed test that wipes the earlier rates, a dialog that waits forever for
// a lost completion post, a test file left when a scanner holds it, and a
// progress bar that never shows a pass's last position.
TEST_F(Disk, CompletesStopsFailsAndKeepsRates)
{
    ASSERT_TRUE(PaceDrive(L"g", "write=20 read=40 full=0"));
    // The second test loses its completion post, and its file cannot be
    // deleted at the first three tries.
    HWND dialog = StartOnDrive(L"G", "PostMessageA 2 2 111 4000\nDeleteFileA 3 5\n");
    ASSERT_TRUE(dialog);
    HANDLE held = CreateFileW(L"G:\\VKT00.dat", GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(held, "keep", 4, &done, nullptr));

    // 20 MiB reads in half a second, too fast to time: the large stage follows.
    HWND progress = StartWritePass(app_, dialog);
    ASSERT_TRUE(progress);
    EXPECT_FALSE(GetWindowLongW(progress, GWL_STYLE) & WS_SYSMENU) << "a close box";
    EXPECT_EQ(std::vector<std::wstring>({L"VKT00.dat", L"VKT01.dat"}), TestFiles());
    PressKey(progress, VK_ESCAPE);
    PostMessageW(progress, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Read performance", 20000)) << "Escape ended it";
    ASSERT_TRUE(WaitGone(progress, 120000));
    Settle(dialog);
    std::wstring read = ControlText(dialog, IDC_READ_RATE), write = ControlText(dialog, IDC_WRITE_RATE);
    EXPECT_EQ(kLargePeak, PeakSize(L"g", "VKT01.dat"));
    EXPECT_EQ(4u, GetFileSize(held, nullptr)) << "the held file was replaced";
    EXPECT_EQ(std::vector<std::wstring>({L"VKT00.dat"}), TestFiles()) << "one file too many or too few";
    CloseHandle(held);
    DeleteFileW(L"G:\\VKT00.dat");
    int engineWrite = 0, engineRead = 0;
    ASSERT_TRUE(EngineShownRates(&engineWrite, &engineRead));
    // The two are measured one after the other, and a busy machine's drive
    // daemon keeps neither pace exactly: a tenth and one shown unit are
    // allowed; a dialog that costs the passes their time loses more.
    EXPECT_GE(MiBPerSecond(write), engineWrite * 0.9 - 1) << write;
    EXPECT_GE(MiBPerSecond(read), engineRead * 0.9 - 1) << read;
    int handles = HandleCount(app_.Pid());

    // At 12 MiB/s both passes of 20 MiB take over a second: one stage only.
    ASSERT_TRUE(PaceDrive(L"g", "write=12 read=12"));
    ASSERT_TRUE(RunHddTest(app_, dialog)) << "no end without the completion command";
    EXPECT_EQ(kSmallPeak, PeakSize(L"g", "VKT00.dat"));
    EXPECT_TRUE(TestFiles().empty()) << "the file stayed when its deletion first failed";
    std::string faults = FaultLog(dir_);
    EXPECT_NE(std::string::npos, faults.find("PostMessageA 2 failed")) << faults;
    EXPECT_NE(std::string::npos, faults.find("DeleteFileA 5 failed")) << faults;
    read = ControlText(dialog, IDC_READ_RATE), write = ControlText(dialog, IDC_WRITE_RATE);
    EXPECT_NEAR(12, MiBPerSecond(read), 2.4) << read;
    EXPECT_NEAR(12, MiBPerSecond(write), 2.4) << write;

    ChooseDrive(dialog, L"C");
    EXPECT_TRUE(WaitControlText(dialog, IDC_WRITE_RATE, kNotTested));
    ChooseDrive(dialog, L"G");
    EXPECT_TRUE(WaitControlText(dialog, IDC_READ_RATE, read));
    EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));

    // STOP once and twice while the write pass is held, then a drive that
    // another program fills while the write pass runs: each ends the test in
    // that pass, removes its file and keeps the rates from before.
    ASSERT_TRUE(PaceDrive(L"g", "write=20 read=40"));
    for (int round = 0; round < 3; round++) {
        SCOPED_TRACE(round < 2 ? "stop" : "full drive");
        ASSERT_TRUE(PaceDrive(L"g", round < 2 ? "full=0" : "full=4194304"));
        ASSERT_TRUE(round == 2 || HoldDrive(L"g", "write", kHoldAt));
        progress = StartWritePass(app_, dialog);
        ASSERT_TRUE(progress);
        if (round < 2) {
            ASSERT_TRUE(WaitHeld(L"g"));
            for (int click = 0; click <= round; click++)
                ClickCheckBox(progress, IDC_STOP);
            ASSERT_TRUE(ReleaseDrive(L"g"));
        }
        bool wentOn = false;
        for (DWORD start = GetTickCount(); IsWindow(progress) && GetTickCount() - start < 60000; Sleep(20))
            wentOn |= ControlText(progress, IDC_STATUS) == L"Testing Read performance";
        EXPECT_FALSE(IsWindow(progress));
        EXPECT_FALSE(wentOn) << "the test went on";
        DWORD peak = PeakSize(L"g", "VKT00.dat");
        if (round < 2)
            EXPECT_EQ(kHeldPeak, peak);
        else
            EXPECT_TRUE(peak > 0 && peak < kSmallPeak) << peak;
        Settle(dialog);
        EXPECT_EQ(read, ControlText(dialog, IDC_READ_RATE));
        EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));
        EXPECT_TRUE(TestFiles().empty());
    }

    // Another program takes the name the moment the first stage frees it,
    // as fast a drive as this machine can make calls for the large stage.
    // The first stage's read is held at its last chunk, where the bar must
    // show the pass's last position.
    // (One write of the control file: the drive reads it only when asked
    // for something, and would miss all but the last of several.)
    char settings[96];
    sprintf(settings, "write=1000 read=1000 full=0 plant=VKT00.dat hold=read:%lu", (unsigned long)(kSmallPeak - 1));
    ASSERT_TRUE(PaceDrive(L"g", settings));
    ASSERT_TRUE(Press(dialog, IDC_HDD_TEST));
    progress = app_.WaitProgressDialog();
    ASSERT_TRUE(progress && WaitHeld(L"g"));
    int position = -1;
    for (DWORD start = GetTickCount(); position != 99 && GetTickCount() - start < 10000; Sleep(20))
        position = (int)SendMessageW(GetDlgItem(progress, IDC_PROGRESS), PBM_GETPOS, 0, 0);
    EXPECT_EQ(99, position);
    EXPECT_EQ(L"Testing Read performance", ControlText(progress, IDC_STATUS));
    ASSERT_TRUE(ReleaseDrive(L"g"));
    ASSERT_TRUE(WaitGone(progress, 120000));
    Settle(dialog);
    EXPECT_EQ("theirs", ReadFileBytes(L"G:\\VKT00.dat")) << "replaced or deleted";
    EXPECT_EQ(read, ControlText(dialog, IDC_READ_RATE));
    EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));
    DeleteFileW(L"G:\\VKT00.dat");
    if (handles > 0) {
        EXPECT_EQ(handles, HandleCount(app_.Pid()));
    }
    CloseWithButton(dialog, IDOK);
}

// A WM_QUIT ends every modal loop of the thread, the progress dialog's
// first. Catches a run that takes that end for success, or frees what the
// worker still writes from: a crash, a file left or a hang at exit.
TEST_F(Disk, QuitDuringPassEndsTheProgram)
{
    HWND dialog = StartOnDrive(L"G", "MsgWaitForMultipleObjects 0 0\n");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PaceDrive(L"g", "write=20 full=0"));
    ASSERT_TRUE(HoldDrive(L"g", "write", kHoldAt));
    HWND progress = StartWritePass(app_, dialog);
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitHeld(L"g"));
    ASSERT_TRUE(PostThreadMessageW(GetWindowThreadProcessId(dialog, nullptr), WM_QUIT, 0, 0));
    EXPECT_TRUE(WaitFileHolds(dir_ + L"\\faults.log", kWaitsForWorker)) << "the worker was not waited for";
    ASSERT_TRUE(ReleaseDrive(L"g"));
    ExpectExitCode(0);
    EXPECT_TRUE(TestFiles().empty());
    EXPECT_EQ(kHeldPeak, PeakSize(L"g", "VKT00.dat"));
}

// Wine's simulated log-off in the middle of each pass. Catches a session
// that ends with the worker still writing (the file left in the drive's
// root), a result stored from a stopped test, a crash, and a changed
// startup setting lost.
TEST_F(Disk, LogOffDuringAPassRemovesTheFileAndKeepsTheSetting)
{
    for (const char *pass : {"write", "read"}) {
        SCOPED_TRACE(pass);
        WriteIni(kIniOff);
        App app;
        Options options;
        options.workDir = dir_;
        options.faults = "MsgWaitForMultipleObjects 0 0\n";
        ASSERT_TRUE(app.Start(options));
        HWND dialog = app.WaitMainDialog();
        ASSERT_TRUE(dialog);
        ChooseDrive(dialog, L"G");
        ClickCheckBox(dialog, IDC_SHOW_INFO);
        ASSERT_TRUE(PaceDrive(L"g", "write=20 read=40 full=0"));
        ASSERT_TRUE(HoldDrive(L"g", pass, kHoldAt));
        ASSERT_TRUE(Press(dialog, IDC_HDD_TEST));
        ASSERT_TRUE(app.WaitProgressDialog());
        ASSERT_TRUE(WaitHeld(L"g"));
        HANDLE logOff = StartEndSession();
        ASSERT_TRUE(logOff);
        EXPECT_TRUE(WaitFileHolds(dir_ + L"\\faults.log", kWaitsForWorker)) << "the worker was not waited for";
        ASSERT_TRUE(ReleaseDrive(L"g"));
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(logOff, 30000));
        CloseHandle(logOff);
        ExpectExitCode(app, 0);
        EXPECT_TRUE(TestFiles().empty()) << "the test file outlived the session";
        EXPECT_EQ(strcmp(pass, "write") == 0 ? kHeldPeak : kSmallPeak, PeakSize(L"g", "VKT00.dat"));
        EXPECT_EQ("[VurOdoz]\r\nShowInfoFile=1\r\n", ReadIni());
    }
}

// The silent report with an HDD Test. Catches rates missing from the
// report, a window, a too-full drive or a failed write not refused with its
// own exit code, a report written after a failed test, a test file left
// behind, and a drive that is no fixed disk taken for one.
TEST_F(Disk, SilentHddTestRatesAndRefusals)
{
    ASSERT_TRUE(PaceDrive(L"g", "write=20 read=40 full=0"));
    EXPECT_EQ(0u, RunSilent(L"/t r.txt /d g:"));
    std::string report = ReadFileBytes(dir_ + L"\\r.txt");
    size_t at = report.find("\r\n\r\n------------ Hard Disk Performance\r\nDrive:              G\r\nRead:               ");
    ASSERT_NE(std::string::npos, at) << report;
    int read = 0, write = 0;
    EXPECT_EQ(2, sscanf(report.c_str() + at, "\r\n\r\n------------ Hard Disk Performance\r\nDrive: G\r\n"
                        "Read: %dMB/S\r\nWrite: %dMB/S\r\n\r\n", &read, &write)) << report;
    EXPECT_TRUE(read > 20 && read <= 40 && write > 10 && write <= 20) << report;
    EXPECT_EQ(report.size(), report.find("MB/S\r\n\r\n", at) + 8) << "the report does not end there";
    EXPECT_TRUE(TestFiles().empty());

    const struct { const wchar_t *args; const char *pace; DWORD code; } refusals[] = {
        {L"/t r2.txt /d F", "", 7}, {L"/t r2.txt -D g", "full=4194304", 8}, {L"/t r2.txt /d D", "", 6}};
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(refusal.args);
        ASSERT_TRUE(!*refusal.pace || PaceDrive(L"g", refusal.pace));
        EXPECT_EQ(refusal.code, RunSilent(refusal.args));
        EXPECT_FALSE(FileExists(dir_ + L"\\r2.txt"));
        EXPECT_TRUE(TestFiles().empty());
    }
    EXPECT_TRUE(PeakSize(L"g", "VKT00.dat") > 0 && PeakSize(L"g", "VKT00.dat") < kSmallPeak) << "the write did not fail part-way";
}

namespace {

// The silent run's own edges on the paced drives, each run by ctest on a
// rig of its own.
class SilentDisk : public Disk {};

}  // namespace

// Catches a mistyped folder found only after minutes of transfers, a tab not
// taken for a blank, swapped, dashed or upper-case switches not acted on,
// and a row whose fields or rates differ from the report of the same run.
TEST_F(SilentDisk, PlacesCheckedFirstAndSwitchesInAnyOrder)
{
    ASSERT_TRUE(PaceDrive(L"g", "write=1000 read=1000 full=0"));
    std::string log = ReadFileBytes(RigPath(L"g.pace.log"));
    EXPECT_EQ(2u, RunSilent(L"/d G /t no\\such\\r.txt"));
    EXPECT_EQ(2u, RunSilent(L"/a no\\such\\t.csv -D g"));
    EXPECT_EQ(log, ReadFileBytes(RigPath(L"g.pace.log"))) << "a test file was made before the refusal";
    EXPECT_EQ(1u, RunSilent(L"/D:G /t r.txt"));
    EXPECT_EQ(0u, RunSilent(L"-d\tg:\t/T\tr.txt /a\tt.csv"));
    std::string report = ReadFileBytes(dir_ + L"\\r.txt");
    std::vector<std::vector<std::string>> rows = ReadCsv(ReadFileBytes(dir_ + L"\\t.csv"));
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("G", rows[1][12]);
    ExpectRowIsReport(rows[1], report, false);
    EXPECT_TRUE(TestFiles().empty());
}

// Catches a row of the report, the rates section's included, whose failed
// write is taken for success or breaks the earlier file, a row added after a
// failed report, and a table left with half a row.
TEST_F(SilentDisk, AFailedWriteOfAnyRowGivesThreeAndKeepsTheEarlierFiles)
{
    ASSERT_TRUE(PaceDrive(L"g", "write=1000 read=1000 full=0"));
    ASSERT_TRUE(WriteFileBytes(dir_ + L"\\t.csv", "Computer\r\n"));
    // Nine rows of the report on the NT family, five of its rates section,
    // then the table's one write.
    for (int row = 1; row <= 15; row++) {
        SCOPED_TRACE(row);
        char faults[40], failed[40];
        sprintf(faults, "WriteFile %d %d\n", row, row);
        sprintf(failed, "WriteFile %d failed", row);
        ASSERT_TRUE(WriteFileBytes(dir_ + L"\\r.txt", "earlier"));
        EXPECT_EQ(3u, RunSilent(L"/t r.txt /a t.csv /d G", faults));
        EXPECT_NE(std::string::npos, FaultLog(dir_).find(failed));
        std::string report = ReadFileBytes(dir_ + L"\\r.txt");
        EXPECT_TRUE(row <= 14 ? report == "earlier" : report.find("Write:") != std::string::npos) << report;
        EXPECT_EQ("Computer\r\n", ReadFileBytes(dir_ + L"\\t.csv"));
        EXPECT_TRUE(FilesLike(dir_ + L"\\vur*.tmp").empty());
    }
    EXPECT_TRUE(TestFiles().empty());
}

// A request to close (taskkill without /f) and Wine's simulated log-off in
// the middle of the write pass. Catches a stop that ends with another code
// than 10, a test file left in the drive's root, a report or row written
// from a stopped test, and an earlier report or table touched.
TEST_F(SilentDisk, CloseOrLogOffEndsWithTenLeavingNothing)
{
    for (bool logOff : {false, true}) {
        SCOPED_TRACE(logOff ? "log-off" : "close");
        ASSERT_TRUE(WriteFileBytes(dir_ + L"\\r.txt", "earlier"));
        ASSERT_TRUE(WriteFileBytes(dir_ + L"\\t.csv", "Computer\r\n"));
        ASSERT_TRUE(PaceDrive(L"g", "write=20 read=40 full=0"));
        ASSERT_TRUE(HoldDrive(L"g", "write", kHoldAt));
        App app;
        ASSERT_TRUE(app.Start(Run(L"/t r.txt /a t.csv /d G", "WaitForSingleObject 0 0 ffffffff\n")));
        ASSERT_TRUE(WaitHeld(L"g"));
        HANDLE asker = logOff ? StartEndSession() : StartCloseRequest(app.Pid());
        ASSERT_TRUE(asker);
        // The session's end waits for the worker; a close request is posted.
        if (logOff)
            EXPECT_TRUE(WaitFileHolds(dir_ + L"\\faults.log", "WaitForSingleObject 1")) << "the worker was not waited for";
        else
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(asker, 30000));
        ASSERT_TRUE(ReleaseDrive(L"g"));
        DWORD code = 12345;
        ASSERT_TRUE(app.WaitExit(60000, &code));
        EXPECT_EQ(10u, code);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(asker, 30000));
        CloseHandle(asker);
        EXPECT_TRUE(TestFiles().empty()) << "the test file outlived the run";
        EXPECT_EQ("earlier", ReadFileBytes(dir_ + L"\\r.txt"));
        EXPECT_EQ("Computer\r\n", ReadFileBytes(dir_ + L"\\t.csv"));
        EXPECT_TRUE(FilesLike(dir_ + L"\\vur*.tmp").empty());
    }
}
