// Save Info through the real Save dialog: the name it offers, the bytes it
// writes, replacing a file, and the two error messages.
#include "program.h"
#include "overlay.h"
#include "version.h"

#include <string.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kFileNameEdit = 0x47C;    // the Save dialog's file-name box

std::string Narrow(const std::wstring &text, UINT codePage = CP_ACP)
{
    char buffer[2048];
    int n = WideCharToMultiByte(codePage, 0, text.c_str(), -1, buffer, sizeof(buffer), nullptr, nullptr);
    return n > 0 ? std::string(buffer) : std::string();
}

// A message box of the program's that follows one still closing.
HWND WaitMessageBoxOtherThan(App &app, HWND earlier)
{
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000 && !box; Sleep(50))
        if ((box = app.WaitMessageBox(100)) == earlier)
            box = nullptr;
    return box;
}

}  // namespace

namespace e2e {

// The Windows field's two lines as the report's one line.
std::string OneLineWindowsName(const std::wstring &twoLines)
{
    std::string text = Narrow(twoLines), line;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] != '\n')
            line += text[i];
        else if (i == 0 || text[i - 1] != ' ')
            line += ' ';
    }
    return line;
}

// The report the dialog's fields promise, with the status in codePage.
std::string ExpectedReport(HWND dialog, bool ntFamily, UINT codePage)
{
    std::string r = std::string("VurOdoz version ") + VURODOZ_VERSION + "\r\n\r\n------------ Overlay Info\r\n";
    r += Narrow(ControlText(dialog, IDC_OVERLAY_STATUS), codePage) + "\r\n\r\n";
    r += "------------ Machine Info\r\n";
    r += "Windows:            " + OneLineWindowsName(ControlText(dialog, IDC_WINDOWS)) + "\r\n";
    r += "Computer:           " + Narrow(ControlText(dialog, IDC_COMPUTER)) + "\r\n";
    if (!ntFamily)
        r += "PCI BIOS Version:   " + Narrow(ControlText(dialog, IDC_PCI_BIOS)) + "\r\n";
    r += "Chip Set:           " + Narrow(ControlText(dialog, IDC_CHIPSET)) + "\r\n";
    r += "PCI Latency Timer:  " + Narrow(ControlText(dialog, IDC_LATENCY)) + "\r\n\r\n";
    return r;
}

// Opens Save Info and returns the Save dialog, its name field as offered.
HWND OpenSaveDialog(App &app, HWND dialog, std::wstring *offered)
{
    Press(dialog, IDC_SAVE_INFO);
    HWND save = app.WaitDialogTitled(L"Save Info");
    if (save && offered)
        *offered = ControlText(save, kFileNameEdit);
    return save;
}

// Saves under the name typed into the Save dialog (empty: the offered one).
HWND SaveAs(App &app, HWND dialog, const std::wstring &name)
{
    HWND save = OpenSaveDialog(app, dialog, nullptr);
    if (!save)
        return nullptr;
    if (!name.empty())
        SetWindowTextW(GetDlgItem(save, kFileNameEdit), name.c_str());
    Press(save, IDOK);
    return save;
}

std::string SaveAndRead(App &app, HWND dialog, const std::wstring &dir, const std::wstring &name)
{
    HWND save = SaveAs(app, dialog, name);
    if (!save)
        return "<no Save dialog>";
    WaitGone(save);
    Settle(dialog);
    return ReadFileBytes(dir + L"\\" + name);
}

}  // namespace e2e

