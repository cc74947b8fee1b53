/* Run-time libraries by full path. Windows 95 to 2000 search the current
   directory before the system directory, so a library named bare, or one
   imported at load time that the system has not already loaded, could come
   from whatever folder the program was started in. */
#include "syslib.h"

typedef DWORD (WINAPI *TimeGetTimeProc)(void);
typedef void (WINAPI *InitCommonControlsProc)(void);
typedef BOOL (WINAPI *GetSaveFileNameProc)(OPENFILENAMEA *);
typedef HINSTANCE (WINAPI *ShellExecuteProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static int                    SystemCallsBound;
static TimeGetTimeProc        TimeGetTimeCall;
static InitCommonControlsProc InitCommonControlsCall;
static GetSaveFileNameProc    GetSaveFileNameCall;
static ShellExecuteProc       ShellExecuteCall;

const char *FileNameInPath(const char *path)
{
    const char *at, *name = path;

    /* By characters: in a double-byte code page a trail byte can equal '\\'. */
    for (at = path; *at != '\0'; at = CharNextA(at))
        if (*at == '\\' || *at == '/' || *at == ':')
            name = at + 1;
    return name;
}

int PlaceBesideModule(char *path, DWORD length, const char *fileName)
{
    char *name;

    /* A path cut to fit would name some other file. */
    if (length == 0 || length >= MODULE_PATH_LIMIT)
        return 0;
    path[length] = '\0';
    name = path + (FileNameInPath(path) - path);
    if (name == path || (name - path) + lstrlenA(fileName) >= MODULE_PATH_SIZE)
        return 0;
    lstrcpyA(name, fileName);
    return 1;
}

int PathBesideProgram(char *path, const char *fileName)
{
    return PlaceBesideModule(path, GetModuleFileNameA(NULL, path, MODULE_PATH_LIMIT), fileName);
}

HMODULE LoadLibraryBesideProgram(const char *fileName)
{
    char path[MODULE_PATH_SIZE];

    if (!PathBesideProgram(path, fileName))
        return NULL;
    return LoadLibraryA(path);
}

HMODULE LoadSystemLibrary(const char *fileName)
{
    char path[MODULE_PATH_SIZE];
    UINT length;

    length = GetSystemDirectoryA(path, MODULE_PATH_LIMIT);
    if (length == 0 || length >= MODULE_PATH_LIMIT
        || length + 1 + lstrlenA(fileName) >= MODULE_PATH_SIZE)
        return NULL;
    if (path[length - 1] != '\\')
        lstrcatA(path, "\\");
    lstrcatA(path, fileName);
    return LoadLibraryA(path);
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
    /* A library already loaded is taken by its name and not searched for
       again, so each comes before those that import it: comctl32 and
       shlwapi (where Internet Explorer brought it) before shell32, all of
       them and winspool (the NT family's) before comdlg32. */
    TimeGetTimeCall = (TimeGetTimeProc)(void *)FindSystemCall("winmm.dll", "timeGetTime");
    InitCommonControlsCall = (InitCommonControlsProc)(void *)FindSystemCall("comctl32.dll", "InitCommonControls");
    LoadSystemLibrary("shlwapi.dll");
    LoadSystemLibrary("winspool.drv");
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
