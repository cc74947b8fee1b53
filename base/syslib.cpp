/* Run-time libraries by full path. Windows 95 to 2000 search the current
   directory before the system directory, so a library named bare, or one
   imported at load time that the system has not already loaded, could come
   from whatever folder the program was started in. */
#include "syslib.h"
#include "peimports.h"

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
    if (length == 0 || length >= MAX_PATH)
        return 0;
    path[length] = '\0';
    name = path + (FileNameInPath(path) - path);
    if (name == path || (name - path) + lstrlenA(fileName) >= MAX_PATH)
        return 0;
    lstrcpyA(name, fileName);
    return 1;
}

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

/* Bounds for a malformed or hostile chain of imports. */
#define IMPORT_WALK_DEPTH  8
#define IMPORT_WALK_COUNT  48

struct ImportWalk {
    int  Depth;
    int  Count;
    char Seen[IMPORT_WALK_COUNT][IMPORT_NAME_SIZE];
};

static void LoadImportsOf(const char *path, ImportWalk *walk);

/* Where two libraries import each other (Wine's winmm and msacm32 do), the
   first one loaded finds the other not loaded yet; the altered search looks
   for it in the loaded library's own folder, the system directory, first. */
static HMODULE LoadFromSystemDirectory(const char *path)
{
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

static int LoadImport(const char *name, void *context)
{
    ImportWalk *walk = (ImportWalk *)context;
    char path[MAX_PATH];
    DWORD attributes;
    int i;

    /* A bare name only: the walk never leaves the system directory. */
    if (FileNameInPath(name) != name || GetModuleHandleA(name) != NULL)
        return 1;
    for (i = 0; i < walk->Count; i++)
        if (lstrcmpiA(walk->Seen[i], name) == 0)
            return 1;
    if (walk->Count == IMPORT_WALK_COUNT)
        return 0;
    lstrcpyA(walk->Seen[walk->Count++], name);
    /* A name with no file there (an API set, say) is the loader's own. */
    if (!SystemPath(path, name))
        return 1;
    attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 1;
    LoadImportsOf(path, walk);
    /* Kept loaded for the whole run, as an import of the program's would be. */
    LoadFromSystemDirectory(path);
    return 1;
}

static void LoadImportsOf(const char *path, ImportWalk *walk)
{
    HANDLE file, mapping = NULL;
    const unsigned char *view = NULL;
    DWORD size;

    if (walk->Depth == IMPORT_WALK_DEPTH)
        return;
    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    size = GetFileSize(file, NULL);
    if (size != INVALID_FILE_SIZE && size != 0)
        mapping = CreateFileMappingA(file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (mapping != NULL)
        view = (const unsigned char *)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view != NULL) {
        walk->Depth++;
        ForEachImportName(view, size, LoadImport, walk);
        walk->Depth--;
        UnmapViewOfFile(view);
    }
    if (mapping != NULL)
        CloseHandle(mapping);
    CloseHandle(file);
}

HMODULE LoadSystemLibrary(const char *fileName)
{
    char path[MAX_PATH];
    ImportWalk walk;

    if (!SystemPath(path, fileName))
        return NULL;
    /* A library that its imports import back is not walked twice. */
    lstrcpynA(walk.Seen[0], fileName, IMPORT_NAME_SIZE);
    walk.Count = 1;
    walk.Depth = 0;
    LoadImportsOf(path, &walk);
    return LoadFromSystemDirectory(path);
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
