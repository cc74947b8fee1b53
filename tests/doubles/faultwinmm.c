/* A stand-in for winmm.dll that makes chosen platform calls of the program
   fail, one call at a time. The tests put it in the prefix's system
   directory, where the program loads winmm from first thing, and Wine takes
   it there when winmm is set to native for the program. It exports the one
   winmm function the program uses, and wraps, in the program's import table,
   the functions that faults.txt beside the program names, one line each:
     NAME FIRST LAST [MSG [WPARAM]]
   Calls FIRST to LAST, counted from 1 among the calls that match, fail;
   FIRST 0 fails none. For PostMessageA only posts of MSG (and WPARAM), hex,
   match; for WaitForSingleObject only waits of MSG milliseconds. A failed
   WriteFile writes half its bytes and reports that as success, as a drive
   that fills in the middle of a write does; the HDD Test's transfers (a file
   opened without buffering) are neither counted nor failed. CreateFileA,
   FlushFileBuffers and CloseHandle match only on a file the program writes
   its results to (a name ending in .tmp, as the report's is first, or in
   .csv, a table's); a failed CloseHandle has closed the handle, as when a
   close reports a write that failed. Every
   matching call is written to faults.log beside the program, before it is
   made or refused: "NAME N" or "NAME N failed". Its first lines are "load"
   and "error mode HEX", the process's error mode when winmm was loaded;
   the first call of timeGetTime logs "timeGetTime". */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h: timeGetTime is defined here */
#include <windows.h>
#include <winsvc.h>
#include <stdio.h>
#include <string.h>

#include "importtable.h"

enum { POST, DELETE_FILE, WRITE_FILE, OPEN_MANAGER, OPEN_SERVICE, CONTROL_SERVICE, MSG_WAIT, MOVE_FILE_EX,
       MOVE_FILE, CREATE_FILE, FLUSH_FILE, CLOSE_HANDLE, WAIT_SINGLE, FUNCTION_COUNT };

typedef struct Rule {
    int function, first, last, hasMsg, hasWparam;
    unsigned msg, wparam;
    LONG calls;
} Rule;

static const char *const Names[FUNCTION_COUNT] = {
    "PostMessageA", "DeleteFileA", "WriteFile", "OpenSCManagerA", "OpenServiceA", "ControlService",
    "MsgWaitForMultipleObjects", "MoveFileExA", "MoveFileA", "CreateFileA", "FlushFileBuffers", "CloseHandle",
    "WaitForSingleObject",
};
static void *Originals[FUNCTION_COUNT];
static Rule Rules[16];
static int RuleCount;
static char Dir[MAX_PATH];

static void Log(const char *line);

__declspec(dllexport) DWORD WINAPI timeGetTime(void)
{
    static LONG calls;

    if (InterlockedIncrement(&calls) == 1)
        Log("timeGetTime");
    return GetTickCount();
}

static void Log(const char *line)
{
    char path[MAX_PATH + 16], text[128];
    DWORD done;
    HANDLE f;

    wsprintfA(path, "%sfaults.log", Dir);
    wsprintfA(text, "%s\r\n", line);
    f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    WriteFile(f, text, lstrlenA(text), &done, NULL);
    CloseHandle(f);
}

/* 1 when this call must fail. */
static int Fails(int function, unsigned msg, unsigned wparam)
{
    char line[96];
    int i, fails;
    LONG n;

    for (i = 0; i < RuleCount; i++) {
        Rule *r = &Rules[i];
        if (r->function != function || (r->hasMsg && r->msg != msg) || (r->hasWparam && r->wparam != wparam))
            continue;
        n = InterlockedIncrement(&r->calls);
        fails = r->first > 0 && n >= r->first && n <= r->last;
        wsprintfA(line, fails ? "%s %ld failed" : "%s %ld", Names[function], n);
        Log(line);
        return fails;
    }
    return 0;
}

/* A wrapper that refuses the call with the error the platform gives for it
   in the case the tests stand for, or makes it. */
