// The HDD Test on drives of its own (tests/wine/with-test-disks): F: is a
// 60 MiB tmpfs, too small for a test, G: a 140 MiB one.
#include "program.h"

using namespace e2e;

static const wchar_t kNoSpace[] = L"You need more than 100MB of free disk space for testing";

static bool IsRateText(const std::wstring &t)
{
    size_t unit = t.size() < 8 ? 0 : t.size() - 4;
    return unit >= 4 && (t.substr(unit) == L"KB/S" || t.substr(unit) == L"MB/S") &&
           t.find_first_not_of(L" 0123456789") == unit && t[unit - 1] != L' ';
}

static std::vector<std::wstring> TestFiles(const wchar_t *root)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((std::wstring(root) + L"VKT*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do names.push_back(found.cFileName); while (FindNextFileW(find, &found));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
}

static void ChooseDrive(HWND dialog, const wchar_t *letter)
{
    std::vector<std::wstring> items = ComboItems(dialog, IDC_DRIVE);
    int at = (int)(std::find(items.begin(), items.end(), letter) - items.begin());
    ASSERT_LT(at, (int)items.size()) << "drive " << letter << " not listed";
    ChooseComboItem(dialog, IDC_DRIVE, at);
    Settle(dialog);
}

static bool WaitGone(HWND window, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50))
        if (!IsWindow(window))
            return true;
    return false;
}

// Catches a test started without room for its large stage, a missing or
// wrong 511 message, and a name search that replaces one of 100 taken names.
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
    EXPECT_EQ(kNoSpace, MessageBoxText(box));
    EXPECT_EQ(ProgramString(IDS_NO_SPACE + LANG_OFFSET_ENGLISH), MessageBoxText(box));
    EXPECT_EQ(L"VurOdoz", Text(box));
    EXPECT_FALSE(app_.WaitProgressDialog(0));
    Press(box, IDOK);

    ChooseDrive(dialog, L"G");
    for (int n = 0; n < 100; n++) {
        wchar_t name[32];
        wsprintfW(name, L"G:\\VKT%02d.dat", n);
        HANDLE f = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD done;
        WriteFile(f, name, 8, &done, nullptr);
        CloseHandle(f);
    }
    Press(dialog, IDC_HDD_TEST);
    EXPECT_FALSE(app_.WaitProgressDialog(1500)) << "a test ran with every name taken";
    EXPECT_FALSE(app_.WaitMessageBox(0));
    EXPECT_EQ(100u, TestFiles(L"G:\\").size());
    for (const std::wstring &name : TestFiles(L"G:\\")) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        EXPECT_TRUE(GetFileAttributesExW((L"G:\\" + name).c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(8u, data.nFileSizeLow) << name;
        DeleteFileW((L"G:\\" + name).c_str());
    }
    EXPECT_EQ(kNotTested, ControlText(dialog, IDC_READ_RATE));
    CloseWithButton(dialog, IDOK);
}

