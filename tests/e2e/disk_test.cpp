// The HDD Test on tmpfs drives of its own (tests/wine/with-test-disks):
// F: has 60 MiB, too little for a test, G: has 140 MiB.
#include "program.h"

using namespace e2e;

bool e2e::IsRateText(const std::wstring &t)
{
    return t.size() >= 8 && t.compare(t.size() - 3, 3, L"B/S") == 0;
}

static std::vector<std::wstring> TestFiles()
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(L"G:\\VKT*", &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        names.push_back(found.cFileName);
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void e2e::ChooseDrive(HWND dialog, const wchar_t *letter)
{
    std::vector<std::wstring> items = ComboItems(dialog, IDC_DRIVE);
    ChooseComboItem(dialog, IDC_DRIVE, (int)(std::find(items.begin(), items.end(), letter) - items.begin()));
    Settle(dialog);
}

HWND e2e::RunHddTest(App &app, HWND dialog, DWORD appearMs)
{
    Press(dialog, IDC_HDD_TEST);
    HWND progress = app.WaitProgressDialog(appearMs);
    WaitGone(progress, 60000);
    Settle(dialog);
    return progress;
}

// Catches a test started without room for its large stage, a wrong or
// missing message 511, and a name search that reuses one of 100 taken names.
TEST_F(Program, DiskNoRoomOrNoNameChangesNothing)
{
    if (RigPath(L"").empty())
        GTEST_SKIP() << "needs tests/wine/with-test-disks";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ChooseDrive(dialog, L"F");
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
    Press(dialog, IDC_HDD_TEST);
    EXPECT_FALSE(app_.WaitProgressDialog(1500)) << "a test ran with every name taken";
    std::vector<std::wstring> names = TestFiles();
    EXPECT_EQ(100u, names.size()) << "a taken name was used and deleted";
    for (const std::wstring &name : names)
        DeleteFileW((L"G:\\" + name).c_str());
    CloseWithButton(dialog, IDOK);
}

// Under the CPU cap a pass takes a measurable time. Catches a file of
// someone else's replaced, a progress dialog that closes on Escape or has a
// close box, rates not kept per drive, a file or handle left behind, STOP
// that does not stop, a short write taken for success, and a failed test
// that wipes the earlier rates.
TEST_F(Program, DiskTestCompletesStopsFailsAndKeepsRates)
{
    if (RigPath(L"").empty())
        GTEST_SKIP() << "needs tests/wine/with-test-disks";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ChooseDrive(dialog, L"G");
    HANDLE held = CreateFileW(L"G:\\VKT00.dat", GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(held, "keep", 4, &done, nullptr));
    ASSERT_TRUE(CapProgram(true));

    Press(dialog, IDC_HDD_TEST);
    HWND progress = app_.WaitProgressDialog();
    ASSERT_TRUE(progress);
    EXPECT_FALSE(GetWindowLongW(progress, GWL_STYLE) & WS_SYSMENU) << "a close box";
    EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Write performance"));
    EXPECT_EQ(std::vector<std::wstring>({L"VKT00.dat", L"VKT01.dat"}), TestFiles());
    PressKey(progress, VK_ESCAPE);
    PostMessageW(progress, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Read performance", 20000)) << "Escape ended it";
    WaitGone(progress, 60000);
    Settle(dialog);
    std::wstring read = ControlText(dialog, IDC_READ_RATE), write = ControlText(dialog, IDC_WRITE_RATE);
    EXPECT_TRUE(IsRateText(read) && IsRateText(write)) << read << " " << write;
    EXPECT_EQ(4u, GetFileSize(held, nullptr)) << "the held file was replaced";
    EXPECT_EQ(std::vector<std::wstring>({L"VKT00.dat"}), TestFiles()) << "one file too many or too few";
    CloseHandle(held);
    DeleteFileW(L"G:\\VKT00.dat");
    int handles = HandleCount(app_.Pid());

    ChooseDrive(dialog, L"C");
    EXPECT_TRUE(WaitControlText(dialog, IDC_WRITE_RATE, kNotTested));
    ChooseDrive(dialog, L"G");
    EXPECT_TRUE(WaitControlText(dialog, IDC_READ_RATE, read));
    EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));

    // STOP twice, then a drive that fills while a write pass runs. Under the
    // cap the dialog drains its posted progress before it sees the end, so a
    // stop shows as the passes begun after it: at most the next one.
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round == 0 ? "stop" : "full drive");
        Press(dialog, IDC_HDD_TEST);
        progress = app_.WaitProgressDialog();
        EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Write performance", 20000));
        HANDLE filler = round ? CreateFileW(L"G:\\filler", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr) : nullptr;
        std::vector<char> block(1 << 20);
        for (int mb = 0; round && mb < 140 && WriteFile(filler, block.data(), 1 << 20, &done, nullptr) && done; mb++) {}
        for (int click = 0; !round && click < 2; click++)
            ClickCheckBox(progress, IDC_STOP);     // a sent click, ahead of the posted backlog
        int passes = 0;
        std::wstring status = ControlText(progress, IDC_STATUS);
        for (DWORD start = GetTickCount(); IsWindow(progress) && GetTickCount() - start < 30000; Sleep(20)) {
            std::wstring now = ControlText(progress, IDC_STATUS);
            passes += IsWindow(progress) && now != status;
            status = now;
        }
        EXPECT_LE(passes, round ? 3 : 1) << "the test went on";
        Settle(dialog);
        EXPECT_EQ(read, ControlText(dialog, IDC_READ_RATE));
        EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));
        EXPECT_TRUE(TestFiles().empty());
        CloseHandle(filler);
        DeleteFileW(L"G:\\filler");
    }
    if (handles > 0) {
        EXPECT_EQ(handles, HandleCount(app_.Pid()));
    }
    EXPECT_TRUE(CapProgram(false));
    CloseWithButton(dialog, IDOK);
}