#define WRAPPER(ID, NAME, RET, REFUSED, ERROR, PARAMS, ARGS, MSG, WPARAM) \
    static RET WINAPI Wrap##NAME PARAMS                                   \
    {                                                                     \
        if (Fails(ID, MSG, WPARAM)) {                                     \
            SetLastError(ERROR);                                          \
            return REFUSED;                                               \
        }                                                                 \
        return ((RET (WINAPI *) PARAMS)Originals[ID]) ARGS;               \
    }

/* A full queue. */
WRAPPER(POST, PostMessageA, BOOL, FALSE, ERROR_NOT_ENOUGH_QUOTA, (HWND w, UINT m, WPARAM wp, LPARAM lp),
        (w, m, wp, lp), m, (unsigned)wp)
/* A virus scanner that holds the file it has just seen written. */
WRAPPER(DELETE_FILE, DeleteFileA, BOOL, FALSE, ERROR_SHARING_VIOLATION, (LPCSTR path), (path), 0, 0)
WRAPPER(OPEN_MANAGER, OpenSCManagerA, SC_HANDLE, NULL, ERROR_ACCESS_DENIED,
        (LPCSTR machine, LPCSTR database, DWORD access), (machine, database, access), 0, 0)
WRAPPER(OPEN_SERVICE, OpenServiceA, SC_HANDLE, NULL, ERROR_ACCESS_DENIED,
        (SC_HANDLE manager, LPCSTR name, DWORD access), (manager, name, access), 0, 0)
/* A driver that cannot be unloaded. */
WRAPPER(CONTROL_SERVICE, ControlService, BOOL, FALSE, ERROR_INVALID_SERVICE_CONTROL,
        (SC_HANDLE service, DWORD control, LPSERVICE_STATUS status), (service, control, status), 0, 0)
WRAPPER(MSG_WAIT, MsgWaitForMultipleObjects, DWORD, WAIT_FAILED, ERROR_INVALID_HANDLE,
        (DWORD count, const HANDLE *handles, BOOL all, DWORD ms, DWORD wake), (count, handles, all, ms, wake), 0, 0)

WRAPPER(WAIT_SINGLE, WaitForSingleObject, DWORD, WAIT_FAILED, ERROR_INVALID_HANDLE, (HANDLE handle, DWORD ms),
        (handle, ms), (unsigned)ms, 0)

/* Windows 95, 98 and Me: a stub. */
WRAPPER(MOVE_FILE_EX, MoveFileExA, BOOL, FALSE, ERROR_CALL_NOT_IMPLEMENTED,
        (LPCSTR from, LPCSTR to, DWORD flags), (from, to, flags), 0, 0)
/* A rename that another program's handle on the folder's files refuses. */
WRAPPER(MOVE_FILE, MoveFileA, BOOL, FALSE, ERROR_ACCESS_DENIED, (LPCSTR from, LPCSTR to), (from, to), 0, 0)

/* The HDD Test's file the program has open, and the output file (a report
   or a table) that the rules below match. */
static HANDLE TestFile = INVALID_HANDLE_VALUE;
static HANDLE TempFile = INVALID_HANDLE_VALUE;

static BOOL WINAPI WrapWriteFile(HANDLE f, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED o)
{
    if (f != TestFile && Fails(WRITE_FILE, 0, 0))
        size /= 2;
    return ((BOOL (WINAPI *)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED))Originals[WRITE_FILE])(
        f, data, size, done, o);
}

static HANDLE WINAPI WrapCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                     DWORD disposition, DWORD flags, HANDLE model)
{
    size_t length = strlen(path);
    int temporary = length > 4 && (lstrcmpiA(path + length - 4, ".tmp") == 0 || lstrcmpiA(path + length - 4, ".csv") == 0);
    HANDLE file;

    if (temporary && Fails(CREATE_FILE, 0, 0)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    file = ((HANDLE (WINAPI *)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE))
            Originals[CREATE_FILE])(path, access, share, security, disposition, flags, model);
    if (temporary)
        TempFile = file;
    if (flags & FILE_FLAG_NO_BUFFERING)
        TestFile = file;
    return file;
}