// Under the CPU cap a pass takes a measurable time. Catches a file of
// someone else's replaced, a progress dialog that closes on Escape or has a
// close box, rates not stored per drive, a file or handle left behind, STOP
// that does not stop, a short write taken as success, and a failed test
// that wipes the earlier rates.
TEST_F(Program, DiskTestCompletesStopsFailsAndKeepsRates)
{
    if (RigPath(L"").empty())
        GTEST_SKIP() << "needs tests/wine/with-test-disks";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ChooseDrive(dialog, L"G");
    HANDLE held = CreateFileW(L"G:\\VKT00.dat", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    DWORD done = 0;
    WriteFile(held, "keep", 4, &done, nullptr);
    ASSERT_TRUE(CapProgram(true));

    Press(dialog, IDC_HDD_TEST);
    HWND progress = app_.WaitProgressDialog();
    ASSERT_TRUE(progress);
    EXPECT_EQ(L"VurOdoz (Hard Disk)", Text(progress));
    EXPECT_FALSE(GetWindowLongW(progress, GWL_STYLE) & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(IsWindowEnabled(dialog));
    EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Write performance"));
    EXPECT_EQ(std::vector<std::wstring>({L"VKT00.dat", L"VKT01.dat"}), TestFiles(L"G:\\"));
    PressKey(progress, VK_ESCAPE);
    PostMessageW(progress, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Read performance", 20000));
    EXPECT_TRUE(IsWindow(progress)) << "Escape or WM_CLOSE ended the test";
    ASSERT_TRUE(WaitGone(progress, 60000));
    Settle(dialog);
    std::wstring read = ControlText(dialog, IDC_READ_RATE), write = ControlText(dialog, IDC_WRITE_RATE);
    EXPECT_TRUE(IsRateText(read)) << read;
    EXPECT_TRUE(IsRateText(write)) << write;
    char kept[8] = "";
    SetFilePointer(held, 0, nullptr, FILE_BEGIN);
    ReadFile(held, kept, sizeof kept, &done, nullptr);
    EXPECT_EQ("keep", std::string(kept, done));
    CloseHandle(held);
    DeleteFileW(L"G:\\VKT00.dat");
    EXPECT_TRUE(TestFiles(L"G:\\").empty());
    int handles = HandleCount(app_.Pid());

    ChooseDrive(dialog, L"C");
    EXPECT_TRUE(WaitControlText(dialog, IDC_READ_RATE, kNotTested));
    EXPECT_EQ(kNotTested, ControlText(dialog, IDC_WRITE_RATE));
    ChooseDrive(dialog, L"G");
    EXPECT_TRUE(WaitControlText(dialog, IDC_READ_RATE, read));
    EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));

    // STOP twice, then a drive that fills while the write pass runs. Under
    // the cap the dialog drains a backlog of posted progress positions
    // before it sees the end, so the worker's stop shows as the passes that
    // start after STOP: at most the one it was about to begin.
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round == 0 ? "stop" : "full drive");
        Press(dialog, IDC_HDD_TEST);
        progress = app_.WaitProgressDialog();
        ASSERT_TRUE(progress);
        EXPECT_TRUE(WaitControlText(progress, IDC_STATUS, L"Testing Write performance"));
        HANDLE filler = INVALID_HANDLE_VALUE;
        if (round == 0) {
            // BM_CLICK is sent, so it is handled ahead of that backlog.
            ClickCheckBox(progress, IDC_STOP);
            ClickCheckBox(progress, IDC_STOP);
        } else {
            filler = CreateFileW(L"G:\\filler.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            std::vector<char> block(1 << 20);
            for (int mb = 0; mb < 140 && WriteFile(filler, block.data(), (DWORD)block.size(), &done, nullptr) &&
                 done == block.size(); mb++) {}
        }
        int passes = 0;
        std::wstring status = L"Testing Write performance";
        for (DWORD start = GetTickCount(); IsWindow(progress) && GetTickCount() - start < 30000; Sleep(20)) {
            std::wstring now = ControlText(progress, IDC_STATUS);
            passes += IsWindow(progress) && now != status;
            status = now;
        }
        EXPECT_FALSE(IsWindow(progress));
        EXPECT_LE(passes, 1) << "the test went on";
        Settle(dialog);
        EXPECT_EQ(read, ControlText(dialog, IDC_READ_RATE));
        EXPECT_EQ(write, ControlText(dialog, IDC_WRITE_RATE));
        EXPECT_TRUE(TestFiles(L"G:\\").empty());
        if (filler != INVALID_HANDLE_VALUE) {
            CloseHandle(filler);
            DeleteFileW(L"G:\\filler.bin");
        }
    }
    if (handles > 0) {
        EXPECT_EQ(handles, HandleCount(app_.Pid()));
    }
    EXPECT_TRUE(CapProgram(false));
    CloseWithButton(dialog, IDOK);
}
