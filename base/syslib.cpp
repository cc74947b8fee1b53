/* Run-time libraries by full path. Windows 95 to 2000 search the current
   directory before the system directory, so a library named bare, or one
   imported at load time that the system has not already loaded, could come
   from whatever folder the program was started in. */
#include "syslib.h"
#include "pathname.h"

typedef DWORD (WINAPI *TimeGetTimeProc)(void);
typedef void (WINAPI *InitCommonControlsProc)(void);
typedef BOOL (WINAPI *GetSaveFileNameProc)(OPENFILENAMEA *);
typedef HINSTANCE (WINAPI *ShellExecuteProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static int                    SystemCallsBound;
static TimeGetTimeProc        TimeGetTimeCall;
static InitCommonControlsProc InitCommonControlsCall;
static GetSaveFileNameProc    GetSaveFileNameCall;
static ShellExecuteProc       ShellExecuteCall;

int PathBesideProgram(char *path, const char *fileName)
{
    return PlaceBesideModule(path, GetModuleFileNameA(NULL, path, MAX_PATH), fileName);
}

HMODULE LoadLibraryBesideProgram(const char *fileName)
{
    char path[MAX_PATH];

    if (!PathBesideProgram(path, fileName))
        return NULL;
    return LoadLibraryA(path);
}

/* fileName in the system directory, into path (MAX_PATH bytes). */
static int SystemPath(char *path, const char *fileName)
{
    UINT length = GetSystemDirectoryA(path, MAX_PATH);

    if (length == 0 || length >= MAX_PATH)
        return 0;
    if (path[length - 1] != '\\')
        path[length++] = '\\';
    if (length + lstrlenA(fileName) >= MAX_PATH)
        return 0;
    lstrcpyA(path + length, fileName);
    return 1;
}

/* By full path, so that a library of the name in the current folder, which
   Windows 95 to 2000 search first, is never taken. The altered search makes
   the loader look for what the library imports in the library's own folder,
   the system directory, before the current one as well. */
HMODULE LoadSystemLibrary(const char *fileName)
{
    char path[MAX_PATH];

    if (!SystemPath(path, fileName))
        return NULL;
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

static FARPROC FindSystemCall(const char *fileName, const char *name)
{
    HMODULE library = LoadSystemLibrary(fileName);

    /* Kept loaded for the whole run, as an import would be. */
    return library ? GetProcAddress(library, name) : NULL;
}

void BindSystemCalls(void)
{
    if (SystemCallsBound)
        return;
    SystemCallsBound = 1;
    TimeGetTimeCall = (TimeGetTimeProc)(void *)FindSystemCall("winmm.dll", "timeGetTime");
    InitCommonControlsCall = (InitCommonControlsProc)(void *)FindSystemCall("comctl32.dll", "InitCommonControls");
    ShellExecuteCall = (ShellExecuteProc)(void *)FindSystemCall("shell32.dll", "ShellExecuteA");
    GetSaveFileNameCall = (GetSaveFileNameProc)(void *)FindSystemCall("comdlg32.dll", "GetSaveFileNameA");
}

DWORD NowMs(void)
{
    BindSystemCalls();
    return TimeGetTimeCall ? TimeGetTimeCall() : GetTickCount();
}

int StartCommonControls(void)
{
    BindSystemCalls();
    if (!InitCommonControlsCall)
        return 0;
    InitCommonControlsCall();
    return 1;
}

int HaveCommonControls(void)
{
    BindSystemCalls();
    return InitCommonControlsCall != NULL;
}

BOOL AskSaveFileName(OPENFILENAMEA *ofn)
{
    BindSystemCalls();
    return GetSaveFileNameCall ? GetSaveFileNameCall(ofn) : FALSE;
}

HINSTANCE OpenWithShell(const char *path)
{
    BindSystemCalls();
    return ShellExecuteCall ? ShellExecuteCall(NULL, NULL, path, NULL, NULL, SW_SHOW) : NULL;
}