// A wrong column, a lost row, a missing line end or a stray byte-order mark
// shows in the exact bytes; a report that appends shows in the replaced file;
// a failed create that still touches the file shows in the locked one. (The
// 9x family's rows are checked by the language runs and the scenarios.)
TEST_F(Program, SaveInfoWritesTheReportAndReplacesWhole)
{
    // The third row of the fourth report (the NT family's has nine) goes
    // only half onto the disk, as when the drive fills in the middle of it.
    Options options;
    options.faults = "WriteFile 30 30\n";
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, kNotTested));

    std::wstring offered;
    HWND save = OpenSaveDialog(app_, dialog, &offered);
    ASSERT_TRUE(save) << "no Save dialog";
    EXPECT_EQ(L"vurodoz.txt", offered);
    Press(save, IDOK);
    std::string expected = ExpectedReport(dialog, true, CP_ACP);
    WaitGone(save);
    Settle(dialog);
    ASSERT_TRUE(WaitControlText(dialog, IDC_OVERLAY_STATUS, kNotTested));
    EXPECT_EQ(expected, ReadFileBytes(dir_ + L"\\vurodoz.txt"));
    EXPECT_EQ(std::string::npos, expected.find("PCI BIOS")) << "the NT family has no PCI BIOS row";

    // A typed name gets .txt; an existing file is asked about, then replaced.
    std::wstring other = dir_ + L"\\other.txt";
    ASSERT_TRUE(WriteFileBytes(other, std::string(600, 'x')));
    save = SaveAs(app_, dialog, L"other");
    ASSERT_TRUE(save);
    HWND ask = app_.WaitMessageBox(5000);
    ASSERT_TRUE(ask && GetDlgItem(ask, IDYES)) << "no question before replacing";
    Press(ask, IDYES);
    WaitGone(save);
    Settle(dialog);
    EXPECT_EQ(expected, ReadFileBytes(other));

    // Cancelling writes nothing.
    save = OpenSaveDialog(app_, dialog, nullptr);
    ASSERT_TRUE(save);
    SetWindowTextW(GetDlgItem(save, kFileNameEdit), L"cancelled.txt");
    Press(save, IDCANCEL);
    WaitGone(save);
    Settle(dialog);
    EXPECT_FALSE(FileExists(dir_ + L"\\cancelled.txt"));

    // A file another process holds open: "Error", and the file as it was.
    HANDLE lock = CreateFileW(other.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    save = SaveAs(app_, dialog, L"other.txt");
    ASSERT_TRUE(save);
    ask = app_.WaitMessageBox(5000);
    ASSERT_TRUE(ask && GetDlgItem(ask, IDYES)) << "no question before replacing";
    Press(ask, IDYES);
    HWND box = WaitMessageBoxOtherThan(app_, ask);
    ASSERT_TRUE(box) << "no message";
    EXPECT_EQ(L"Error", MessageBoxText(box));
    Press(box, IDOK);
    CloseHandle(lock);
    EXPECT_EQ(expected, ReadFileBytes(other));

    save = SaveAs(app_, dialog, L"partial.txt");
    ASSERT_TRUE(save);
    box = WaitMessageBoxOtherThan(app_, save);
    ASSERT_TRUE(box) << "a partly written report taken for saved";
    EXPECT_EQ(L"I/O Error", MessageBoxText(box));
    Press(box, IDOK);
    EXPECT_FALSE(FileExists(dir_ + L"\\partial.txt")) << "a part of a report left";
    CloseWithButton(dialog, IDOK);
}

// A wrong exit code; a window, the readme or the setting touched in a silent
// run; a failed write that loses the earlier report or leaves a part behind;
// a wrong command line that binds the system libraries with Windows' boxes
// still on, or opens the dialog where a switch is glued, doubled, swapped or
// after another word (a script would wait on it for ever); switches swapped,
// dashed or right after the quoted program name not acted on; a clock not
// timed on timeGetTime.
TEST_F(Program, SilentReportExitCodesAndUsage)
{
    DeleteIni();
    ASSERT_TRUE(WriteFileBytes(dir_ + L"\\r.txt", "earlier"));
    EXPECT_EQ(1u, RunSilent(L"/t"));
    // Every wrong line that holds a switch binds the system libraries with
    // Windows' boxes already off.
    for (const wchar_t *wrong : {L"/tr.txt", L"/t a b", L"/t \"x", L"/D:C /t x", L"/d C", L"x /t x", L"/t x -t y"}) {
        EXPECT_EQ(1u, RunSilent(wrong, "DeleteFileA 0 0\n")) << wrong;
        EXPECT_NE(std::string::npos, FaultLog(dir_).find("error mode 8003")) << wrong;
    }
    EXPECT_EQ(2u, RunSilent(L"/t no\\such\\r.txt"));
    // The clock is timed on winmm's timeGetTime where winmm is there.
    EXPECT_EQ(3u, RunSilent(L"-T r.txt", "WriteFile 3 3\n"));
    EXPECT_NE(std::string::npos, FaultLog(dir_).find("timeGetTime\r\n"));
    WIN32_FIND_DATAW found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW((dir_ + L"\\*.tmp").c_str(), &found));
    EXPECT_TRUE(ReadFileBytes(dir_ + L"\\r.txt") == "earlier" && !WaitReadmeWindow(500) && ReadIni() == "<missing>");
    Options glued = Run(L"/t g.txt");
    glued.glued = true;
    EXPECT_TRUE(RunSilent(glued) == 0 && RunSilent(L"-A t.csv /T s.txt") == 0);
    EXPECT_TRUE(FileExists(dir_ + L"\\g.txt") && FileExists(dir_ + L"\\s.txt") && !FileExists(dir_ + L"\\x"));
    EXPECT_EQ(2u, ReadCsv(ReadFileBytes(dir_ + L"\\t.csv")).size());
    Options usage;
    usage.workDir = dir_;
    usage.args = L"/?";
    ASSERT_TRUE(app_.Start(usage));
    HWND box = app_.WaitMessageBox();
    std::wstring usageText = box ? MessageBoxText(box) : L"no usage";
    EXPECT_EQ(ProgramString(IDS_USAGE + LANG_OFFSET_ENGLISH), usageText);
    EXPECT_EQ(usageText.size() - 17, usageText.rfind(L"after the report.")) << "cut to a buffer";
    Press(box, IDOK);
    ExpectExitCode(0);
}

