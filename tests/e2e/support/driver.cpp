// Works the real vurodoz.exe from outside, as a user would.
#include "driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

std::wstring FromUtf8(const char *text)
{
    wchar_t buffer[2048];
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, 2048);
    return n > 0 ? std::wstring(buffer) : std::wstring();
}

std::wstring Env(const wchar_t *name)
{
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer) : std::wstring();
}

// The build hands its folders over as Unix paths; Wine's Z: is the Unix root.
static std::wstring UnixToWindows(const std::wstring &unix)
{
    std::wstring path = L"Z:" + unix;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring WorkPath(const std::wstring &name)
{
    std::wstring root = UnixToWindows(Env(L"VURODOZ_WORK"));
    CreateDirectoryW(root.c_str(), nullptr);
    return name.empty() ? root : root + L"\\" + name;
}

std::wstring DistPath(const std::wstring &name)
{
    return UnixToWindows(Env(L"VURODOZ_DIST")) + L"\\" + name;
}

bool MakeDirectory(const std::wstring &path)
{
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyDistFile(const std::wstring &name, const std::wstring &toDir)
{
    return CopyFileW(DistPath(name).c_str(), (toDir + L"\\" + name).c_str(), FALSE) != 0;
}

bool FileExists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring &path)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring FreshDirectory(const std::wstring &name)
{
    std::wstring path = WorkPath(name);
    RemoveTree(path);
    MakeDirectory(path);
    return path;
}

static void SetRegString(HKEY root, const wchar_t *key, const wchar_t *name, const std::wstring &value)
{
    HKEY k;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(k, name, 0, REG_SZ, (const BYTE *)value.c_str(),
                       (DWORD)((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    }
}

// A child does not take WINEDLLOVERRIDES from its parent's Windows
// environment, but the program's AppDefaults key holds for every start.
void SetDllOverride(const wchar_t *dll, const wchar_t *order)
{
    const wchar_t *key = L"Software\\Wine\\AppDefaults\\vurodoz.exe\\DllOverrides";
    if (order) {
        SetRegString(HKEY_CURRENT_USER, key, dll, order);
        return;
    }
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
        RegDeleteValueW(k, dll);
        RegCloseKey(k);
    }
}

void SetWindowsVersion(const wchar_t *version)
{
    SetRegString(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\vurodoz.exe", L"Version", version);
}

std::wstring IniPath()
{
    wchar_t dir[MAX_PATH];
    GetWindowsDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\tolvane.ini";
}

void DeleteIni()
{
    DeleteFileW(IniPath().c_str());
}

void WriteIni(const char *content)
{
    HANDLE f = CreateFileW(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done;
    WriteFile(f, content, (DWORD)strlen(content), &done, nullptr);
    CloseHandle(f);
}

std::string ReadFileBytes(const std::wstring &path)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    std::string bytes(f == INVALID_HANDLE_VALUE ? 0 : GetFileSize(f, nullptr), '\0');
    DWORD done = 0;
    if (!bytes.empty())
        ReadFile(f, &bytes[0], (DWORD)bytes.size(), &done, nullptr);
    CloseHandle(f);
    return bytes.substr(0, done);
}

bool WriteFileBytes(const std::wstring &path, const std::string &bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    BOOL ok = f != INVALID_HANDLE_VALUE && WriteFile(f, bytes.data(), (DWORD)bytes.size(), &done, nullptr);
    if (f != INVALID_HANDLE_VALUE)
        CloseHandle(f);
    return ok && done == bytes.size();
}

std::vector<std::wstring> FilesLike(const std::wstring &pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        if (found.cFileName[0] != L'.')
            names.push_back(found.cFileName);
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool WaitFileHolds(const std::wstring &path, const std::string &text, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
        if (ReadFileBytes(path).find(text) != std::string::npos)
            return true;
    return false;
}

std::wstring DoublesPath(const std::wstring &name)
{
    return UnixToWindows(Env(L"VURODOZ_DOUBLES")) + L"\\" + name;
}

std::string ReadIni()
{
    return FileExists(IniPath()) ? ReadFileBytes(IniPath()) : "<missing>";
}

static std::wstring SystemFile(const wchar_t *name)
{
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + name;
}

// The prefix's own winmm.dll is kept aside while the fault double stands in
// its place, so that no later test meets the double.
static void PutBackSystemWinmm()
{
    if (FileExists(SystemFile(L"winmm.dll.vurodoz"))
        && (DeleteFileW(SystemFile(L"winmm.dll").c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND))
        MoveFileW(SystemFile(L"winmm.dll.vurodoz").c_str(), SystemFile(L"winmm.dll").c_str());
}

App::~App()
{
    Kill();
    PutBackSystemWinmm();
}

bool App::Start(const Options &options)
{
    std::wstring exe = (options.exeDir.empty() ? options.workDir : options.exeDir) + L"\\vurodoz.exe";
    std::wstring command = L"\"" + exe + (options.glued ? L"\"" : L"\" ") + options.args;
    std::vector<wchar_t> commandLine(command.begin(), command.end());
    commandLine.push_back(0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    // Wine mangles the program's path when a long directory is handed to
    // CreateProcess, but not when the child inherits it.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    if (!SetCurrentDirectoryW(options.workDir.c_str()))
        return false;
    const wchar_t *oldOrder = options.oldSearchOrder ? L"native,builtin" : nullptr;
    SetDllOverride(L"ddraw", options.nativeDdraw ? L"native" : oldOrder);
    SetDllOverride(L"wined3d", oldOrder);
    std::wstring exeDir = options.exeDir.empty() ? options.workDir : options.exeDir;
    DeleteFileW((exeDir + L"\\faults.log").c_str());
    if (!options.faults.empty()) {
        HANDLE f = CreateFileW((exeDir + L"\\faults.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        WriteFile(f, options.faults.data(), (DWORD)options.faults.size(), &done, nullptr);
        CloseHandle(f);
        // The program takes winmm from the system directory only. Wine's
        // file there may be a hard link to its own copy: moved aside, not
        // written through.
        PutBackSystemWinmm();
        std::wstring target = SystemFile(L"winmm.dll");
        if (!MoveFileW(target.c_str(), SystemFile(L"winmm.dll.vurodoz").c_str())
            && GetLastError() != ERROR_FILE_NOT_FOUND)
            return false;
        if (!CopyFileW(DoublesPath(L"winmm.dll").c_str(), target.c_str(), TRUE))
            return false;
    } else {
        PutBackSystemWinmm();
    }
    SetDllOverride(L"winmm", options.faults.empty() ? oldOrder : L"native");
    BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &si, &pi_);
    SetCurrentDirectoryW(previous);
    return started != 0;
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> App::TopWindows()
{
    std::vector<HWND> all, mine;
    EnumWindows(CollectWindow, (LPARAM)&all);
    for (HWND w : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == pi_.dwProcessId && IsWindowVisible(w))
            mine.push_back(w);
    }
    return mine;
}

static bool IsDialogWindow(HWND w)
{
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    return wcscmp(cls, L"#32770") == 0;
}

static bool IsMainDialog(HWND w)
{
    return IsDialogWindow(w) && GetDlgItem(w, 401);
}

static bool IsMessageBox(HWND w)
{
    return IsDialogWindow(w) && !GetDlgItem(w, 401) && GetDlgItem(w, 0xFFFF);
}

HWND App::WaitWindow(bool (*match)(HWND), DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (HWND w : TopWindows())
            if (match(w))
                return w;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND App::WaitMainDialog(DWORD timeoutMs)
{
    return WaitWindow(IsMainDialog, timeoutMs);
}

static bool IsProgressDialog(HWND w)
{
    return IsDialogWindow(w) && GetDlgItem(w, 471);
}

HWND App::WaitProgressDialog(DWORD timeoutMs)
{
    return WaitWindow(IsProgressDialog, timeoutMs);
}

HWND App::WaitMessageBox(DWORD timeoutMs)
{
    return WaitWindow(IsMessageBox, timeoutMs);
}

HWND App::WaitDialogTitled(const std::wstring &title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (HWND w : TopWindows())
            if (IsDialogWindow(w) && Text(w) == title)
                return w;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool App::AnyWindowWithin(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (!TopWindows().empty())
            return true;
        if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool App::WaitExit(DWORD timeoutMs, DWORD *code)
{
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(pi_.hProcess, code);
    return true;
}

void App::Kill()
{
    if (!pi_.hProcess)
        return;
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
    pi_ = PROCESS_INFORMATION{};
}

std::wstring Text(HWND window)
{
    wchar_t buffer[4096] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, (LPARAM)buffer, SMTO_ABORTIFHUNG, 5000, &n);
    return buffer;
}

std::wstring ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? Text(control) : L"<no control>";
}

std::wstring MessageBoxText(HWND box)
{
    return ControlText(box, 0xFFFF);
}

bool WaitGone(HWND window, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < timeoutMs;)
        Sleep(50);
    return !IsWindow(window);
}

void Settle(HWND window)
{
    DWORD_PTR result;
    // A sent message is handled after everything posted before it.
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    Sleep(100);
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

bool Press(HWND dialog, int id)
{
    // A post would reach a dialog that a modal child has disabled, which no
    // user could press: wait for the child to go first.
    for (DWORD start = GetTickCount(); !IsWindowEnabled(dialog); Sleep(50))
        if (!IsWindow(dialog) || GetTickCount() - start > 60000)
            return false;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

void PressKey(HWND dialog, UINT vk)
{
    HWND target = GetDlgItem(dialog, IDOK);
    PostMessageW(target ? target : dialog, WM_KEYDOWN, vk, 1);
    PostMessageW(target ? target : dialog, WM_KEYUP, vk, 0xC0000001);
}

void ClickCheckBox(HWND dialog, int id)
{
    DWORD_PTR result;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

bool IsChecked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    HWND combo = GetDlgItem(dialog, id);
    DWORD_PTR count = 0;
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (DWORD_PTR i = 0; i < count; i++) {
        wchar_t buffer[64] = L"";
        DWORD_PTR n;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, (LPARAM)buffer, SMTO_ABORTIFHUNG, 5000, &n);
        items.push_back(buffer);
    }
    return items;
}

int ComboSelection(HWND dialog, int id)
{
    DWORD_PTR index = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &index);
    return (int)(LRESULT)index;
}

void ChooseComboItem(HWND dialog, int id, int index)
{
    HWND combo = GetDlgItem(dialog, id);
    DWORD_PTR result;
    // What a pick from the list does: the selection moves, then the owner hears of it.
    SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, &result);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

bool WaitControlText(HWND dialog, int id, const std::wstring &want, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (ControlText(dialog, id) == want)
            return true;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

struct NotepadSearch {
    bool close = false;
    int windows = 0;
    int readmes = 0;
};

static BOOL CALLBACK VisitNotepad(HWND w, LPARAM param)
{
    NotepadSearch *search = reinterpret_cast<NotepadSearch *>(param);
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (_wcsicmp(cls, L"Notepad") != 0)
        return TRUE;
    wchar_t title[512] = L"";
    GetWindowTextW(w, title, 512);
    search->windows++;
    if (wcsstr(title, L"readme"))
        search->readmes++;
    if (search->close)
        PostMessageW(w, WM_CLOSE, 0, 0);
    return TRUE;
}

static NotepadSearch FindNotepads(bool close)
{
    NotepadSearch search;
    search.close = close;
    EnumWindows(VisitNotepad, (LPARAM)&search);
    return search;
}

bool WaitReadmeWindow(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (FindNotepads(false).readmes > 0)
            return true;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

void CloseNotepads()
{
    // A closing Notepad must be gone before the next test looks for one.
    DWORD start = GetTickCount();
    while (FindNotepads(true).windows > 0 && GetTickCount() - start < 5000)
        Sleep(100);
}

int HandleCount(DWORD pid)
{
    struct Entry { ULONG Pid; UCHAR Type, Flags; USHORT Handle; PVOID Object; ACCESS_MASK Access; };
    typedef LONG (WINAPI *Query)(ULONG, PVOID, ULONG, PULONG);
    Query query = (Query)(void *)GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation");
    std::vector<char> buffer(8 << 20);
    HKEY key = nullptr;    // Wine's own code opens keys when it likes: they are left out
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key);
    LONG status = query(16 /* SystemHandleInformation */, buffer.data(), (ULONG)buffer.size(), nullptr);
    RegCloseKey(key);
    const Entry *first = (const Entry *)(buffer.data() + sizeof(ULONG)), *end = first + *(ULONG *)buffer.data();
    const Entry *probe = std::find_if(first, end, [&](const Entry &e) {
        return e.Pid == GetCurrentProcessId() && e.Handle == (USHORT)(ULONG_PTR)key; });
    if (status != 0 || probe == end)
        return -1;
    return (int)std::count_if(first, end, [&](const Entry &e) { return e.Pid == pid && e.Type != probe->Type; });
}

std::wstring RigPath(const std::wstring &name)
{
    std::wstring rig = Env(L"VURODOZ_RIG");
    return rig.empty() ? rig : UnixToWindows(rig) + L"\\" + name;
}

bool PaceDrive(const wchar_t *letter, const char *settings)
{
    HANDLE f = CreateFileW(RigPath(std::wstring(letter) + L".pace").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    BOOL ok = WriteFile(f, settings, (DWORD)strlen(settings), &done, nullptr);
    return CloseHandle(f) && ok;
}

DWORD PeakSize(const wchar_t *letter, const char *name)
{
    std::string log = "\n" + ReadFileBytes(RigPath(std::wstring(letter) + L".pace.log"));
    size_t at = log.rfind("\n" + std::string(name) + " ");
    return at == std::string::npos ? 0 : strtoul(log.c_str() + at + strlen(name) + 2, nullptr, 10);
}

bool HoldDrive(const wchar_t *letter, const char *direction, DWORD byte)
{
    char settings[64];
    sprintf(settings, "hold=%s:%lu", direction, (unsigned long)byte);
    return PaceDrive(letter, settings);
}

bool WaitHeld(const wchar_t *letter)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(20))
        if (FileExists(RigPath(std::wstring(letter) + L".pace.held")))
            return true;
    return false;
}

bool ReleaseDrive(const wchar_t *letter)
{
    return PaceDrive(letter, "hold=none");
}

static HANDLE StartOnTheSide(std::wstring command)
{
    STARTUPINFOW si{};
    PROCESS_INFORMATION pi{};
    si.cb = sizeof(si);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

HANDLE StartEndSession()
{
    return StartOnTheSide(L"wineboot.exe --end-session");
}

HANDLE StartCloseRequest(DWORD pid)
{
    return StartOnTheSide(L"taskkill.exe /pid " + std::to_wstring(pid));
}

std::wstring ProgramString(UINT id)
{
    HMODULE module = LoadLibraryExW(DistPath(L"vurodoz.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t buffer[4096] = L"";
    if (module) {
        LoadStringW(module, id, buffer, 4096);
        FreeLibrary(module);
    }
    return buffer;
}

}  // namespace e2e