static BOOL WINAPI WrapFlushFileBuffers(HANDLE file)
{
    if (file == TempFile && Fails(FLUSH_FILE, 0, 0)) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return ((BOOL (WINAPI *)(HANDLE))Originals[FLUSH_FILE])(file);
}

static BOOL WINAPI WrapCloseHandle(HANDLE handle)
{
    BOOL closed = ((BOOL (WINAPI *)(HANDLE))Originals[CLOSE_HANDLE])(handle);

    if (handle != TempFile)
        return closed;
    TempFile = INVALID_HANDLE_VALUE;
    if (Fails(CLOSE_HANDLE, 0, 0)) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return closed;
}

static void *const Wrappers[FUNCTION_COUNT] = {
    (void *)WrapPostMessageA, (void *)WrapDeleteFileA, (void *)WrapWriteFile, (void *)WrapOpenSCManagerA,
    (void *)WrapOpenServiceA, (void *)WrapControlService, (void *)WrapMsgWaitForMultipleObjects,
    (void *)WrapMoveFileExA, (void *)WrapMoveFileA, (void *)WrapCreateFileA, (void *)WrapFlushFileBuffers,
    (void *)WrapCloseHandle, (void *)WrapWaitForSingleObject,
};

static void ReadRules(void)
{
    char path[MAX_PATH + 16], script[2048], name[64], *line;
    DWORD done = 0;
    HANDLE f;
    int n;

    wsprintfA(path, "%sfaults.txt", Dir);
    f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ReadFile(f, script, sizeof(script) - 1, &done, NULL);
    CloseHandle(f);
    script[done] = '\0';
    /* Each line on its own: a scan past a line's end would read the next
       name's first letters as a hex message (DeleteFileA as 0xDE). */
    for (n = 0; n < (int)done; n++)
        if (script[n] == '\n')
            script[n] = '\0';
    for (line = script; line < script + done && RuleCount < 16; line += strlen(line) + 1) {
        Rule *r = &Rules[RuleCount];
        n = sscanf(line, "%63s %d %d %x %x", name, &r->first, &r->last, &r->msg, &r->wparam);
        for (r->function = 0; n >= 3 && r->function < FUNCTION_COUNT; r->function++)
            if (strcmp(name, Names[r->function]) == 0)
                break;
        if (n >= 3 && r->function < FUNCTION_COUNT) {
            r->hasMsg = n >= 4;
            r->hasWparam = n >= 5;
            RuleCount++;
        }
    }
}

static void Wrap(const char *dll, const char *name, ULONG_PTR *slot, void *context)
{
    int i;

    (void)dll;
    (void)context;
    /* A flush, close or write rule needs to know which handle is which. */
    for (i = 0; i < RuleCount && strcmp(name, Names[CREATE_FILE]) == 0; i++) {
        if (Rules[i].function == FLUSH_FILE || Rules[i].function == CLOSE_HANDLE || Rules[i].function == WRITE_FILE) {
            Originals[CREATE_FILE] = (void *)*slot;
            SetImportSlot(slot, (ULONG_PTR)Wrappers[CREATE_FILE]);
            return;
        }
    }
    for (i = 0; i < RuleCount; i++) {
        if (strcmp(name, Names[Rules[i].function]) == 0) {
            Originals[Rules[i].function] = (void *)*slot;
            SetImportSlot(slot, (ULONG_PTR)Wrappers[Rules[i].function]);
            return;
        }
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    char line[32];
    UINT mode;

    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        (void)instance;
        mode = SetErrorMode(0);
        SetErrorMode(mode);
        GetModuleFileNameA(NULL, Dir, MAX_PATH);
        strrchr(Dir, '\\')[1] = '\0';
        ReadRules();
        VisitProgramImports(Wrap, NULL);
        Log("load");
        wsprintfA(line, "error mode %x", mode);
        Log(line);
    }
    return TRUE;
}