// Catches a replacement chosen by error code instead of by family, a report
// lost or a stray temporary file when a rename, the earlier file's deletion,
// or the temporary file's create, flush or close fails, a temporary file left
// when its first deletion fails, the folder limit off by one either way, and
// a silent run whose error mode comes after the system libraries.
TEST_F(Program, SilentReportReplacesOnEachFamily)
{
    auto files = FilesLike;
    // Where the report is after the run: under r.txt (1), under its temporary
    // name (2), nowhere with r.txt still "earlier" (3), nowhere at all (0).
    // The temporary file's create, flush and close fail on its own (the
    // double matches .tmp files only), and the earlier file's deletion fails.
    const struct { const wchar_t *version; const char *faults; DWORD code; int where; } runs[] = {
        {L"win98", "MoveFileExA 1 9\n", 0, 1}, {L"win98", "MoveFileA 1 9\n", 5, 2},
        {L"win98", "MoveFileA 1 9\n", 2, 0}, {L"winxp", "MoveFileExA 1 9\nDeleteFileA 1 1\n", 2, 3},
        {L"win98", "DeleteFileA 1 1\n", 2, 3}, {L"winxp", "CreateFileA 1 1\n", 2, 3},
        {L"winxp", "FlushFileBuffers 1 1\n", 3, 3}, {L"winxp", "CloseHandle 1 1\n", 3, 3}};
    for (const auto &run : runs) {
        SCOPED_TRACE(run.faults);
        SetWindowsVersion(run.version);
        if (run.where != 0) {
            ASSERT_TRUE(WriteFileBytes(dir_ + L"\\r.txt", "earlier"));
        }
        EXPECT_EQ(run.code, RunSilent(L"/t r.txt", run.faults));
        std::vector<std::wstring> temps = files(dir_ + L"\\vur*.tmp");
        std::string report = ReadFileBytes(dir_ + L"\\" + (temps.empty() ? L"r.txt" : temps[0]));
        EXPECT_EQ(run.where == 2 ? 1u : 0u, temps.size());
        EXPECT_EQ(run.where == 1 || run.where == 3, FileExists(dir_ + L"\\r.txt"));
        EXPECT_TRUE(run.where == 3 ? report == "earlier" : !run.where || report.find("PCI Latency") != std::string::npos);
        EXPECT_TRUE(run.version[3] == L'x' || FaultLog(dir_).find("MoveFileExA") == std::string::npos)
            << "the stub was relied on";
        EXPECT_NE(std::string::npos, FaultLog(dir_).find("error mode 8003"));
        EXPECT_TRUE(run.code == 0 || FaultLog(dir_).find(std::string(run.faults, (const char *)strchr(run.faults, ' ')) + " 1 failed")
                    != std::string::npos) << "the fault was never met";
        for (const std::wstring &temp : temps)
            DeleteFileW((dir_ + L"\\" + temp).c_str());
    }

    // Save Info says where the report is.
    SetWindowsVersion(L"win98");
    ASSERT_TRUE(WriteFileBytes(dir_ + L"\\r.txt", "earlier"));
    Options options;
    options.faults = "MoveFileA 1 9\n";
    HWND dialog = StartToDialog(options), save = dialog ? SaveAs(app_, dialog, L"r.txt") : nullptr;
    HWND ask = app_.WaitMessageBox();
    ASSERT_TRUE(save && ask && GetDlgItem(ask, IDYES));
    Press(ask, IDYES);
    HWND box = WaitMessageBoxOtherThan(app_, ask);
    std::vector<std::wstring> kept = files(dir_ + L"\\vur*.tmp");
    ASSERT_TRUE(box && kept.size() == 1);
    std::wstring text = MessageBoxText(box);
    EXPECT_TRUE(text.find(L"The earlier file was deleted") == 0 && text.rfind(L"\\" + kept[0]) + kept[0].size() + 1
                == text.size()) << text;
    Press(box, IDOK);
    CloseWithButton(dialog, IDOK);

    // A temporary name needs 14 bytes of MAX_PATH beside the folder: with
    // its closing backslash, a folder of 246 bytes is the longest.
    SetWindowsVersion(L"winxp");
    std::wstring deep = dir_;
    while (deep.size() + 62 < 245)
        MakeDirectory(deep += L"\\" + std::wstring(60, L'd'));
    for (size_t length : {245, 246}) {
        std::wstring folder = deep + L"\\" + std::wstring(length - deep.size() - 1, L'e');
        ASSERT_TRUE(folder.size() == length && MakeDirectory(folder));
        EXPECT_EQ(length == 245 ? 0u : 2u, RunSilent(L"/t \"" + folder + L"\\r.txt\""));
        EXPECT_EQ(length == 245, FileExists(folder + L"\\r.txt")) << length;
        EXPECT_EQ(length == 245 ? 1u : 0u, files(folder + L"\\*").size()) << "a file was left in the long folder";
    }
}
