// Works the real vurodoz.exe from outside, as a user would: starts it in a
// prepared working directory, finds its windows, reads and presses controls,
// answers its message boxes and waits for its exit.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

std::wstring FromUtf8(const char *text);
std::wstring Env(const wchar_t *name);
// Windows path of a directory or file below the build's test work area.
std::wstring WorkPath(const std::wstring &name);
std::wstring DistPath(const std::wstring &name);
bool MakeDirectory(const std::wstring &path);
bool CopyDistFile(const std::wstring &name, const std::wstring &toDir);
bool FileExists(const std::wstring &path);
void RemoveTree(const std::wstring &path);
// A fresh, empty working directory for one test.
std::wstring FreshDirectory(const std::wstring &name);

// The Windows version that Wine plays for vurodoz.exe (win98, winxp, ...).
void SetWindowsVersion(const wchar_t *version);
// Wine's load order for one DLL of vurodoz.exe ("native", ...); null: the default.
void SetDllOverride(const wchar_t *dll, const wchar_t *order);

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring &path);
// Makes path hold exactly bytes.
bool WriteFileBytes(const std::wstring &path, const std::string &bytes);
// The names of the files that match pattern ("G:\\VKT*"), sorted.
std::vector<std::wstring> FilesLike(const std::wstring &pattern);
// Waits until the file holds text.
bool WaitFileHolds(const std::wstring &path, const std::string &text, DWORD timeoutMs = 20000);
// Windows path of a test double built into build/doubles.
std::wstring DoublesPath(const std::wstring &name);
// What the fault double beside the program in dir has logged.
inline std::string FaultLog(const std::wstring &dir) { return ReadFileBytes(dir + L"\\faults.log"); }
std::wstring IniPath();
void DeleteIni();
void WriteIni(const char *content);
// The file's bytes, or "<missing>".
std::string ReadIni();

struct Options {
    std::wstring workDir;                // the program's current directory
    std::wstring exeDir;                 // where vurodoz.exe lies; workDir when empty
    bool nativeDdraw = false;            // load the ddraw.dll beside the program, not Wine's
    // winmm, ddraw and wined3d (which Wine's ddraw imports) native before
    // builtin: a file of the name wherever the search finds one is loaded,
    // as on the old systems.
    bool oldSearchOrder = false;
    // When set, the fault double (tests/doubles/faultwinmm.c) goes into the
    // system directory as winmm.dll with this as its faults.txt beside the
    // program.
    std::string faults;
    std::wstring args;                   // the command line after the program's name
    bool glued = false;                  // args right after the quoted name, without a blank
};

class App {
public:
    ~App();
    bool Start(const Options &options);
    // The main dialog (the window that has the overlay status field).
    HWND WaitMainDialog(DWORD timeoutMs = 20000);
    // A message box of the program's: a dialog without the status field.
    HWND WaitMessageBox(DWORD timeoutMs = 20000);
    // The disk test's progress dialog (the window with the STOP button).
    HWND WaitProgressDialog(DWORD timeoutMs = 20000);
    DWORD Pid() const { return pi_.dwProcessId; }
    // Any top-level window of the program appearing within the time.
    bool AnyWindowWithin(DWORD timeoutMs);
    // A dialog of the program's (class #32770) with this title.
    HWND WaitDialogTitled(const std::wstring &title, DWORD timeoutMs = 20000);
    bool WaitExit(DWORD timeoutMs, DWORD *code);
    void Kill();
private:
    PROCESS_INFORMATION pi_{};
    std::vector<HWND> TopWindows();
    HWND WaitWindow(bool (*match)(HWND), DWORD timeoutMs);
};

std::wstring Text(HWND window);
std::wstring ControlText(HWND dialog, int id);
std::wstring MessageBoxText(HWND box);
// A button click, once the dialog is enabled; false when it stays disabled.
bool Press(HWND dialog, int id);
void PressKey(HWND dialog, UINT vk);       // a key the dialog manager sees
void ClickCheckBox(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
void ChooseComboItem(HWND dialog, int id, int index);
// Waits until the control's text equals the wanted one.
bool WaitControlText(HWND dialog, int id, const std::wstring &want, DWORD timeoutMs = 5000);
// Waits until the window no longer exists.
bool WaitGone(HWND window, DWORD timeoutMs = 10000);
// Lets the program handle what has been posted to it so far.
void Settle(HWND window);

// A Notepad window showing the readme, if one opened; closes every Notepad.
bool WaitReadmeWindow(DWORD timeoutMs);
void CloseNotepads();

// Kernel handles the process holds, keys left out (Wine's GetProcessHandleCount says 0).
int HandleCount(DWORD pid);
// Windows path of a file in the disk tests' rig (tests/wine/with-test-disks);
// empty outside it.
std::wstring RigPath(const std::wstring &name);
// Changes a rig drive's settings ("write=12 read=12", "full=1"; see
// tests/wine/paced-drive); what is not named stays.
bool PaceDrive(const wchar_t *letter, const char *settings);
// The largest size a removed file of the rig drive reached; 0 if none was removed.
DWORD PeakSize(const wchar_t *letter, const char *name);
// Holds the rig drive's next "write" or "read" that reaches byte until
// ReleaseDrive (tests/wine/paced-drive), and waits until one is held.
bool HoldDrive(const wchar_t *letter, const char *direction, DWORD byte);
bool WaitHeld(const wchar_t *letter);
bool ReleaseDrive(const wchar_t *letter);

// Wine's simulated log-off, started on the side: every program of the
// prefix with a window is asked to end its session, and then ended.
HANDLE StartEndSession();
// A request to close the program pid, as taskkill without /f makes it.
HANDLE StartCloseRequest(DWORD pid);

// A string of vurodoz.exe's own string table.
std::wstring ProgramString(UINT id);

}  // namespace e2e
